// The picture of a statistic's distribution: the density, its 5 % rejection
// region shaded and the statistic marked. The exact small-sample counts of
// the rank tests get no picture.

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/fisher_f.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/students_t.hpp>

#include "distribuicoes/distribuicoes.hpp"
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

// The densities from Boost.Math as the tables' layer uses it: NaN rather than
// an exception, and doubles never promoted to long double, so that every
// build draws the same bytes.
namespace pol = boost::math::policies;
using politica = pol::policy<pol::domain_error<pol::ignore_error>, pol::pole_error<pol::ignore_error>,
                             pol::overflow_error<pol::ignore_error>,
                             pol::evaluation_error<pol::ignore_error>, pol::promote_double<false>>;

template <class Lei>
std::function<double(double)> densidade_de(const Lei& lei) {
    return [lei](double x) {
        const auto [menor, maior] = boost::math::support(lei);
        return x >= menor && x <= maior ? boost::math::pdf(lei, x) : NAN;  // not drawn outside the law
    };
}

bool gl_valido(double g) { return std::isfinite(g) && g > 0; }

std::optional<lei_continua> lei_de(const estatistica& e) {
    namespace d = distribuicoes;
    const std::string g1 = gl(e.gl1), g2 = gl(e.gl2);
    switch (e.distribuicao) {
        case lei::t_student:
        case lei::t_tabelado:
        case lei::correlacao:  // r drawn through its t, with n - 2 gl (t_da_correlacao)
            if (!gl_valido(e.gl1)) return std::nullopt;
            return lei_continua{"t de Student com " + g1 + " gl", "t (" + g1 + " gl)",
                                densidade_de(boost::math::students_t_distribution<double, politica>(e.gl1)),
                                d::t_critico_bilateral(alfa, e.gl1), true, d::t_critico_bilateral(0.01, e.gl1)};
        case lei::normal:
            return lei_continua{"normal padrão", "Z", densidade_de(boost::math::normal_distribution<double, politica>()),
                                d::normal_critico_bilateral(alfa), true, d::normal_critico_bilateral(0.01)};
        case lei::f_snedecor:
            if (!gl_valido(e.gl1) || !gl_valido(e.gl2)) return std::nullopt;
            return lei_continua{"F com " + g1 + " e " + g2 + " gl", "F (" + g1 + " e " + g2 + " gl)",
                                densidade_de(boost::math::fisher_f_distribution<double, politica>(e.gl1, e.gl2)),
                                d::f_critico_superior(alfa, e.gl1, e.gl2), false,
                                d::f_critico_superior(0.005, e.gl1, e.gl2)};
        case lei::qui_quadrado:
        case lei::kruskal_wallis:
            if (!gl_valido(e.gl1)) return std::nullopt;
            return lei_continua{"qui-quadrado com " + g1 + " gl", "Qui-quadrado (" + g1 + " gl)",
                                densidade_de(boost::math::chi_squared_distribution<double, politica>(e.gl1)),
                                d::qui_critico_superior(alfa, e.gl1), false, d::qui_critico_superior(0.005, e.gl1)};
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

std::string desenho_da_lei(const estatistica& e, const lei_continua& l) {
    const std::string nome = texto_da_tela(e.nome).empty() ? "estatística" : texto_da_tela(e.nome);
    const bool marcavel = std::isfinite(e.valor);
    const double valor = l.bilateral ? std::fabs(e.valor) : e.valor;
    // To the far quantile, but no farther than three critical values: a long
    // tail (F with few gl) would squeeze the rest into a corner.
    double ate = std::max(std::min(l.alcance, l.critico * 3), l.critico * 1.15);
    if (l.bilateral) ate = std::max(ate, 4.0);
    if (marcavel && valor * 1.1 > ate) ate = std::min(valor * 1.1, ate * 3);
    const double de = l.bilateral ? -ate : 0;
    // The height: the density's peak, sampled beside a pole at zero (F and
    // chi-square with one or two gl) rather than on it.
    double pico = 0;
    for (int k = 1; k <= 200; ++k) {
        const double y = l.densidade(de + (ate - de) * k / 200);
        if (std::isfinite(y)) pico = std::max(pico, y);
    }
    const auto mx = marcas_de(de, ate, 10), my = marcas_de(0, pico * 1.08, 4);
    auto p = plano_padrao(altura, false, mx, my);
    p.topo = 50;
    p.y = {my.de, my.ate, p.base, p.topo};

    const std::string valor_na_tela = como_na_tela(e.valor, e.casas);
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
    constexpr std::string_view tracejada = "stroke=\"#000\" stroke-width=\"1\" stroke-dasharray=\"4 3\" class=\"critico\"";
    d.linha(xc, p.topo + 14, xc, p.base, tracejada);
    if (l.bilateral) d.linha(p.x(-l.critico), p.topo + 14, p.x(-l.critico), p.base, tracejada);
    // Away from the statistic, unless that runs into the axis' labels.
    const bool rotulo_a_direita = !marcavel || e.valor < l.critico || xc - 130 < p.esquerda;
    const std::string lado = rotulo_a_direita ? LOUSA_HALO : "text-anchor=\"end\" " LOUSA_HALO;
    const double xr = rotulo_a_direita ? xc + 5 : xc - 5;
    d.texto(xr, p.topo + 26, "crítico " + numero(l.critico, 3), lado);
    d.texto(xr, p.topo + 42, l.bilateral ? "(2.5 % em cada cauda)" : "(5 % além dele)", lado);
    if (marcavel) {
        const double x = p.x(std::clamp(e.valor, mx.de, mx.ate));
        d.linha(x, p.topo - 6, x, p.base, "stroke=\"#0072B2\" stroke-width=\"3\" class=\"estatistica\"");
        const bool a_esquerda = x > (p.esquerda + p.direita) / 2 && x > xc;
        d.texto(a_esquerda ? x - 6 : x + 6, p.topo + 6, nome + " = " + valor_na_tela,
                a_esquerda ? "text-anchor=\"end\" font-weight=\"bold\" " LOUSA_HALO : "font-weight=\"bold\" " LOUSA_HALO);
    }
    return d.fecha();
}

// Pearson's r is read in the t table: t = r sqrt((n - 2) / (1 - r²)).
estatistica t_da_correlacao(estatistica e) {
    const double r = e.valor, gl = e.n1 - 2.0;
    e.nome = "t de " + e.nome;
    e.valor = r * std::sqrt(gl / (1 - r * r));
    e.gl1 = gl;
    e.casas = 2;
    return e;
}

}  // namespace

std::string distribuicao(const estatistica& e) {
    const estatistica lida = e.distribuicao == lei::correlacao ? t_da_correlacao(e) : e;
    const auto l = lei_de(lida);
    if (!l || !std::isfinite(l->critico) || !std::isfinite(l->alcance)) return {};
    return desenho_da_lei(lida, *l);
}

}  // namespace lousa::graficos
