#include "shell/programa.hpp"

#include <exception>
#include <string>

#include "shell/opcoes.hpp"
#include "shell/shell.hpp"
#include "terminal/bom.hpp"
#include "terminal/utf8.hpp"

namespace lousa {
namespace {

// The report itself may fail to reach a closed or full stream; there is
// nothing left to tell then, and the status still says what happened.
void report(output_sink& err, const std::string& text) noexcept {
    try {
        err.put(text);
    } catch (...) {  // NOLINT(bugprone-empty-catch)
    }
}

// One line "lousa: TEXT DETAIL"; building it may run out of memory too.
void report_line(output_sink& err, std::string_view text, std::string_view detail = {}) noexcept {
    try {
        report(err, "lousa: " + std::string(text) + std::string(detail) + std::string(line_end));
    } catch (...) {  // NOLINT(bugprone-empty-catch)
    }
}

}  // namespace

int run_program(input_source& in, output_sink& out, output_sink& err) noexcept {
    try {
        console_io con(in, out);
        try {
            executa(con);
            con.flush();
            return status_normal;
        } catch (const read_stop& stop) {
            con.flush();  // the screen keeps what was written before the report
            report(err, stop_report(stop));
            return status_read_failed;
        }
    } catch (const output_failure& failure) {
        report_line(err, "a tela nao pode ser escrita: ", failure.what());
        return status_output_failed;
    } catch (const std::exception& failure) {
        report_line(err, "erro interno: ", failure.what());
        return status_internal_error;
    } catch (...) {
        report_line(err, "erro interno");
        return status_internal_error;
    }
}

int show_text(std::string_view text, output_sink& out, output_sink& err) noexcept {
    try {
        out.put(text);
        return status_normal;
    } catch (const output_failure& failure) {
        report_line(err, "a tela nao pode ser escrita: ", failure.what());
        return status_output_failed;
    } catch (...) {
        report_line(err, "erro interno");
        return status_internal_error;
    }
}

int refuse_option(std::string_view argument, output_sink& err) noexcept {
    try {
        report(err, unknown_option_message(argument));
    } catch (...) {  // NOLINT(bugprone-empty-catch): the status still says it
    }
    return status_unknown_option;
}

int run_command(std::span<const char* const> arguments, const terminal::streams& kinds,
                    input_source& keyboard, output_sink& screen, output_sink& err_stream) {
    const options asked = parse_options(arguments);
    const terminal::conversions converted = terminal::choose(asked.accents, kinds);

    // The help, the version and the one-line reports are documents: UTF-8
    // wherever the locale asks for it, pipes included.
    terminal::utf8_output utf8_err(err_stream);
    output_sink& err = converted.documents ? static_cast<output_sink&>(utf8_err) : err_stream;
    if (asked.what == request::unknown_option) {
        // echoed as typed: in the locale's code set, which the report converts back to
        const std::string typed =
            converted.documents ? terminal::cp850_from_utf8(asked.unknown) : asked.unknown;
        return refuse_option(typed, err);
    }

    terminal::utf8_output utf8_screen(screen);
    output_sink& document = converted.documents ? static_cast<output_sink&>(utf8_screen) : screen;
    switch (asked.what) {
        case request::help: return show_text(help_text(), document, err);
        case request::version: return show_text(version_text(), document, err);
        case request::run:
        case request::unknown_option: break;
    }
    output_sink& out = converted.screen ? static_cast<output_sink&>(utf8_screen) : screen;
    // Answers files with a byte-order mark are decoded whatever the terminal is.
    terminal::marked_input answers(keyboard, converted.keyboard);
    return run_program(answers, out, err);
}

}  // namespace lousa
