#include "graficos/graficos.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

#include "common/textos.hpp"
#include "graficos/figuras.hpp"
#include "graficos/svg.hpp"

namespace lousa::graficos {

namespace {

using namespace resultados;

// The applications' names in file names, by menu code, as examples/ names them.
constexpr std::array<std::string_view, 17> nomes_curtos = {
    "",
    "dimensionamento-de-amostras",
    "teste-t-de-student",
    "teste-t-pareado",
    "anova-um-criterio",
    "anova-dois-criterios",
    "anova-com-repeticoes",
    "correlacao-e-regressao",
    "teste-de-aleatoriedade",
    "qui-quadrado",
    "kolmogorov-smirnov",
    "teste-z-proporcoes",
    "wilcoxon",
    "mann-whitney",
    "spearman",
    "kruskal-wallis",
    "regressoes-curvilineas",
};

bool codigo_valido(std::int32_t codigo) { return codigo >= 1 && codigo <= 16; }

// Paired data (codes 3 and 12): one column of differences.
bool diferencas(std::int32_t codigo) { return codigo == 3 || codigo == 12; }

// A session of codes 7 and 16 may report its points and curves once per
// fitted model: the picture shows every curve once, over the points.
ajustes junta_ajustes(const std::vector<dados>& lista) {
    ajustes todos;
    for (const auto& d : lista) {
        const auto* a = std::get_if<ajustes>(&d);
        if (a == nullptr) continue;
        if (!a->x.empty()) todos.x = a->x, todos.y = a->y;
        for (const auto& c : a->curvas) {
            const bool repetida = std::any_of(todos.curvas.begin(), todos.curvas.end(), [&c](const curva& o) {
                return o.tipo == c.tipo && o.a == c.a && o.b == c.b && o.c == c.c;
            });
            if (!repetida) todos.curvas.push_back(c);
        }
    }
    return todos;
}

// Calls `f` with the data of a result's picture: every fit of a session of
// codes 7 and 16 together, else what the application reported last.
template <class F>
std::string com_os_dados(std::int32_t codigo, const std::vector<dados>& lista, F f) {
    if (!codigo_valido(codigo) || codigo == 1 || lista.empty()) return {};
    if (codigo == 7 || codigo == 16) return f(junta_ajustes(lista));
    return std::visit(f, lista.back());
}

}  // namespace

std::string nome_do_arquivo(std::int32_t codigo) {
    if (!codigo_valido(codigo)) return "grafico.svg";
    std::string nome(1, static_cast<char>('0' + codigo / 10));
    nome += static_cast<char>('0' + codigo % 10);
    nome += '-';
    nome += nomes_curtos[static_cast<std::size_t>(codigo)];
    return nome + ".svg";
}

namespace {

// The picture, whole, or sent to `destino` as it is drawn.
std::string desenha_em(std::int32_t codigo, const std::vector<dados>& lista, const saida* destino) {
    return com_os_dados(codigo, lista, [&](const auto& d) -> std::string {
        const std::string titulo = texto_da_tela(textos::aplic[static_cast<std::size_t>(codigo)].view());
        using T = std::decay_t<decltype(d)>;
        if constexpr (std::is_same_v<T, amostras>) return desenha_amostras(titulo, d, diferencas(codigo), destino);
        else if constexpr (std::is_same_v<T, medias_de_celulas>) return desenha_interacao(titulo, d, destino);
        else if constexpr (std::is_same_v<T, ajustes>) return desenha_ajustes(titulo, d, destino);
        else if constexpr (std::is_same_v<T, sequencia>) return desenha_sequencia(titulo, d, destino);
        else if constexpr (std::is_same_v<T, frequencias>) return desenha_frequencias(titulo, d, destino);
        else if constexpr (std::is_same_v<T, acumuladas>) return desenha_acumuladas(titulo, d, destino);
        else if constexpr (std::is_same_v<T, proporcao>) return desenha_proporcao(titulo, d, destino);
        else return desenha_postos(titulo, d, destino);
    });
}

}  // namespace

std::string desenha(std::int32_t codigo, const std::vector<resultados::dados>& lista) {
    return desenha_em(codigo, lista, nullptr);
}

const std::string& desenho::inteiro() const {
    if (!inteiro_) inteiro_ = desenha(codigo_, dados_);
    return *inteiro_;
}

bool desenho::em_partes(const saida& destino) const {
    bool enviado = false;
    const saida contado = [&](std::string_view pedaco) { enviado = true, destino(pedaco); };
    desenha_em(codigo_, dados_, &contado);
    return enviado;
}

std::string numeros(std::int32_t codigo, const std::vector<resultados::dados>& lista) {
    return com_os_dados(codigo, lista, [codigo](const auto& d) -> std::string {
        if constexpr (std::is_same_v<std::decay_t<decltype(d)>, amostras>) return numeros_de(d, diferencas(codigo));
        else return numeros_de(d);
    });
}

void desenhista::fim(std::int32_t codigo, const std::vector<resultados::dados>& dados) {
    const std::string tabela = com_numeros_ ? numeros(codigo, dados) : std::string();
    if (entrega_) entrega_(codigo, nome_do_arquivo(codigo), desenho(codigo, dados), tabela);
}

}  // namespace lousa::graficos
