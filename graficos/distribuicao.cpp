// The picture of a statistic's distribution: the density, its 5 % rejection
// region shaded and the statistic marked. The exact small-sample counts of
// the rank tests get no picture.

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <stdexcept>

#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/fisher_f.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/students_t.hpp>

#include "graficos/graficos.hpp"
#include "graficos/svg.hpp"

namespace lousa::graficos {

using namespace resultados;

namespace {

constexpr double alfa = 0.05;
constexpr int altura = 300;

// What the picture needs of a continuous law.
struct lei_continua {
    std::string nome;  // "t de Student com 9 gl"
    std::string eixo;  // the axis' name
    std::function<double(double)> densidade;
    double critico;    // the upper critical value at 5 %
    bool bilateral;    // the 5 % split between the two tails
    double alcance;    // the density's range worth showing (upper end)
};

std::string gl(double g) { return breve(g); }

// As in the distributions layer: no exception to format (a pole gives an
// infinite density), and doubles not promoted to long double, which the page's
// WebAssembly computes in software: a quarter of the page's size and far faster.
namespace pol = boost::math::policies;
using politica = pol::policy<pol::domain_error<pol::ignore_error>, pol::pole_error<pol::ignore_error>,
                             pol::overflow_error<pol::ignore_error>, pol::evaluation_error<pol::ignore_error>,
                             pol::promote_double<false>>;

template <class Lei>
lei_continua continua(const Lei& lei, std::string nome, std::string eixo, bool bilateral) {
    using boost::math::complement;
    const double critico = boost::math::quantile(complement(lei, bilateral ? alfa / 2 : alfa));
    const double alcance = boost::math::quantile(complement(lei, 0.005));
    const auto densidade = [lei](double x) -> double {
        const auto [menor, maior] = boost::math::support(lei);
        if (!(x >= menor && x <= maior)) return NAN;  // outside the law, the curve is not drawn
        return boost::math::pdf(lei, x);  // infinite at the pole at zero of F and chi-square with few gl
    };
    return {std::move(nome), std::move(eixo), densidade, critico, bilateral, alcance};
}

bool gl_valido(double g) { return std::isfinite(g) && g > 0; }

std::optional<lei_continua> lei_de(const estatistica& e) {
    switch (e.distribuicao) {
        case lei::t_student:
        case lei::t_tabelado:
            if (!gl_valido(e.gl1)) return std::nullopt;
            return continua(boost::math::students_t_distribution<double, politica>(e.gl1), "t de Student com " + gl(e.gl1) + " gl",
                            "t (" + gl(e.gl1) + " gl)", true);
        case lei::normal:
            return continua(boost::math::normal_distribution<double, politica>(), "normal padrão", "Z", true);
        case lei::f_snedecor:
            if (!gl_valido(e.gl1) || !gl_valido(e.gl2)) return std::nullopt;
            return continua(boost::math::fisher_f_distribution<double, politica>(e.gl1, e.gl2), "F com " + gl(e.gl1) + " e " + gl(e.gl2) + " gl",
                            "F (" + gl(e.gl1) + " e " + gl(e.gl2) + " gl)", false);
        case lei::qui_quadrado:
        case lei::kruskal_wallis:
            if (!gl_valido(e.gl1)) return std::nullopt;
            return continua(boost::math::chi_squared_distribution<double, politica>(e.gl1), "qui-quadrado com " + gl(e.gl1) + " gl",
                            "Qui-quadrado (" + gl(e.gl1) + " gl)", false);
        default:
            return std::nullopt;  // exact counts: their tables are in the block beside the result
    }
}

// The region beyond a critical value, between the curve and the axis.
void sombreia(svg& d, const plano& p, const std::function<double(double)>& f, double de, double ate) {
    d.inicia_area("fill=\"#D55E00\" fill-opacity=\"0.45\" class=\"rejeicao\"");
    d.ponto_do_caminho(p.x(de), p.base);
    constexpr int passos = 40;
    for (int k = 0; k <= passos; ++k) {
        const double x = de + (ate - de) * k / passos;
        d.ponto_do_caminho(p.x(x), std::max(p.y(f(x)), p.topo));
    }
    d.ponto_do_caminho(p.x(ate), p.base);
    d.fecha_caminho();
}

std::string desenho(const estatistica& e, const lei_continua& l) {
    const std::string nome = texto_da_tela(e.nome).empty() ? "estatística" : texto_da_tela(e.nome);
    const bool marcavel = std::isfinite(e.valor);
    const double valor = l.bilateral ? std::fabs(e.valor) : e.valor;
    double ate = std::max(l.alcance, l.critico * 1.15);
    if (l.bilateral) ate = std::max(ate, 4.0);
    if (marcavel && valor * 1.1 > ate) ate = std::min(valor * 1.1, ate * 3);
    const double de = l.bilateral ? -ate : 0;
    // The height: the density's peak, skipping a pole at zero (F and chi-square with few gl).
    double pico = 0;
    for (int k = 1; k <= 200; ++k) {
        const double x = de + (ate - de) * k / 200;
        if (x >= (ate - de) * 0.02 + de || l.bilateral) pico = std::max(pico, l.densidade(x));
    }
    const auto mx = marcas_de(de, ate, 10), my = marcas_de(0, pico * 1.08, 4);
    auto p = plano_padrao(altura, false, mx, my);
    p.topo = 50;
    p.y = {my.de, my.ate, p.base, p.topo};

    const std::string valor_na_tela = como_na_tela(e.valor, 2);
    const bool rejeita = marcavel && valor > l.critico;
    svg d(altura, "Distribuição " + l.nome + ": região de rejeição de 5 % e " + nome + " = " + valor_na_tela,
          "Densidade da distribuição " + l.nome + "; a região de rejeição de 5 % (" +
              (l.bilateral ? "2.5 % em cada cauda, além de ±" : "cauda superior, além de ") + numero(l.critico, 3) +
              ") sombreada; " + nome + " = " + valor_na_tela +
              (!marcavel ? " não pode ser marcado." : rejeita ? " cai na região de rejeição." : " fica fora dela."));
    eixos(d, p, mx, my, l.eixo, "Densidade");
    sombreia(d, p, l.densidade, l.critico, mx.ate);
    if (l.bilateral) sombreia(d, p, l.densidade, mx.de, -l.critico);
    traca_curva(d, p, "stroke=\"#000\" stroke-width=\"2\" class=\"densidade\"", l.densidade, 200);
    // The tabled value and the statistic, each a vertical line with its label
    // on two rows, so that close values keep both legible.
    const double xc = p.x(l.critico);
    d.linha(xc, p.topo + 14, xc, p.base, "stroke=\"#000\" stroke-width=\"1\" stroke-dasharray=\"4 3\" class=\"critico\"");
    const bool rotulo_a_direita = !marcavel || e.valor < l.critico;  // away from the statistic
    const std::string lado = rotulo_a_direita ? "" : "text-anchor=\"end\"";
    const double xr = rotulo_a_direita ? xc + 5 : xc - 5;
    d.texto(xr, p.topo + 26, "crítico " + numero(l.critico, 3), lado);
    d.texto(xr, p.topo + 42, l.bilateral ? "(2.5 % em cada cauda)" : "(5 % além dele)", lado);
    if (marcavel) {
        const double x = p.x(std::clamp(e.valor, mx.de, mx.ate));
        d.linha(x, p.topo - 6, x, p.base, "stroke=\"#0072B2\" stroke-width=\"3\" class=\"estatistica\"");
        const bool a_esquerda = x > (p.esquerda + p.direita) / 2 && x > xc;
        d.texto(a_esquerda ? x - 6 : x + 6, p.topo + 6, nome + " = " + valor_na_tela,
                a_esquerda ? "text-anchor=\"end\" font-weight=\"bold\"" : "font-weight=\"bold\"");
    }
    return d.fecha();
}

}  // namespace

std::string distribuicao(const estatistica& e) {
    try {
        const auto l = lei_de(e);
        return l ? desenho(e, *l) : std::string();
    } catch (const std::exception&) {  // a law Boost refuses for these degrees of freedom
        return {};
    }
}

}  // namespace lousa::graficos
