// The pictures of frequencies: observed against expected, and the two
// cumulative curves of the Kolmogorov-Smirnov test.

#include <algorithm>
#include <cmath>

#include "graficos/figuras.hpp"
#include "graficos/svg.hpp"

namespace lousa::graficos {

using namespace resultados;

namespace {

constexpr int altura_padrao = 400;

std::string nome_da_classe(const std::vector<std::string>& classes, std::size_t k) {
    std::string nome = k < classes.size() ? texto_da_tela(classes[k]) : std::string();
    return nome.empty() ? std::to_string(k + 1) : nome;
}

std::string preenchimento(const estilo& e, double opacidade) {
    std::string s = "stroke=\"";
    s += e.cor;
    s += "\" stroke-width=\"1.5\" fill=\"";
    s += e.cor;
    s += "\" fill-opacity=\"";
    s += breve(opacidade);
    return s + "\"";
}

// Observed beside expected, class by class (the goodness-of-fit model).
std::string aderencia(const std::string& titulo, const frequencias& f, const saida* destino) {
    const std::size_t k = std::min(f.observadas.size(), f.esperadas.size());
    if (k == 0) return {};
    const std::vector<double> zero{0};
    const auto e = extremos_de({&f.observadas, &f.esperadas, &zero});
    const auto my = marcas_de(std::min(e.menor, 0.0), e.maior, 6);
    auto p = plano_padrao(altura_padrao, true, my, my);
    p.x = escala_de_categorias(k, p.esquerda, p.direita);

    svg d(altura_padrao, titulo + ": frequências observadas e esperadas",
          "Frequência observada (Fo, barra cheia) e esperada (Fe, barra tracejada) de cada uma das " +
              std::to_string(k) + " classes.", destino);
    std::vector<std::string> nomes;
    for (std::size_t j = 0; j < k; ++j) nomes.push_back(nome_da_classe(f.classes, j));
    eixos_de_categorias(d, p, nomes, my, "Classe", "Frequência");
    const std::string observada = preenchimento(estilo_da_serie(0), 0.85) + " class=\"observada\"";
    const std::string esperada =
        "stroke=\"#D55E00\" stroke-width=\"2\" stroke-dasharray=\"5 3\" fill=\"#fff\" class=\"esperada\"";
    const double w = (p.direita - p.esquerda) / static_cast<double>(k) * 0.36;
    for (std::size_t j = 0; j < k; ++j) {
        const double x = p.x(static_cast<double>(j)), y0 = p.y(0);
        if (std::isfinite(f.observadas[j])) d.retangulo(x - w, y0, w, p.y(f.observadas[j]) - y0, observada);
        if (std::isfinite(f.esperadas[j])) d.retangulo(x, y0, w, p.y(f.esperadas[j]) - y0, esperada);
    }
    item_de_legenda fo{"Observada (Fo)", estilo_da_serie(0), false, false, observada};
    item_de_legenda fe{"Esperada (Fe)", estilo_da_serie(1), false, false, esperada};
    legenda(d, p, {fo, fe});
    return d.fecha();
}

// The table's cells as bars side by side, column by column, one shade and
// marker per row, each with its expected frequency as a black tick.
std::string contingencia(const std::string& titulo, const frequencias& f, const saida* destino) {
    const auto linhas = static_cast<std::size_t>(std::max(f.linhas, 0));
    const auto colunas = static_cast<std::size_t>(std::max(f.colunas, 0));
    if (linhas == 0 || colunas == 0 || f.observadas.size() < linhas * colunas) return {};
    const bool com_esperadas = f.esperadas.size() >= linhas * colunas;
    const std::vector<double> zero{0};
    const auto e = extremos_de({&f.observadas, com_esperadas ? &f.esperadas : &zero, &zero});
    const auto my = marcas_de(std::min(e.menor, 0.0), e.maior, 6);
    auto p = plano_padrao(altura_padrao, true, my, my);
    p.x = escala_de_categorias(colunas, p.esquerda, p.direita);

    const double fenda = (p.direita - p.esquerda) / static_cast<double>(colunas);
    const double w = fenda * 0.8 / static_cast<double>(linhas);
    // Bars thinner than a pixel and a half (a 50 x 50 table's are a sixth of
    // one) are single strokes, with no room for an expected tick.
    const bool finas = w < 1.5, com_tracos = com_esperadas && !finas;

    svg d(altura_padrao, titulo + ": a tabela de contingência",
          "Frequências observadas da tabela de " + std::to_string(linhas) + " linhas e " + std::to_string(colunas) +
              " colunas, em barras lado a lado por coluna, uma para cada linha" +
              (com_tracos ? "; a frequência esperada de cada célula marcada por um traço preto."
               : com_esperadas ? "; as barras são finas demais para marcar a frequência esperada de cada célula."
                               : "."), destino);
    eixos_de_categorias(d, p, nomes_das_colunas(colunas), my, "Coluna", "Frequência");
    std::vector<item_de_legenda> itens;
    for (std::size_t i = 0; i < linhas; ++i) {
        const auto& estilo = estilo_da_serie(i);
        const std::string atributos = preenchimento(estilo, 0.35) + " class=\"observada\"";
        // A row's bars are one outline and its expected ticks one line: a
        // 50 x 50 table stays a picture of some kilobytes per row.
        const auto x_de = [&](std::size_t j) { return p.x(static_cast<double>(j)) - fenda * 0.4 + w * static_cast<double>(i); };
        const double y0 = p.y(0);
        if (finas) d.inicia_caminho(traco_de({estilo.cor, "", estilo.marcador}, w) + " class=\"observada\"");
        else d.inicia_area(atributos);
        for (std::size_t j = 0; j < colunas; ++j) {
            const double fo = f.observadas[i * colunas + j], x = x_de(j);
            if (!std::isfinite(fo)) continue;
            if (finas) {
                d.vertical(x + w / 2, y0, p.y(fo));
                continue;
            }
            d.ponto_do_caminho(x, y0), d.ponto_do_caminho(x + w, y0);
            d.ponto_do_caminho(x + w, p.y(fo)), d.ponto_do_caminho(x, p.y(fo));
            d.fecha_contorno();
        }
        d.fecha_caminho();
        if (com_tracos) {
            d.inicia_caminho("stroke=\"#000\" stroke-width=\"3\" class=\"esperada\"");
            for (std::size_t j = 0; j < colunas; ++j) {
                const double fe = f.esperadas[i * colunas + j], x = x_de(j);
                if (!std::isfinite(fe)) continue;
                d.ponto_do_caminho(x, p.y(fe)), d.ponto_do_caminho(x + w, p.y(fe));
                d.quebra_caminho();
            }
            d.fecha_caminho();
        }
        for (std::size_t j = 0; w >= 8 && j < colunas; ++j) {
            const double fo = f.observadas[i * colunas + j];
            if (std::isfinite(fo)) d.marcador(estilo.marcador, x_de(j) + w / 2, p.y(fo) - 8, estilo.cor);
        }
        itens.push_back({"Linha " + std::to_string(i + 1), estilo, false, true, atributos});
    }
    if (com_tracos) itens.push_back({"Esperada", {"#000", "", 0}, true, false});
    legenda(d, p, itens);
    return d.fecha();
}

}  // namespace

std::string desenha_frequencias(const std::string& titulo, const frequencias& f, const saida* destino) {
    return f.linhas <= 1 ? aderencia(titulo, f, destino) : contingencia(titulo, f, destino);
}

std::string desenha_acumuladas(const std::string& titulo, const acumuladas& a, const saida* destino) {
    const std::size_t k = std::min(a.observada.size(), a.teorica.size());
    if (k == 0) return {};
    const std::vector<double> zero{0};
    const auto e = extremos_de({&a.observada, &a.teorica, &zero});
    const auto my = marcas_de(e.menor, e.maior, 5);
    auto p = plano_padrao(altura_padrao, true, my, my);
    p.x = escala_de_categorias(k, p.esquerda, p.direita);
    const auto onde = static_cast<std::size_t>(a.classe_do_dc);
    const bool dc_visivel = a.classe_do_dc >= 0 && onde < k;
    const std::string dc = "Dc = " + como_na_tela(a.dc, 3);

    svg d(altura_padrao, titulo + ": frequências acumuladas",
          "Frequências relativas acumuladas observada (linha cheia, círculos) e teórica (linha tracejada, "
          "quadrados) de " + std::to_string(k) + " classes; a maior diferença, " + dc +
              (dc_visivel ? ", ocorre na classe " + nome_da_classe(a.classes, onde) + "." : "."), destino);
    std::vector<std::string> nomes;
    for (std::size_t j = 0; j < k; ++j) nomes.push_back(nome_da_classe(a.classes, j));
    eixos_de_categorias(d, p, nomes, my, "Classe", "Frequência acumulada");
    const std::vector<const std::vector<double>*> curvas{&a.observada, &a.teorica};
    for (std::size_t c = 0; c < 2; ++c) {
        const auto& estilo = estilo_da_serie(c);
        d.inicia_caminho(traco_de(estilo, 2));
        for (std::size_t j = 0; j < k; ++j) {
            const double v = (*curvas[c])[j];
            if (std::isfinite(v)) d.ponto_do_caminho(p.x(static_cast<double>(j)), p.y(v));
            else d.quebra_caminho();
        }
        d.fecha_caminho();
        for (std::size_t j = 0; j < k; ++j)
            if (std::isfinite((*curvas[c])[j]))
                d.marcador(estilo.marcador, p.x(static_cast<double>(j)), p.y((*curvas[c])[j]), estilo.cor,
                           c == 0 ? "ponto" : "teorica");
    }
    if (dc_visivel) {
        const double x = p.x(static_cast<double>(onde));
        d.linha(x, p.y(a.observada[onde]), x, p.y(a.teorica[onde]), "stroke=\"#000\" stroke-width=\"3\" class=\"dc\"");
        d.texto(x + 8, (p.y(a.observada[onde]) + p.y(a.teorica[onde])) / 2 + 4, dc, "font-weight=\"bold\" " LOUSA_HALO);
    }
    legenda(d, p, {{"Observada", estilo_da_serie(0)}, {"Teórica", estilo_da_serie(1)}, {dc, {"#000", "", 0}, true, false}});
    return d.fecha();
}

}  // namespace lousa::graficos

namespace lousa::graficos {

// Goodness of fit: observed and expected per class; a contingency table: each
// cell's observed frequency with its expected one in brackets.
std::string numeros_de(const frequencias& f) {
    if (f.linhas <= 1) {
        std::string s = linha_de_numeros({"Classe", "Observada", "Esperada"});
        for (std::size_t k = 0; k < std::min(f.observadas.size(), f.esperadas.size()); ++k)
            s += linha_de_numeros({nome_da_classe(f.classes, k), breve(f.observadas[k]), breve(f.esperadas[k])});
        return s;
    }
    const auto colunas = static_cast<std::size_t>(std::max(f.colunas, 0));
    std::string s = linha_de_numeros(nomes_das_colunas(colunas, "Observada (esperada)"));
    for (std::size_t i = 0; colunas > 0 && i < static_cast<std::size_t>(f.linhas); ++i) {
        std::vector<std::string> linha{"Linha " + std::to_string(i + 1)};
        for (std::size_t j = 0, c = i * colunas; j < colunas && c < f.observadas.size(); ++j, ++c)
            linha.push_back(breve(f.observadas[c]) + (c < f.esperadas.size() ? " (" + breve(f.esperadas[c]) + ")" : ""));
        s += linha_de_numeros(linha);
    }
    return s;
}

std::string numeros_de(const acumuladas& a) {
    std::string s = linha_de_numeros({"Classe", "Observada acumulada", "Teórica acumulada", "Diferença"});
    for (std::size_t k = 0; k < std::min(a.observada.size(), a.teorica.size()); ++k)
        s += linha_de_numeros({nome_da_classe(a.classes, k), breve(a.observada[k]), breve(a.teorica[k]),
                               breve(std::fabs(a.observada[k] - a.teorica[k]))});
    return s;
}

}  // namespace lousa::graficos
