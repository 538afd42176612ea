// The exact null distributions of the two rank-sum tests, for samples
// without ties.

#include <cstdint>

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

// Mann and Whitney's recursion (1947): among the arrangements of n1 values of
// the first sample and n2 of the second, those whose largest value is of the
// first sample have it above all n2 of the second, so
//   c(n1, n2; u) = c(n1 - 1, n2; u - n2) + c(n1, n2 - 1; u),
// with c(0, j; 0) = c(i, 0; 0) = 1. Built row by row over n1, each row over
// n2; a row's entry j holds the counts of u = 0 .. i j.
contagens mann_whitney(std::int32_t n1, std::int32_t n2) {
    std::vector<contagens> anterior(std::size_t(n2 + 1), contagens{1.0});
    for (std::int32_t i = 1; i <= n1; ++i) {
        std::vector<contagens> linha(std::size_t(n2 + 1));
        linha[0] = contagens{1.0};
        for (std::int32_t j = 1; j <= n2; ++j) {
            const contagens& sem_o_maior_da_1 = anterior[std::size_t(j)];
            const contagens& sem_o_maior_da_2 = linha[std::size_t(j - 1)];
            contagens& c = linha[std::size_t(j)];
            c.assign(std::size_t(i * j + 1), 0.0);
            for (std::size_t u = 0; u < sem_o_maior_da_1.size(); ++u) c[u + std::size_t(j)] += sem_o_maior_da_1[u];
            for (std::size_t u = 0; u < sem_o_maior_da_2.size(); ++u) c[u] += sem_o_maior_da_2[u];
        }
        anterior = std::move(linha);
    }
    return anterior[std::size_t(n2)];
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
