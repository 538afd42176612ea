#include "distribuicoes/contagens.hpp"

#include <algorithm>
#include <cmath>

namespace lousa::distribuicoes {

std::vector<double> acumuladas(const contagens& conta) {
    double total = 0;
    for (double c : conta) total += c;
    std::vector<double> ate(conta.size());
    double soma = 0;
    for (std::size_t s = 0; s < conta.size(); ++s) {
        soma += conta[s];
        ate[s] = soma / total;
    }
    return ate;
}

double p_bilateral_simetrica(const contagens& conta, double x) {
    const double maximo = double(conta.size() - 1);
    if (!(x >= 0 && x <= maximo)) return indefinido;
    // A single-precision statistic is a whole number or a half exactly; the
    // margin only keeps a value a rounding below a whole one on its side.
    const auto s = static_cast<std::size_t>(std::floor(std::min(x, maximo - x) + 1e-6));
    return std::min(1.0, 2 * acumuladas(conta)[s]);
}

std::optional<std::int32_t> critico_simetrica(const contagens& conta, double alfa) {
    if (!alfa_valido(alfa)) return std::nullopt;
    const auto ate = acumuladas(conta);
    std::optional<std::int32_t> critico;
    for (std::size_t s = 0; s < ate.size() && nao_excede(2 * ate[s], alfa); ++s) critico = std::int32_t(s);
    return critico;
}

}  // namespace lousa::distribuicoes
