#pragma once
// "Consulta à tabela": what a printed table would tell the student about each
// statistic an application reports on its results channel. One short framed
// block per statistic: the statistic as printed with its degrees of freedom or
// sizes and the distribution used, the critical values at 5 % and 1 %, the
// p-value and the verdict at 5 %. Where the screen states its own verdict, the
// block adds the p-value and keeps the screen's verdict.

#include <string>
#include <vector>

#include "common/resultados.hpp"
#include "console/console.hpp"

namespace lousa::tabela {

// The block's lines, code page 850 bytes without line ends, each starting at
// the frame (the console's free-form line adds the screen's leading blank).
std::vector<std::string> bloco(const resultados::estatistica& e);

// Writes each statistic's block on a console as soon as it is reported, so
// that it stands right after the result it belongs to (and, for the
// tabulated t of code 2, before the question that asks for it).
class consulta final : public resultados::ouvinte {
public:
    explicit consulta(console_io& con) : con_(con) {}
    void estatistica(const resultados::estatistica& e) override;

private:
    console_io& con_;
};

}  // namespace lousa::tabela
