// The pictures of samples: dots per group, cell means, a sequence, a proportion.

#include <algorithm>
#include <cmath>
#include <utility>

#include "graficos/figuras.hpp"
#include "graficos/svg.hpp"

namespace lousa::graficos {

using namespace resultados;

namespace {

constexpr int altura_padrao = 400;
constexpr std::string_view linha_de_referencia = "stroke=\"#000\" stroke-width=\"1.5\" stroke-dasharray=\"6 4\"";

const char* nome_do_centro(centro c) {
    return c == centro::media ? "média" : c == centro::mediana ? "mediana" : "posto médio";
}

std::string nome_do_grupo(const grupo& g, std::size_t k, bool diferencas) {
    std::string nome = texto_da_tela(g.nome);
    if (!nome.empty()) return nome;
    return diferencas ? "Diferenças" : "Grupo " + std::to_string(k + 1);
}

// Equal values side by side: the k-th dot of a height goes 0, +7, -7, +14, ...
// pixels from the column's centre, wrapping within the column.
class empilhador {
public:
    explicit empilhador(double meia_largura) : limite_(std::max(1, static_cast<int>(meia_largura / 7))) {}
    double desvio(double y) {
        const long long faixa = std::llround(y / 7);
        int& vezes = contagem(faixa);
        const int k = vezes++ % (2 * limite_ + 1);
        return (k % 2 == 1 ? 1 : -1) * 7.0 * ((k + 1) / 2);
    }

private:
    int& contagem(long long faixa) {
        for (auto& [f, n] : contagens_)
            if (f == faixa) return n;
        return contagens_.emplace_back(faixa, 0).second;
    }
    int limite_;
    std::vector<std::pair<long long, int>> contagens_;
};

std::string resumo_das_amostras(const amostras& a, bool diferencas) {
    std::string s = "Valores de " + std::to_string(a.grupos.size()) +
                    (a.grupos.size() == 1 ? " grupo" : " grupos") + " em pontos, com a " +
                    nome_do_centro(a.marca) + " de cada um marcada: ";
    for (std::size_t k = 0; k < a.grupos.size(); ++k) {
        const auto& g = a.grupos[k];
        s += (k ? "; " : "") + nome_do_grupo(g, k, diferencas) + ", " + std::to_string(g.valores.size()) +
             " valores, " + nome_do_centro(a.marca) + " " + breve(g.centro);
    }
    return s + ".";
}

}  // namespace

std::string desenha_amostras(const std::string& titulo, const amostras& a, bool diferencas, const saida* destino) {
    if (a.grupos.empty()) return {};
    std::vector<double> escala_y;
    for (const auto& g : a.grupos) {
        escala_y.insert(escala_y.end(), g.valores.begin(), g.valores.end());
        if (a.marca != centro::posto_medio) escala_y.push_back(g.centro);  // a rank is on another scale
    }
    if (diferencas) escala_y.push_back(0);
    const auto e = extremos_de({&escala_y});
    const auto my = marcas_de(e.menor, e.maior, 6);
    auto p = plano_padrao(altura_padrao, false, my, my);
    p.x = escala_de_categorias(a.grupos.size(), p.esquerda, p.direita);

    svg d(altura_padrao,
          titulo + (diferencas ? ": as diferenças e a " + std::string(nome_do_centro(a.marca))
                               : ": valores e " + std::string(nome_do_centro(a.marca)) + " por grupo"),
          resumo_das_amostras(a, diferencas), destino);
    std::vector<std::string> nomes;
    for (std::size_t k = 0; k < a.grupos.size(); ++k) nomes.push_back(nome_do_grupo(a.grupos[k], k, diferencas));
    eixos_de_categorias(d, p, nomes, my, "", diferencas ? "Diferença" : "Valor");
    if (diferencas) d.linha(p.esquerda, p.y(0), p.direita, p.y(0), linha_de_referencia);

    const double meia = std::min(60.0, (p.direita - p.esquerda) / static_cast<double>(a.grupos.size()) * 0.35);
    for (std::size_t k = 0; k < a.grupos.size(); ++k) {
        const auto& g = a.grupos[k];
        const auto& estilo = estilo_da_serie(k);
        const double x = p.x(static_cast<double>(k));
        empilhador pilha(meia);
        for (const double v : g.valores) {
            if (!std::isfinite(v)) continue;
            const double y = p.y(v);
            d.marcador(estilo.marcador, x + pilha.desvio(y), y, estilo.cor, "ponto");
        }
        if (a.marca != centro::posto_medio && std::isfinite(g.centro))
            d.linha(x - meia, p.y(g.centro), x + meia, p.y(g.centro), "stroke=\"#000\" stroke-width=\"3\" class=\"centro\"");
        d.texto(x, p.base + 34, std::string(nome_do_centro(a.marca)) + " " + breve(g.centro), "text-anchor=\"middle\"");
    }
    return d.fecha();
}

std::string desenha_interacao(const std::string& titulo, const medias_de_celulas& m, const saida* destino) {
    const auto linhas = static_cast<std::size_t>(std::max(m.linhas, 0));
    const auto colunas = static_cast<std::size_t>(std::max(m.colunas, 0));
    if (linhas == 0 || colunas == 0 || m.medias.size() < linhas * colunas) return {};
    const auto e = extremos_de({&m.medias});
    const auto my = marcas_de(e.menor, e.maior, 6);
    auto p = plano_padrao(altura_padrao, true, my, my);
    p.x = escala_de_categorias(colunas, p.esquerda, p.direita);

    svg d(altura_padrao, titulo + ": médias das células",
          "Gráfico de interação: as médias das células de " + std::to_string(linhas) + " linhas e " +
              std::to_string(colunas) + " colunas, uma linha do gráfico para cada linha da tabela, " +
              "de coluna em coluna; linhas paralelas indicam ausência de interação.", destino);
    eixos_de_categorias(d, p, nomes_das_colunas(colunas), my, "Coluna", "Média da célula");

    std::vector<item_de_legenda> itens;
    for (std::size_t i = 0; i < linhas; ++i) {
        const auto& estilo = estilo_da_serie(i);
        d.inicia_caminho(traco_de(estilo, 2));
        for (std::size_t j = 0; j < colunas; ++j) {
            const double v = m.medias[i * colunas + j];
            if (std::isfinite(v)) d.ponto_do_caminho(p.x(static_cast<double>(j)), p.y(v));
            else d.quebra_caminho();
        }
        d.fecha_caminho();
        for (std::size_t j = 0; j < colunas; ++j) {
            const double v = m.medias[i * colunas + j];
            if (std::isfinite(v)) d.marcador(estilo.marcador, p.x(static_cast<double>(j)), p.y(v), estilo.cor, "ponto");
        }
        itens.push_back({"Linha " + std::to_string(i + 1), estilo});
    }
    legenda(d, p, itens);
    return d.fecha();
}

std::string desenha_sequencia(const std::string& titulo, const sequencia& s, const saida* destino) {
    const auto n = s.valores.size();
    if (n == 0) return {};
    // The runs, as the test counts them: above the median, or not above it.
    std::vector<std::pair<std::size_t, std::size_t>> sequencias;
    for (std::size_t k = 0; k < n; ++k) {
        const bool acima = s.valores[k] > s.mediana;
        if (k == 0 || acima != (s.valores[k - 1] > s.mediana)) sequencias.emplace_back(k, k);
        sequencias.back().second = k;
    }
    std::vector<double> escala_y = s.valores;
    escala_y.push_back(s.mediana);
    const auto e = extremos_de({&escala_y});
    const auto mx = marcas_de(1, static_cast<double>(n), 10), my = marcas_de(e.menor, e.maior, 6);
    auto p = plano_padrao(altura_padrao, false, mx, my);
    p.x = {0.5, static_cast<double>(n) + 0.5, p.esquerda, p.direita};

    svg d(altura_padrao, titulo + ": a sequência e a mediana",
          "Os " + std::to_string(n) + " valores na ordem em que foram digitados, a mediana (" + breve(s.mediana) +
              ") como linha tracejada e as " + std::to_string(sequencias.size()) +
              " sequências de valores acima e não acima dela sombreadas alternadamente; pontos cheios acima da mediana.",
          destino);
    for (std::size_t r = 0; r < sequencias.size(); r += 2) {
        const double x0 = p.x(static_cast<double>(sequencias[r].first) + 0.5);
        const double x1 = p.x(static_cast<double>(sequencias[r].second) + 1.5);
        d.retangulo(x0, p.topo, x1 - x0, p.base - p.topo, "fill=\"#e3e3e3\" class=\"sequencia\"");
    }
    eixos(d, p, mx, my, "Ordem de digitação", "Valor");
    const double ym = p.y(s.mediana);
    d.linha(p.esquerda, ym, p.direita, ym, linha_de_referencia);
    d.texto(p.direita - 4, ym - 6, "mediana " + breve(s.mediana), "text-anchor=\"end\" " LOUSA_HALO);
    d.inicia_caminho("stroke=\"#555\" stroke-width=\"1\"");
    for (std::size_t k = 0; k < n; ++k) d.ponto_do_caminho(p.x(static_cast<double>(k + 1)), p.y(s.valores[k]));
    d.fecha_caminho();
    for (std::size_t k = 0; k < n; ++k)
        d.marcador(s.valores[k] > s.mediana ? 6 : 0, p.x(static_cast<double>(k + 1)), p.y(s.valores[k]), "#0072B2",
                   "ponto");
    return d.fecha();
}

std::string desenha_proporcao(const std::string& titulo, const proporcao& r, const saida* destino) {
    constexpr int altura = 220;
    const std::vector<double> valores = {r.p, r.p0, r.inferior, r.superior, 0, 1};
    const auto e = extremos_de({&valores});
    const auto mx = marcas_de(e.menor, e.maior, 10);
    plano p{40, 56, 600, 160, {mx.de, mx.ate, 40, 600}, {0, 1, 160, 56}};

    svg d(altura, titulo + ": a proporção e a faixa de 1.96",
          "Proporção p = " + breve(r.p) + " e o valor com que é comparada, " + breve(r.p0) +
              "; a faixa de 1.96 erros-padrão vai de " + breve(r.inferior) + " a " + breve(r.superior) + ".", destino);
    eixo_x(d, p, mx);
    d.texto(320, p.base + 40, "Proporção", "text-anchor=\"middle\"");
    const double x0 = p.x(r.inferior), x1 = p.x(r.superior), y0 = p.topo + 24, y1 = p.base - 12;
    if (std::isfinite(x0) && std::isfinite(x1))
        d.retangulo(std::min(x0, x1), y0, std::fabs(x1 - x0), y1 - y0,
                    "fill=\"#d9d9d9\" stroke=\"#000\" stroke-dasharray=\"3 2\" class=\"faixa\"");
    d.texto((x0 + x1) / 2, p.topo + 14, "faixa de 1.96: " + breve(r.inferior) + " a " + breve(r.superior),
            "text-anchor=\"middle\"");
    const bool p_a_direita = r.p >= r.p0;
    const double xp0 = p.x(r.p0), xp = p.x(r.p), ym = (y0 + y1) / 2;
    d.linha(xp0, y0 - 4, xp0, p.base, "stroke=\"#000\" stroke-width=\"2\" stroke-dasharray=\"6 3\" class=\"p0\"");
    d.texto(p_a_direita ? xp0 - 6 : xp0 + 6, y1 - 4, "comparada: " + breve(r.p0),
            p_a_direita ? "text-anchor=\"end\"" : "");
    d.marcador(6, xp, ym, "#D55E00", "ponto");
    d.texto(p_a_direita ? xp + 8 : xp - 8, ym - 8, "p = " + breve(r.p), p_a_direita ? "" : "text-anchor=\"end\"");
    return d.fecha();
}

}  // namespace lousa::graficos

namespace lousa::graficos {

std::string numeros_de(const amostras& a, bool diferencas) {
    std::string centro_maiusculo = nome_do_centro(a.marca);
    centro_maiusculo[0] = static_cast<char>(centro_maiusculo[0] - 'a' + 'A');
    std::string s = linha_de_numeros({"Grupo", "n", centro_maiusculo, "Valores"});
    for (std::size_t k = 0; k < a.grupos.size(); ++k) {
        const auto& g = a.grupos[k];
        std::string lista;
        for (const double v : g.valores) lista += (lista.empty() ? "" : "; ") + breve(v);
        s += linha_de_numeros({nome_do_grupo(g, k, diferencas), std::to_string(g.valores.size()), breve(g.centro), lista});
    }
    return s;
}

std::string numeros_de(const medias_de_celulas& m) {
    const auto colunas = static_cast<std::size_t>(std::max(m.colunas, 0));
    std::string s = linha_de_numeros(nomes_das_colunas(colunas, "Média da célula"));
    for (std::size_t i = 0; colunas > 0 && i < static_cast<std::size_t>(std::max(m.linhas, 0)); ++i) {
        std::vector<std::string> linha{"Linha " + std::to_string(i + 1)};
        for (std::size_t j = 0; j < colunas && i * colunas + j < m.medias.size(); ++j)
            linha.push_back(breve(m.medias[i * colunas + j]));
        s += linha_de_numeros(linha);
    }
    return s;
}

std::string numeros_de(const sequencia& q) {
    std::string s = linha_de_numeros({"Ordem", "Valor", "Em relação à mediana " + breve(q.mediana)});
    for (std::size_t k = 0; k < q.valores.size(); ++k)
        s += linha_de_numeros({std::to_string(k + 1), breve(q.valores[k]), q.valores[k] > q.mediana ? "acima" : "não acima"});
    return s;
}

std::string numeros_de(const proporcao& r) {
    return linha_de_numeros({"Proporção", "Comparada com", "Faixa de 1.96: de", "a"}) +
           linha_de_numeros({breve(r.p), breve(r.p0), breve(r.inferior), breve(r.superior)});
}

}  // namespace lousa::graficos
