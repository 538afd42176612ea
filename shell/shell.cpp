// The life of one run: the menu, the chosen code and its confirmation, one
// application, and the question that ends the run.

#include "shell/shell.hpp"

#include <iterator>
#include <stdexcept>
#include <string_view>

#include "common/aplicacoes.hpp"
#include "common/textos.hpp"

namespace lousa {
namespace {

using namespace textos;

// Menu code to application (code 0 unused). The menu lists as many codes as
// this table holds, each with its title from textos::aplic.
constexpr aplicacao aplicacoes[] = {
    nullptr,
    dimensionamento_amostras,
    teste_t_student,
    teste_t_pareado,
    anova_um_criterio,
    anova_dois_criterios,
    anova_com_repeticoes,
    regressao_linear,
    teste_aleatoriedade,
    teste_qui_quadrado,
    teste_kolmogorov_smirnov,
    teste_z_proporcoes,
    teste_wilcoxon,
    teste_mann_whitney,
    correlacao_spearman,
    teste_kruskal_wallis,
    regressoes_curvilineas,
};
constexpr std::int32_t ultimo_codigo = static_cast<std::int32_t>(std::size(aplicacoes)) - 1;

constexpr bool cada_codigo_tem_titulo() {
    if (ultimo_codigo >= static_cast<std::int32_t>(aplic.size())) return false;
    for (std::int32_t j = 1; j <= ultimo_codigo; ++j)
        if (aplic[static_cast<std::size_t>(j)].view().find_first_not_of(' ') == std::string_view::npos) return false;
    return true;
}
static_assert(cada_codigo_tem_titulo(), "every menu code needs its title in textos::aplic");

void estrelas(console_io& con) { con.line("*******************************************************"_t); }

void mostra_menu(console_io& con) {
    estrelas(con);
    con.write("(1x,\"*\",10x,\"APLICAÇÃO\", 26X, \"CODIGO\",a1, 1X,\"*\")"_layout, bra);
    for (std::int32_t j = 1; j <= ultimo_codigo; ++j)
        con.write("(1x, \"*\", a45, 2x, i2, 4x,\"*\")"_layout, aplic[j], j);
    estrelas(con);
    con.line();
    con.line();
    estrelas(con);
    estrelas(con);
    con.line("** CONSULTE O TUTORIAL E DIGITE O CODIGO DA APLICACAO**"_t);
    estrelas(con);
    estrelas(con);
}

// Menu and confirmation until a code of the menu is confirmed.
std::int32_t escolhe_aplicacao(console_io& con) {
    std::int32_t icod = 0;
    std::int32_t conf = 0;
    for (;;) {
        mostra_menu(con);
        con.read(icod);
        con.line();
        if (icod < 1 || icod > ultimo_codigo) continue;
        con.line();
        con.line();
        estrelas(con);
        con.write(
            "(1x,\"**\",\" Voce escolheu \",a36,\"**\", /1x, \"** Confirma a  escolha? \",\"(0 = Nao //// 1 = "
            "Sim)\",\"       **\",a1 )"_layout,
            aplic[icod], bra);
        estrelas(con);
        con.read(conf);
        if (conf != 0) return icod;
    }
}

void encerra(console_io& con) {
    std::int32_t k = 0;
    con.line();
    con.line();
    do {
        con.line("****************************************************"_t);
        con.line("****** Digite zero para encerrar o aplicativo ******"_t);
        con.line("****************************************************"_t);
        con.read(k);
    } while (k != 0);
}

}  // namespace

aplicacao aplicacao_de_codigo(std::int32_t icod) {
    if (icod < 1 || icod > ultimo_codigo) throw std::out_of_range("no application has this menu code");
    return aplicacoes[icod];
}

void executa(console_io& con, const resultados::canal& resultados) {
    const std::int32_t icod = escolhe_aplicacao(con);
    aplicacao_de_codigo(icod)(con, resultados);
    resultados.encerra(icod);
    encerra(con);
}

void executa(console_io& con) { executa(con, resultados::canal{}); }

}  // namespace lousa
