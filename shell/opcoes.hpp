#pragma once
// The command line. With no argument the program is the dialogue alone; the
// options only ask for a text about the program or choose how accents cross
// the terminal.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "terminal/terminal.hpp"

namespace lousa {

enum class pedido : std::uint8_t { executar, ajuda, versao, opcao_desconhecida };

struct opcoes {
    pedido o_que = pedido::executar;
    terminal::conversion acentos = terminal::conversion::automatic;
    std::string desconhecida;  // the first argument that is not an option
};

// The arguments after the program's name. Any unknown one refuses the whole
// command line; otherwise --help wins over --version, and the last of
// --cp850 and --utf8 counts.
opcoes le_opcoes(std::span<const char* const> argumentos);

// The texts below are code page 850 bytes ended by the console's line end.
// They are documents, not screens: UTF-8 wherever the locale uses it.
std::string texto_ajuda();
std::string texto_versao();

// Standard error's two lines for an unknown option. ASCII, like every other
// report on standard error, so that it reads the same in any code page; the
// argument is echoed as it was typed.
std::string mensagem_opcao_desconhecida(std::string_view argumento);

}  // namespace lousa
