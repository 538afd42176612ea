// Entry point: the command line, then one run of the program on the standard
// streams, converted to and from UTF-8 where the terminal needs it.

#include <cstddef>
#include <cstdio>
#include <span>

#include "shell/opcoes.hpp"
#include "shell/programa.hpp"
#include "terminal/bom.hpp"
#include "terminal/terminal.hpp"
#include "terminal/utf8.hpp"

int main(int argc, char** argv) {
    const lousa::opcoes opcoes =
        lousa::le_opcoes(std::span<const char* const>(argv + 1, static_cast<std::size_t>(argc > 0 ? argc - 1 : 0)));
    const lousa::terminal::session session;
    const lousa::terminal::conversions converted = lousa::terminal::choose(opcoes.acentos, session.kinds());

    // The help, the version and the one-line reports are documents: UTF-8
    // wherever the locale asks for it, pipes included.
    lousa::terminal::standard_stream err_stream(stderr);
    lousa::terminal::utf8_output utf8_err(err_stream);
    lousa::output_sink& err = converted.documents ? static_cast<lousa::output_sink&>(utf8_err) : err_stream;
    if (opcoes.o_que == lousa::pedido::opcao_desconhecida) {
        // echoed as typed: in the locale's code set, which the report converts back to
        const std::string typed =
            converted.documents ? lousa::terminal::cp850_from_utf8(opcoes.desconhecida) : opcoes.desconhecida;
        return lousa::recusa_opcao(typed, err);
    }

    lousa::terminal::standard_stream screen(stdout);
    lousa::terminal::utf8_output utf8_screen(screen);
    lousa::output_sink& document = converted.documents ? static_cast<lousa::output_sink&>(utf8_screen) : screen;
    switch (opcoes.o_que) {
        case lousa::pedido::ajuda: return lousa::mostra_texto(lousa::texto_ajuda(), document, err);
        case lousa::pedido::versao: return lousa::mostra_texto(lousa::texto_versao(), document, err);
        case lousa::pedido::executar:
        case lousa::pedido::opcao_desconhecida: break;
    }
    lousa::output_sink& out = converted.screen ? static_cast<lousa::output_sink&>(utf8_screen) : screen;
    lousa::terminal::standard_input keyboard;
    // Answers files with a byte-order mark are decoded whatever the terminal is.
    lousa::terminal::marked_input answers(keyboard, converted.keyboard);
    return lousa::executa_programa(answers, out, err);
}
