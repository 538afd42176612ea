// Teste Kolmogorov-Smirnov (menu code 10): goodness of fit of data grouped in
// named classes. Dc is the largest absolute difference between the cumulative
// observed relative frequencies and the cumulative theoretical proportions;
// Dt = 1.36/sqrt(n) is printed only for a total above 35, otherwise the
// student looks it up in a table. No verdict.

#include <cmath>
#include <string_view>
#include <utility>

#include "common/aplicacoes.hpp"
#include "common/limites.hpp"
#include "common/textos.hpp"

namespace lousa {
namespace {

constexpr int capacidade = 50;

// The two cumulative curves and the first class where Dc occurs; Dc of a
// total of soma1 observations (rounded to a whole count), with the course's
// Dt when the screen printed one.
void informa(const resultados::canal& resultados, const vetor<texto_fixo<10>, capacidade>& classe,
             const vetor<real, capacidade>& fao, const vetor<real, capacidade>& fae,
             const vetor<real, capacidade>& difa, std::int32_t inc, real valmax, real soma1, real dt) {
    resultados::acumuladas curvas{{}, resultados::valores(fao, inc), resultados::valores(fae, inc), valmax, 0};
    for (std::int32_t j = 1; j <= inc; ++j) {
        const std::string_view nome = classe[j].view();
        curvas.classes.emplace_back(nome.substr(0, nome.find_last_not_of(' ') + 1));
    }
    for (std::int32_t j = inc; j >= 1; --j)
        if (difa[j] == valmax) curvas.classe_do_dc = j - 1;
    resultados.informa(std::move(curvas));
    resultados.informa(resultados::estatistica{.distribuicao = resultados::lei::kolmogorov,
                                               .nome = "Dc",
                                               .valor = valmax,
                                               .casas = 3,
                                               .n1 = inteiro(std::round(double(soma1))),
                                               .h0 = resultados::em_bytes("dados com a distribuição teórica"_t),
                                               .critico_na_tela = dt});
}

}  // namespace

void teste_kolmogorov_smirnov(console_io& con, const resultados::canal& resultados) {
    using textos::bra;
    vetor<texto_fixo<10>, capacidade> classe;
    vetor<real, capacidade> fre, fso, fro, fao, fae, difa;
    std::int32_t inc = 0;
    real soma1 = 0, somafre = 0, valmax, dt = 0;

    con.write("(1x, 50(\"*\"), a1)"_layout, bra);
    con.write("(1x,\"*\", 11x,\"Teste de Kolmogorov-Smirnov\", 10x,\"*\",a1)"_layout, bra);
    con.write("(1x, 50(\"*\"), a1)"_layout, bra);
    con.line();
    le_contagem(con, inc, capacidade, [&] { con.line("* Em quantas classes os dados estao distribuidos?*"_t); });
    con.line();
    for (std::int32_t j = 1; j <= inc; ++j) {
        con.line("*** Digitar o nome da classe"_t, j, "***"_t);
        con.read(classe[j]);
        con.line();
    }
    con.line();
    for (std::int32_t j = 1; j <= inc; ++j) {
        con.write("(1x, \"** Digitar a proporcao (%) teorica da classe = \",  A15, \" **\")"_layout, classe[j]);
        con.read(fre[j]);
        con.line();
    }
    // The prompt asks for percentages, the computation needs fractions: a set
    // of proportions adding up to more than 1.5 was typed in percent.
    for (std::int32_t j = 1; j <= inc; ++j) somafre = somafre + fre[j];
    if (somafre > 1.5f) {
        for (std::int32_t j = 1; j <= inc; ++j) fre[j] = fre[j] / 100;
    }
    soma1 = 0;
    con.line();
    for (std::int32_t j = 1; j <= inc; ++j) {
        con.line("** Digitar Freqência observada (Fo) da classe = "_t, j);
        con.read(fso[j]);
        soma1 = soma1 + fso[j];
        con.line();
    }

    // Cumulative sums start from zero before the first class.
    const auto anterior = [](const vetor<real, capacidade>& v, std::int32_t j) { return j == 1 ? real(0) : v[j - 1]; };
    for (std::int32_t j = 1; j <= inc; ++j) fro[j] = fso[j] / soma1;
    for (std::int32_t j = 1; j <= inc; ++j) fao[j] = anterior(fao, j) + fro[j];
    for (std::int32_t j = 1; j <= inc; ++j) fae[j] = anterior(fae, j) + fre[j];
    for (std::int32_t j = 1; j <= inc; ++j) difa[j] = std::fabs(fao[j] - fae[j]);
    // All 50 entries are searched; those beyond the last class are 0. A NaN
    // entry never wins the strict comparison.
    valmax = -3.4028235e38f;
    for (std::int32_t j = 1; j <= capacidade; ++j) {
        if (difa[j] > valmax) valmax = difa[j];
    }
    if (soma1 > 35) dt = 1.36f / std::sqrt(soma1);
    con.line();

    if (soma1 <= 35) {
        con.write("(1x, 50(\"*\"), a1)"_layout, bra);
        con.write("(1x,\"*\", 9X,\" Dc = \",f5.3, \" ** Dt (ver tabela)\",8X,\" *\")"_layout, valmax);
    } else {
        con.write("(1x, 50(\"*\"), a1)"_layout, bra);
        con.write("(1x,\"*\",10x,\" Dc = \",f5.3, \" ** \",\" Dt  = \",F5.3, 12x \"*\")"_layout, valmax, dt);
    }
    con.write("(1x, 50(\"*\"), a1)"_layout, bra);
    if (resultados.ouvido()) informa(resultados, classe, fao, fae, difa, inc, valmax, soma1, dt);
}

}  // namespace lousa
