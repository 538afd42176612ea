// The exact distribution of the number of runs in a sequence of n1 values of
// one kind and n2 of the other, all arrangements equally likely.

#include <algorithm>
#include <cstdint>

#include "distribuicoes/contagens.hpp"
#include "distribuicoes/distribuicoes.hpp"

namespace lousa::distribuicoes {
namespace {

constexpr std::int32_t maior_grupo = 200;

bool tamanhos_validos(std::int32_t n1, std::int32_t n2) {
    return n1 >= 1 && n2 >= 1 && n1 <= maior_grupo && n2 <= maior_grupo;
}

// C(m, 0), C(m, 1), ..., C(m, m) in double: C(199, 99) is about 5e58, far
// inside the range of a double, and the products below about 1e117.
std::vector<double> binomiais(std::int32_t m) {
    std::vector<double> c(std::size_t(m + 1));
    c[0] = 1;
    for (std::int32_t k = 0; k < m; ++k) c[std::size_t(k + 1)] = c[std::size_t(k)] * (m - k) / (k + 1);
    return c;
}

// The count of arrangements with r runs, by the closed form (Stevens 1939;
// Swed and Eisenhart 1943): the first kind falls into a groups and the
// second into b, in C(n1 - 1, a - 1) and C(n2 - 1, b - 1) ways, with
//   r = 2k      a = b = k, either kind first:   2 C(n1-1, k-1) C(n2-1, k-1)
//   r = 2k + 1  a = k + 1, b = k, or a = k, b = k + 1:
//               C(n1-1, k) C(n2-1, k-1) + C(n1-1, k-1) C(n2-1, k)
// Entry r of the result, for r = 0 .. n1 + n2 (0 and 1 never occur).
contagens por_numero_de_sequencias(std::int32_t n1, std::int32_t n2) {
    const auto c1 = binomiais(n1 - 1), c2 = binomiais(n2 - 1);
    const auto de = [](const std::vector<double>& c, std::int32_t k) {
        return k >= 0 && k < std::int32_t(c.size()) ? c[std::size_t(k)] : 0.0;
    };
    contagens conta(std::size_t(n1 + n2 + 1), 0.0);
    for (std::int32_t r = 2; r <= n1 + n2; ++r) {
        const std::int32_t k = r / 2;
        conta[std::size_t(r)] = r % 2 == 0 ? 2 * de(c1, k - 1) * de(c2, k - 1)
                                           : de(c1, k) * de(c2, k - 1) + de(c1, k - 1) * de(c2, k);
    }
    return conta;
}

// The most runs possible: the kinds alternate, the larger one at both ends.
std::int32_t maximo_de_sequencias(std::int32_t n1, std::int32_t n2) {
    return n1 == n2 ? n1 + n2 : 2 * std::min(n1, n2) + 1;
}

// P(R >= r) for r = 0 .. n1 + n2.
std::vector<double> acima(const contagens& conta) {
    auto invertidas = contagens(conta.rbegin(), conta.rend());
    auto ate = acumuladas(invertidas);
    return std::vector<double>(ate.rbegin(), ate.rend());
}

}  // namespace

double sequencias_p_bilateral(std::int32_t n1, std::int32_t n2, std::int32_t r) {
    if (!tamanhos_validos(n1, n2) || r < 2 || r > maximo_de_sequencias(n1, n2)) return indefinido;
    const auto conta = por_numero_de_sequencias(n1, n2);
    const double abaixo = acumuladas(conta)[std::size_t(r)], acima_de_r = acima(conta)[std::size_t(r)];
    return std::min(1.0, 2 * std::min(abaixo, acima_de_r));
}

sequencias_limites sequencias_criticos(std::int32_t n1, std::int32_t n2, double alfa) {
    sequencias_limites limites;
    if (!tamanhos_validos(n1, n2) || !alfa_valido(alfa)) return limites;
    const auto conta = por_numero_de_sequencias(n1, n2);
    const auto ate = acumuladas(conta), desde = acima(conta);
    for (std::int32_t r = 2; r <= maximo_de_sequencias(n1, n2); ++r) {
        if (nao_excede(ate[std::size_t(r)], alfa / 2)) limites.inferior = r;
        if (!limites.superior && nao_excede(desde[std::size_t(r)], alfa / 2)) limites.superior = r;
    }
    return limites;
}

}  // namespace lousa::distribuicoes
