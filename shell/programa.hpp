#pragma once
// One run of the program on any pair of streams: the terminal, a browser page,
// a fuzzer's bytes or a test's script. Every front end calls this, so the
// dialogue and the way a run ends are the same everywhere.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "console/console.hpp"
#include "graficos/graficos.hpp"
#include "terminal/terminal.hpp"

namespace lousa {

// Exit statuses of a run.
inline constexpr int status_normal = 0;         // the end question answered with zero
inline constexpr int status_output_failed = 1;  // the screen could not be written
inline constexpr int status_read_failed = 2;    // an answer could not be read (two-line report)
inline constexpr int status_internal_error = 3; // anything else that stopped the run
inline constexpr int status_unknown_option = 64; // a command-line argument that is no option

// Runs the shell on `in` and `out`; reports on `err` how a run that did not
// end normally ended. Returns the exit status. Never throws.
int run_program(input_source& in, output_sink& out, output_sink& err) noexcept;

// What a run may hand on besides the screen; each is optional, and with none
// the run is the one above. The page's sinks get whole pieces, one put() each.
struct run_extras {
    // --tabela: each statistic's "Consulta à tabela" block on the screen, right
    // after its result.
    bool table_on_screen = false;
    // The same blocks apart from the screen (code page 850 lines, each block
    // in one piece as soon as its statistic is known): the page's panel.
    output_sink* table = nullptr;
    // Each result's picture, one SVG document (UTF-8) when the result ends.
    output_sink* pictures = nullptr;
    // Right after each picture, the numbers it shows as a table (tab-separated
    // UTF-8 lines, the headings first): the page's text alternative.
    output_sink* picture_numbers = nullptr;
    // Each statistic's distribution with its 5 % region, one SVG document.
    output_sink* distributions = nullptr;
    // The same pictures with the file name each would take
    // ("07-correlacao-e-regressao.svg"), to be drawn: --graficos writes each
    // into its file as it is drawn.
    std::function<void(std::int32_t code, const std::string& name, const graficos::desenho& picture)> picture_files;
};

// A run with extras. A picture that cannot be drawn or handed on never stops
// the dialogue; the screen and its failures are as in the run above.
int run_program(input_source& in, output_sink& out, output_sink& err, const run_extras& extras) noexcept;

// Shows a text instead of the dialogue (the help, the version): status 0, or
// the same report and status as a screen that cannot be written.
int show_text(std::string_view text, output_sink& out, output_sink& err) noexcept;

// Refuses the command line before anything is shown.
int refuse_option(std::string_view argument, output_sink& err) noexcept;

// The whole program on a command line and on streams of known kinds: the
// options, the conversions they and the terminal ask for (UTF-8, a byte-order
// mark on the answers), then the help, the version or the dialogue. main()
// calls it on the standard streams, the fuzzer on its own.
int run_command(std::span<const char* const> arguments, const terminal::streams& kinds,
                input_source& keyboard, output_sink& screen, output_sink& err_stream);

}  // namespace lousa
