#include "shell/programa.hpp"

#include <exception>
#include <string>

#include "common/aplicacoes.hpp"
#include "shell/opcoes.hpp"

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

int executa_programa(input_source& in, output_sink& out, output_sink& err) noexcept {
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

int mostra_texto(std::string_view text, output_sink& out, output_sink& err) noexcept {
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

int recusa_opcao(std::string_view argument, output_sink& err) noexcept {
    try {
        report(err, mensagem_opcao_desconhecida(argument));
    } catch (...) {  // NOLINT(bugprone-empty-catch): the status still says it
    }
    return status_unknown_option;
}

}  // namespace lousa
