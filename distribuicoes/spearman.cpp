// The exact distribution of Spearman's rs for n pairs without ties, n <= 9:
// every permutation of the ranks 1..n of the second variable against those of
// the first is equally likely; all n! are counted at their sum of squared
// rank differences S, with rs = 1 - 6 S / (n (n^2 - 1)).

#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include "distribuicoes/contagens.hpp"
#include "distribuicoes/distribuicoes.hpp"

namespace lousa::distribuicoes {
namespace {

constexpr std::int32_t maior_amostra = 9;

bool tamanho_valido(std::int32_t n) { return n >= 2 && n <= maior_amostra; }

std::int32_t maior_s(std::int32_t n) { return n * (n * n - 1) / 3; }

// Entry S: the number of permutations whose squared differences add up to S.
// The permutations are enumerated position by position, and those that
// placed the same set of ranks in the first positions with the same partial
// sum go on together, as one count: por_conjunto[set][sum], the sets as bit
// masks, 2^9 x 241 entries for n = 9.
contagens por_soma_dos_quadrados(std::int32_t n) {
    const auto largura = std::size_t(maior_s(n) + 1);
    const std::uint32_t todos = (1u << n) - 1;
    std::vector<double> por_conjunto(std::size_t(todos + 1) * largura, 0.0);
    por_conjunto[0] = 1;
    for (std::uint32_t usados = 0; usados < todos; ++usados) {
        const double* ate_aqui = &por_conjunto[usados * largura];
        const auto posicao = std::int32_t(std::popcount(usados)) + 1;
        for (std::int32_t posto = 1; posto <= n; ++posto) {
            const std::uint32_t bit = 1u << (posto - 1);
            if (usados & bit) continue;
            const auto d2 = std::size_t((posto - posicao) * (posto - posicao));
            double* depois = &por_conjunto[(usados | bit) * largura];
            for (std::size_t s = 0; s + d2 < largura; ++s) depois[s + d2] += ate_aqui[s];
        }
    }
    const double* todas = &por_conjunto[todos * largura];
    return contagens(todas, todas + largura);
}

// P(|rs| >= |r|): S as far from its centre n (n^2 - 1) / 6 as S(r) or farther.
double p_de_s(const contagens& conta, double s) {
    const double centro = double(conta.size() - 1) / 2, afastamento = std::fabs(s - centro);
    double alem = 0, total = 0;
    for (std::size_t v = 0; v < conta.size(); ++v) {
        total += conta[v];
        if (std::fabs(double(v) - centro) >= afastamento) alem += conta[v];
    }
    return alem / total;
}

double rs_de_s(std::int32_t n, double s) { return 1 - 6 * s / (n * (n * double(n) - 1)); }

}  // namespace

double spearman_p_bilateral(std::int32_t n, double rs) {
    if (!tamanho_valido(n) || !(rs >= -1 && rs <= 1)) return indefinido;
    // S is a whole number; rs arrives rounded to single precision.
    const double s = std::round((1 - rs) * n * (n * double(n) - 1) / 6);
    return p_de_s(por_soma_dos_quadrados(n), s);
}

// The smallest rs whose two-sided p does not exceed alfa: rs at or above it,
// or at or below its negative, is significant.
std::optional<double> spearman_critico(std::int32_t n, double alfa) {
    if (!tamanho_valido(n) || !alfa_valido(alfa)) return std::nullopt;
    const auto conta = por_soma_dos_quadrados(n);
    std::optional<double> critico;
    for (std::int32_t s = 0; s < maior_s(n) / 2 && nao_excede(p_de_s(conta, s), alfa); ++s) {
        if (conta[std::size_t(s)] > 0) critico = rs_de_s(n, s);
    }
    return critico;
}

}  // namespace lousa::distribuicoes
