#pragma once
// The command line. With no argument the program is the dialogue alone; the
// options ask for a text about the program, choose how accents cross the
// terminal, or add to the dialogue what a printed table would say (--tabela)
// and a picture file of each result (--graficos PASTA).

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "terminal/terminal.hpp"

namespace lousa {

enum class request : std::uint8_t { run, help, version, unknown_option };

struct options {
    request what = request::run;
    terminal::conversion accents = terminal::conversion::automatic;
    std::string unknown;  // the first argument that is not an option
    bool table = false;   // --tabela: each result's table block on the screen
    std::string pictures_folder;  // --graficos PASTA: one SVG file per result there
};

// The arguments after the program's name. Any unknown one refuses the whole
// command line; otherwise --help wins over --version, and the last of
// --cp850 and --utf8 counts, as does the last folder of --graficos. A
// --graficos without its folder is refused as unknown.
options parse_options(std::span<const char* const> arguments);

// The texts below are code page 850 bytes ended by the console's line end.
// They are documents, not screens: UTF-8 wherever the locale uses it.
std::string help_text();
std::string version_text();

// Standard error's two lines for an unknown option. ASCII, like every other
// report on standard error, so that it reads the same in any code page; the
// argument is echoed as it was typed.
std::string unknown_option_message(std::string_view argument);

}  // namespace lousa
