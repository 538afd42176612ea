// Entry point: the command line, then one run of the program on the standard
// streams, converted to and from UTF-8 where the terminal needs it.

#include <cstddef>
#include <cstdio>
#include <span>

#include "terminal/utf8.hpp"
#include "shell/opcoes.hpp"
#include "shell/programa.hpp"
#include "terminal/terminal.hpp"

int main(int argc, char** argv) {
    const lousa::opcoes opcoes =
        lousa::le_opcoes(std::span<const char* const>(argv + 1, static_cast<std::size_t>(argc > 0 ? argc - 1 : 0)));
    const lousa::terminal::session session;
    lousa::terminal::standard_stream err(stderr);
    if (opcoes.o_que == lousa::pedido::opcao_desconhecida) return lousa::recusa_opcao(opcoes.desconhecida, err);

    const lousa::terminal::conversions converted = lousa::terminal::choose(opcoes.acentos, session.kinds());
    lousa::terminal::standard_stream screen(stdout);
    lousa::terminal::utf8_output utf8_screen(screen);
    lousa::output_sink& out = converted.screen ? static_cast<lousa::output_sink&>(utf8_screen) : screen;

    switch (opcoes.o_que) {
        case lousa::pedido::ajuda: return lousa::mostra_texto(lousa::texto_ajuda(), out, err);
        case lousa::pedido::versao: return lousa::mostra_texto(lousa::texto_versao(), out, err);
        case lousa::pedido::executar:
        case lousa::pedido::opcao_desconhecida: break;
    }
    lousa::terminal::standard_input keyboard;
    lousa::terminal::utf8_input utf8_keyboard(keyboard);
    lousa::input_source& in =
        converted.keyboard ? static_cast<lousa::input_source&>(utf8_keyboard) : keyboard;
    return lousa::executa_programa(in, out, err);
}
