// The exact distribution of Spearman's rs for n pairs without ties, n <= 9:
// every permutation of the ranks 1..n of the second variable against those of
// the first is equally likely; enumerated, each permutation counted at its
// sum of squared rank differences S, with rs = 1 - 6 S / (n (n^2 - 1)).

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>

#include "distribuicoes/contagens.hpp"
#include "distribuicoes/distribuicoes.hpp"

namespace lousa::distribuicoes {
namespace {

constexpr std::int32_t maior_amostra = 9;  // 9! = 362880 permutations

bool tamanho_valido(std::int32_t n) { return n >= 2 && n <= maior_amostra; }

std::int32_t maior_s(std::int32_t n) { return n * (n * n - 1) / 3; }

// Entry S: the number of permutations whose squared differences add up to S.
contagens por_soma_dos_quadrados(std::int32_t n) {
    contagens conta(std::size_t(maior_s(n) + 1), 0.0);
    std::vector<std::int32_t> posto(static_cast<std::size_t>(n));
    std::iota(posto.begin(), posto.end(), 1);
    do {
        std::int32_t s = 0;
        for (std::int32_t i = 0; i < n; ++i) {
            const std::int32_t d = posto[std::size_t(i)] - (i + 1);
            s += d * d;
        }
        conta[std::size_t(s)] += 1;
    } while (std::next_permutation(posto.begin(), posto.end()));
    return conta;
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
