// The pictures of pairs: points with fitted curves, ranks against ranks.

#include <algorithm>
#include <cmath>

#include "graficos/figuras.hpp"
#include "graficos/svg.hpp"

namespace lousa::graficos {

using namespace resultados;

namespace {

constexpr int altura_padrao = 400;

// A fitted curve on the untransformed axes: NaN or an infinity where it is
// not defined, which cuts the line drawn.
double avalia(const curva& f, double x) {
    switch (f.tipo) {
        case forma::reta: return f.a + f.b * x;
        case forma::hiperbole: return f.a + f.b / x;
        case forma::logaritmica: return f.a + f.b * std::log(x);
        case forma::exponencial: return f.a * std::exp(f.b * x);
        case forma::potencial: return f.a * std::pow(x, f.b);
        case forma::parabola: return f.c * (x - f.b) * (x - f.b) + f.a;
        case forma::hiperbole_reta: return f.a + f.b / x + f.c * x;
        case forma::potencia_exp: return f.a * std::pow(x, f.b) * std::pow(f.c, x);
        case forma::gaussiana: return f.a * std::pow(f.b, (x - f.c) * (x - f.c));
    }
    return NAN;
}

const char* formula(forma tipo) {
    switch (tipo) {
        case forma::reta: return "Y = a + bX";
        case forma::hiperbole: return "Y = a + b/X";
        case forma::logaritmica: return "Y = a + b ln X";
        case forma::exponencial: return "Y = a e^(bX)";
        case forma::potencial: return "Y = a X^b";
        case forma::parabola: return "Y = c (X - b)² + a";
        case forma::hiperbole_reta: return "Y = a + b/X + cX";
        case forma::potencia_exp: return "Y = a X^b c^X";
        case forma::gaussiana: return "Y = a b^((X - c)²)";
    }
    return "";
}

const char* nome_da_forma(forma tipo) {
    switch (tipo) {
        case forma::reta: return "Reta";
        case forma::hiperbole: return "Hipérbole";
        case forma::logaritmica: return "Logarítmica";
        case forma::exponencial: return "Exponencial";
        case forma::potencial: return "Potencial";
        case forma::parabola: return "Parábola";
        case forma::hiperbole_reta: return "Hipérbole e reta";
        case forma::potencia_exp: return "Potência e exponencial";
        case forma::gaussiana: return "Gaussiana";
    }
    return "";
}

bool usa_c(forma tipo) { return tipo >= forma::parabola; }

std::string nome_da_curva(const curva& f) {
    std::string nome = texto_da_tela(f.nome);
    return nome.empty() ? nome_da_forma(f.tipo) : nome;
}

std::string resumo_dos_ajustes(const ajustes& a, std::size_t n) {
    std::string s = std::to_string(n) + " pontos (X, Y) e " + std::to_string(a.curvas.size()) +
                    (a.curvas.size() == 1 ? " curva ajustada" : " curvas ajustadas") + ", nos eixos originais";
    for (std::size_t k = 0; k < a.curvas.size(); ++k) {
        const auto& f = a.curvas[k];
        s += (k ? "; " : ": ") + nome_da_curva(f) + " (" + formula(f.tipo) + ", a = " + breve(f.a) +
             ", b = " + breve(f.b) + (usa_c(f.tipo) ? ", c = " + breve(f.c) : "") + ")";
    }
    return s + ".";
}

}  // namespace

std::string desenha_ajustes(const std::string& titulo, const ajustes& a, const saida* destino) {
    const std::size_t n = std::min(a.x.size(), a.y.size());
    if (n == 0) return {};
    const auto ex = extremos_de({&a.x}), ey = extremos_de({&a.y});
    const auto mx = marcas_de(ex.menor, ex.maior, 8), my = marcas_de(ey.menor, ey.maior, 6);
    const auto p = plano_padrao(altura_padrao, true, mx, my);

    svg d(altura_padrao, titulo + ": pontos e curvas ajustadas", resumo_dos_ajustes(a, n), destino);
    eixos(d, p, mx, my, "X", "Y");
    std::vector<item_de_legenda> itens{{"Pontos (" + std::to_string(n) + ")", {"#000", "", 0}, false, true}};
    for (std::size_t k = 0; k < a.curvas.size(); ++k) {
        const auto& f = a.curvas[k];
        const auto& estilo = estilo_da_serie(k);
        traca_curva(d, p, traco_de(estilo, 2) + " class=\"curva\"", [&f](double x) { return avalia(f, x); });
        itens.push_back({nome_da_curva(f), estilo, true, false});
    }
    for (std::size_t k = 0; k < n; ++k)
        if (std::isfinite(a.x[k]) && std::isfinite(a.y[k])) d.marcador(0, p.x(a.x[k]), p.y(a.y[k]), "#000", "ponto");
    legenda(d, p, itens);
    return d.fecha();
}

std::string desenha_postos(const std::string& titulo, const pares_de_postos& r, const saida* destino) {
    const std::size_t n = std::min(r.x.size(), r.y.size());
    if (n == 0) return {};
    const auto e = extremos_de({&r.x, &r.y});
    const auto m = marcas_de(std::min(e.menor, 1.0), e.maior, 8);
    const auto p = plano_padrao(altura_padrao, false, m, m);

    svg d(altura_padrao, titulo + ": posto contra posto",
          "Os postos de " + std::to_string(n) +
              " pares, o de X contra o de Y; a linha tracejada é a concordância perfeita (postos iguais).", destino);
    eixos(d, p, m, m, "Posto de X", "Posto de Y");
    d.linha(p.x(m.de), p.y(m.de), p.x(m.ate), p.y(m.ate), "stroke=\"#000\" stroke-width=\"1\" stroke-dasharray=\"6 4\"");
    for (std::size_t k = 0; k < n; ++k)
        if (std::isfinite(r.x[k]) && std::isfinite(r.y[k])) d.marcador(0, p.x(r.x[k]), p.y(r.y[k]), "#0072B2", "ponto");
    return d.fecha();
}

}  // namespace lousa::graficos

namespace lousa::graficos {

// Each point with what every curve gives at its X.
std::string numeros_de(const ajustes& a) {
    std::vector<std::string> cabecalho{"X", "Y"};
    for (const auto& f : a.curvas) cabecalho.push_back(nome_da_curva(f) + ": " + formula(f.tipo));
    std::string s = linha_de_numeros(cabecalho);
    for (std::size_t k = 0; k < std::min(a.x.size(), a.y.size()); ++k) {
        std::vector<std::string> linha{breve(a.x[k]), breve(a.y[k])};
        for (const auto& f : a.curvas) linha.push_back(breve(avalia(f, a.x[k])));
        s += linha_de_numeros(linha);
    }
    return s;
}

std::string numeros_de(const pares_de_postos& r) {
    std::string s = linha_de_numeros({"Par", "Posto de X", "Posto de Y"});
    for (std::size_t k = 0; k < std::min(r.x.size(), r.y.size()); ++k)
        s += linha_de_numeros({std::to_string(k + 1), breve(r.x[k]), breve(r.y[k])});
    return s;
}

}  // namespace lousa::graficos
