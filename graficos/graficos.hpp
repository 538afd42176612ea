#pragma once
// Pictures of a result, drawn once as SVG text (UTF-8) from what the
// application reported on its results channel: the same numbers as the
// screen, never a second computation.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/resultados.hpp"

namespace lousa::graficos {

// Where a picture's text goes while it is drawn, a piece at a time.
using saida = std::function<void(std::string_view)>;

// The picture of one application's result; empty for an application that
// has no picture (code 1).
std::string desenha(std::int32_t codigo, const std::vector<resultados::dados>& dados);

// A result's picture, drawn when asked for: whole, or in pieces as it is
// drawn (for a file: a large picture never sits whole in memory).
class desenho {
public:
    desenho(std::int32_t codigo, const std::vector<resultados::dados>& dados) : codigo_(codigo), dados_(dados) {}
    // Drawn the first time it is asked for; "" when the result has no picture.
    const std::string& inteiro() const;
    // False, with nothing sent, when the result has no picture.
    bool em_partes(const saida& destino) const;

private:
    std::int32_t codigo_;
    const std::vector<resultados::dados>& dados_;
    mutable std::optional<std::string> inteiro_;
};

// The numbers that picture shows, as a table for readers who cannot see it:
// lines of tab-separated cells (UTF-8), the headings first; empty with no picture.
std::string numeros(std::int32_t codigo, const std::vector<resultados::dados>& dados);

// A statistic's distribution with its 5 % rejection region shaded and the
// statistic marked; empty where there is no table to draw.
std::string distribuicao(const resultados::estatistica& e);

// The file a result's picture is saved as: "07-correlacao-e-regressao.svg".
std::string nome_do_arquivo(std::int32_t codigo);

// Listens to a run and, at the end of each result, hands its picture to
// `entrega` (code, file name such as "07-correlacao-e-regressao.svg", the
// picture to draw, and its numbers when asked for `com_numeros`, else "").
// A result with no picture (code 1) draws as "": the caller says so rather
// than save it.
class desenhista final : public resultados::ouvinte {
public:
    using entrega = std::function<void(std::int32_t codigo, const std::string& nome, const desenho& figura,
                                       const std::string& numeros)>;
    explicit desenhista(entrega e, bool com_numeros = false) : entrega_(std::move(e)), com_numeros_(com_numeros) {}
    void fim(std::int32_t codigo, const std::vector<resultados::dados>& dados) override;

private:
    entrega entrega_;
    bool com_numeros_;
};

}  // namespace lousa::graficos
