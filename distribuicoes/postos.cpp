// The exact null distributions of the two rank-sum tests, for samples
// without ties.

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "distribuicoes/contagens.hpp"
#include "distribuicoes/distribuicoes.hpp"

namespace lousa::distribuicoes {
namespace {

constexpr std::int32_t maior_amostra = 50;

bool tamanho_valido(std::int32_t n) { return n >= 1 && n <= maior_amostra; }

// Wilcoxon's T: each of the ranks 1..n carries a + or a - sign, all 2^n
// patterns equally likely, and T is the sum of the ranks with one sign.
// Dynamic programming over the subset sums of 1..n: after rank k, conta[s]
// is the number of subsets of 1..k whose ranks add up to s. The counts stay
// below 2^50, whole numbers that a double holds exactly.
contagens postos_sinalizados(std::int32_t n) {
    contagens conta(std::size_t(n * (n + 1) / 2 + 1), 0.0);
    conta[0] = 1;
    for (std::int32_t k = 1; k <= n; ++k) {
        for (std::int32_t s = k * (k + 1) / 2; s >= k; --s) conta[std::size_t(s)] += conta[std::size_t(s - k)];
    }
    return conta;
}

// Mann and Whitney's recursion (1947): among the arrangements of i values of
// the first sample and j of the second, those whose largest value is of the
// first sample have it above all j of the second, so
//   c(i, j; u) = c(i - 1, j; u - j) + c(i, j - 1; u),
// with c(0, j; 0) = c(i, 0; 0) = 1. Built row by row over i, each row over
// j = 0 .. n2, entry j holding the counts of u = 0 .. i j at a fixed stride.
contagens mann_whitney(std::int32_t n1, std::int32_t n2) {
    const auto passo = std::size_t(n1) * std::size_t(n2) + 1;
    std::vector<double> anterior(std::size_t(n2 + 1) * passo, 0.0), linha = anterior;
    for (std::size_t j = 0; j <= std::size_t(n2); ++j) anterior[j * passo] = 1;
    for (std::size_t i = 1; i <= std::size_t(n1); ++i) {
        linha[0] = 1;
        for (std::size_t j = 1; j <= std::size_t(n2); ++j) {
            const double* sem_o_maior_da_1 = &anterior[j * passo];  // c(i - 1, j)
            const double* sem_o_maior_da_2 = &linha[(j - 1) * passo];  // c(i, j - 1)
            double* c = &linha[j * passo];
            std::fill(c, c + i * j + 1, 0.0);
            for (std::size_t u = 0; u <= i * (j - 1); ++u) c[u] += sem_o_maior_da_2[u];
            for (std::size_t u = 0; u <= (i - 1) * j; ++u) c[u + j] += sem_o_maior_da_1[u];
        }
        std::swap(anterior, linha);
    }
    const double* c = &anterior[std::size_t(n2) * passo];
    return contagens(c, c + passo);
}

}  // namespace

double postos_sinalizados_p_bilateral(std::int32_t n, double t) {
    return tamanho_valido(n) ? p_bilateral_simetrica(postos_sinalizados(n), t) : indefinido;
}

std::optional<std::int32_t> postos_sinalizados_critico(std::int32_t n, double alfa) {
    if (!tamanho_valido(n)) return std::nullopt;
    return critico_simetrica(postos_sinalizados(n), alfa);
}

double mann_whitney_p_bilateral(std::int32_t n1, std::int32_t n2, double u) {
    if (!tamanho_valido(n1) || !tamanho_valido(n2)) return indefinido;
    return p_bilateral_simetrica(mann_whitney(n1, n2), u);
}

std::optional<std::int32_t> mann_whitney_critico(std::int32_t n1, std::int32_t n2, double alfa) {
    if (!tamanho_valido(n1) || !tamanho_valido(n2)) return std::nullopt;
    return critico_simetrica(mann_whitney(n1, n2), alfa);
}

}  // namespace lousa::distribuicoes
