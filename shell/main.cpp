// Entry point: the command line and the standard streams, readied for one run
// and put back afterwards.

#include <cstddef>
#include <cstdio>
#include <span>

#include "shell/programa.hpp"
#include "terminal/terminal.hpp"

int main(int argc, char** argv) {
    const lousa::terminal::session session;
    lousa::terminal::standard_stream screen(stdout);
    lousa::terminal::standard_stream err(stderr);
    lousa::terminal::standard_input keyboard;
    const std::span<const char* const> arguments(argv + 1, static_cast<std::size_t>(argc > 0 ? argc - 1 : 0));
    return lousa::run_command(arguments, session.kinds(), keyboard, screen, err);
}
