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

std::string one_line(const std::string& text) { return "lousa: " + text + std::string(line_end); }

void report_output_failure(output_sink& err, const output_failure& failure) noexcept {
    try {
        report(err, one_line(std::string("a tela nao pode ser escrita: ") + failure.what()));
    } catch (...) {  // NOLINT(bugprone-empty-catch): building the text ran out of memory
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
        report_output_failure(err, failure);
        return status_output_failed;
    } catch (const std::exception& failure) {
        report(err, one_line(std::string("erro interno: ") + failure.what()));
        return status_internal_error;
    } catch (...) {
        report(err, one_line("erro interno"));
        return status_internal_error;
    }
}

int mostra_texto(std::string_view text, output_sink& out, output_sink& err) noexcept {
    try {
        out.put(text);
        return status_normal;
    } catch (const output_failure& failure) {
        report_output_failure(err, failure);
        return status_output_failed;
    } catch (...) {
        report(err, one_line("erro interno"));
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
