// The one-sample Kolmogorov distribution P(D_n < d) for a continuous
// distribution fully specified, computed exactly by the matrix-power
// algorithm of Marsaglia, Tsang and Wang, "Evaluating Kolmogorov's
// distribution", Journal of Statistical Software 8(18), 2003: with
// k = floor(n d) + 1, m = 2k - 1 and h = k - n d, P(D_n < d) = n!/n^n times
// the central entry of the n-th power of an m x m matrix H built from h.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include <boost/math/tools/toms748_solve.hpp>

#include "distribuicoes/distribuicoes.hpp"

namespace lousa::distribuicoes {
namespace {

constexpr std::int32_t maior_amostra = 1000;  // where a critical value takes about 0.1 s

// A square matrix, row by row.
struct matriz {
    std::int32_t m;
    std::vector<double> v;
    explicit matriz(std::int32_t ordem) : m(ordem), v(std::size_t(ordem) * std::size_t(ordem), 0.0) {}
    double& operator()(std::int32_t i, std::int32_t j) { return v[std::size_t(i) * std::size_t(m) + std::size_t(j)]; }
    double operator()(std::int32_t i, std::int32_t j) const { return v[std::size_t(i) * std::size_t(m) + std::size_t(j)]; }
};

matriz produto(const matriz& a, const matriz& b) {
    matriz c(a.m);
    // Row by row of b, in the order of the textbook sum over k for each
    // entry, which makes the same roundings.
    for (std::int32_t i = 0; i < a.m; ++i) {
        for (std::int32_t k = 0; k < a.m; ++k) {
            const double aik = a(i, k);
            for (std::int32_t j = 0; j < a.m; ++j) c(i, j) += aik * b(k, j);
        }
    }
    return c;
}

// A matrix times 10^expoente: the powers outgrow a double, so as in the
// published code the entries are scaled down by 1e140 whenever the central
// one passes 1e140, and the power of ten is kept apart.
struct escalada {
    matriz valor;
    std::int32_t expoente;
};

escalada potencia(const matriz& h, std::int32_t n) {
    if (n == 1) return {h, 0};
    escalada metade = potencia(h, n / 2);
    escalada r{produto(metade.valor, metade.valor), 2 * metade.expoente};
    if (n % 2 == 1) r.valor = produto(h, r.valor);
    const std::int32_t centro = h.m / 2;
    if (r.valor(centro, centro) > 1e140) {
        for (double& x : r.valor.v) x *= 1e-140;
        r.expoente += 140;
    }
    return r;
}

// The matrix H of the paper: ones on and below the superdiagonal, the first
// column and the last row reduced by powers of h, each entry on or below the
// superdiagonal divided by (i - j + 1)!.
matriz matriz_h(std::int32_t m, double h) {
    matriz H(m);
    for (std::int32_t i = 0; i < m; ++i) {
        for (std::int32_t j = 0; j < m; ++j) H(i, j) = i - j + 1 < 0 ? 0 : 1;
    }
    for (std::int32_t i = 0; i < m; ++i) {
        H(i, 0) -= std::pow(h, i + 1);
        H(m - 1, i) -= std::pow(h, m - i);
    }
    H(m - 1, 0) += 2 * h - 1 > 0 ? std::pow(2 * h - 1, m) : 0;
    for (std::int32_t i = 0; i < m; ++i) {
        for (std::int32_t j = 0; j < m; ++j) {
            for (std::int32_t g = 1; g <= i - j + 1; ++g) H(i, j) /= g;
        }
    }
    return H;
}

}  // namespace

double kolmogorov_cdf(std::int32_t n, double d) {
    if (n < 1 || n > maior_amostra || std::isnan(d)) return std::numeric_limits<double>::quiet_NaN();
    if (d <= 0) return 0;
    if (d >= 1) return 1;
    // Far in the right tail the paper's own approximation, good to seven
    // digits, which spares the largest matrices: P(D_n >= d) is then below
    // 1e-6, or below 1.2e-3 for n of 100 and more.
    const double s = d * d * n;
    if (s > 7.24 || (s > 3.76 && n > 99)) {
        return 1 - 2 * std::exp(-(2.000071 + 0.331 / std::sqrt(double(n)) + 1.409 / n) * s);
    }
    const auto k = static_cast<std::int32_t>(n * d) + 1;
    const std::int32_t m = 2 * k - 1;
    const escalada q = potencia(matriz_h(m, k - n * d), n);
    double p = q.valor(k - 1, k - 1);
    std::int32_t expoente = q.expoente;
    for (std::int32_t i = 1; i <= n; ++i) {  // times n!/n^n
        p = p * i / n;
        if (p < 1e-140) {
            p *= 1e140;
            expoente -= 140;
        }
    }
    return p * std::pow(10.0, expoente);
}

// P(D_n < d) = 1 - alfa solved for d by Alefeld, Potra and Shi's TOMS 748
// method, in a narrow bracket around Stephens' approximation
// c / (sqrt(n) + 0.12 + 0.11 / sqrt(n)), c the asymptotic critical value
// sqrt(ln(2 / alfa) / 2); when it does not hold the root, between 1/(2n),
// where P(D_n < d) is 0, and 1, where it is 1.
double kolmogorov_critico(std::int32_t n, double alfa) {
    if (n < 1 || n > maior_amostra || !(alfa > 0 && alfa < 1)) return std::numeric_limits<double>::quiet_NaN();
    const auto excesso = [n, alfa](double d) { return kolmogorov_cdf(n, d) - (1 - alfa); };
    const double raiz = std::sqrt(double(n));
    const double stephens = std::sqrt(std::log(2 / alfa) / 2) / (raiz + 0.12 + 0.11 / raiz);
    double menor = std::max(0.5 / n, 0.985 * stephens), maior = std::min(1.0, 1.015 * stephens);
    double abaixo = excesso(menor), acima = excesso(maior);
    if (abaixo > 0) {
        menor = 0.5 / n;
        abaixo = alfa - 1;
    }
    if (acima < 0) {
        maior = 1;
        acima = alfa;
    }
    std::uintmax_t passos = 100;
    const auto [a, b] = boost::math::tools::toms748_solve(excesso, menor, maior, abaixo, acima,
                                                          boost::math::tools::eps_tolerance<double>(24), passos);
    return (a + b) / 2;
}

}  // namespace lousa::distribuicoes
