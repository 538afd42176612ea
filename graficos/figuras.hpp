#pragma once
// Each kind of picture, from the data its application reported; `titulo` is
// the application's name (UTF-8). Each returns a whole SVG, or with a
// `destino` sends it there as it is drawn and returns "".

#include <string>

#include "common/resultados.hpp"
#include "graficos/graficos.hpp"

namespace lousa::graficos {

// Dots per group with each centre marked (codes 2, 3, 4, 12, 13, 15);
// `diferencas` for paired data, drawn against a line at zero.
std::string desenha_amostras(const std::string& titulo, const resultados::amostras& a, bool diferencas,
                             const saida* destino);
// The interaction plot: one line of cell means per row, across the columns (5, 6).
std::string desenha_interacao(const std::string& titulo, const resultados::medias_de_celulas& m, const saida* destino);
// The points and every fitted curve on the untransformed axes (7, 16).
std::string desenha_ajustes(const std::string& titulo, const resultados::ajustes& a, const saida* destino);
// The sequence in typed order, its median and its runs (8).
std::string desenha_sequencia(const std::string& titulo, const resultados::sequencia& s, const saida* destino);
// Observed against expected bars per class, or per cell of a table (9).
std::string desenha_frequencias(const std::string& titulo, const resultados::frequencias& f, const saida* destino);
// The observed and theoretical cumulative curves and where Dc occurs (10).
std::string desenha_acumuladas(const std::string& titulo, const resultados::acumuladas& a, const saida* destino);
// The proportion against the one it is compared with, and the 1.96 band (11).
std::string desenha_proporcao(const std::string& titulo, const resultados::proporcao& p, const saida* destino);
// Rank against rank (14).
std::string desenha_postos(const std::string& titulo, const resultados::pares_de_postos& p, const saida* destino);

// The numbers each picture shows, as a table for readers who cannot see it:
// lines of tab-separated cells (UTF-8), the headings first.
std::string numeros_de(const resultados::amostras& a, bool diferencas);
std::string numeros_de(const resultados::medias_de_celulas& m);
std::string numeros_de(const resultados::ajustes& a);
std::string numeros_de(const resultados::sequencia& s);
std::string numeros_de(const resultados::frequencias& f);
std::string numeros_de(const resultados::acumuladas& a);
std::string numeros_de(const resultados::proporcao& p);
std::string numeros_de(const resultados::pares_de_postos& p);

}  // namespace lousa::graficos
