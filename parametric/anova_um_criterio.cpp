// ANOVA - 1 criterio de classificacao (menu code 4): a balanced one-way layout,
// every treatment with the same number of repetitions. Shows F with its two
// degrees of freedom, the residual standard deviation and the mean of each
// treatment. No verdict: the student reads an F table.

#include <cmath>
#include <string>
#include <utility>

#include "common/aplicacoes.hpp"
#include "common/limites.hpp"
#include "common/textos.hpp"

namespace lousa {
namespace {

// Each treatment's column of repetitions and its mean, and F.
template <class Tabela, class Medias>
void informa(const resultados::canal& resultados, const Tabela& dadox, const Medias& mediacol, std::int32_t inr,
             std::int32_t inc, real testef, std::int32_t glcol, std::int32_t glres) {
    resultados::amostras tratamentos{resultados::centro::media, {}};
    for (std::int32_t j = 1; j <= inc; ++j) {
        resultados::grupo g{std::to_string(j), {}, mediacol[j]};
        for (std::int32_t i = 1; i <= inr; ++i) g.valores.push_back(dadox(i, j));
        tratamentos.grupos.push_back(std::move(g));
    }
    resultados.informa(std::move(tratamentos));
    resultados.informa(resultados::estatistica{.distribuicao = resultados::lei::f_snedecor,
                                               .nome = "F",
                                               .valor = testef,
                                               .gl1 = double(glcol),
                                               .gl2 = double(glres),
                                               .h0 = resultados::em_bytes("médias dos tratamentos iguais"_t)});
}

}  // namespace

void anova_um_criterio(console_io& con, const resultados::canal& resultados) {
    using textos::ast;
    // Both counts are refused beyond these, so no array needs more room.
    constexpr int max_repeticoes = 20;
    constexpr int max_tratamentos = 20;
    matriz<real, max_repeticoes, max_tratamentos> dadox;  // repetition i (row) of treatment j (column)
    vetor<real, max_tratamentos> somac, mediacol;
    std::int32_t inc = 0, inr = 0, gltot = 0, glcol = 0, glres = 0;
    real rnr, rnc, somat, soma2t, soma2c, fc, sqdtot, sqdcol, sqdres, varcol, varres, dpres, testef;

    somat = 0;
    soma2t = 0;
    soma2c = 0;
    // Each count is refused right after its own read while it exceeds the
    // table: 20 treatments, 20 repetitions.
    le_contagem(con, inc, max_tratamentos, [&] { con.line("**** Quantos tratamentos serão analisados? *****"_t); });
    con.line();
    le_contagem(con, inr, max_repeticoes, [&] { con.line("*** Numero de repeticoes em cada tratamento ****"_t); });
    for (std::int32_t j = 1; j <= inc; ++j) somac[j] = 0;
    rnr = inr;
    rnc = inc;

    // Repetition by repetition: the first of every treatment, then the second...
    for (std::int32_t i = 1; i <= inr; ++i) {
        for (std::int32_t j = 1; j <= inc; ++j) {
            con.write("(1x,\"*** Digitar repeticao \",i3, \" do tratamento \",I2)"_layout, i, j);
            con.line();
            con.read(dadox(i, j));
            somat = somat + dadox(i, j);
            soma2t = soma2t + dadox(i, j) * dadox(i, j);
            somac[j] = somac[j] + dadox(i, j);
        }
    }

    for (std::int32_t j = 1; j <= inc; ++j) mediacol[j] = somac[j] / rnr;
    gltot = inteiro(rnc * rnr - 1);
    glcol = inteiro(rnc - 1);
    glres = gltot - glcol;
    fc = somat * somat / (rnc * rnr);
    sqdtot = soma2t - fc;
    for (std::int32_t j = 1; j <= inc; ++j) soma2c = soma2c + somac[j] * somac[j] / rnr;
    sqdcol = soma2c - fc;
    sqdres = sqdtot - sqdcol;
    varcol = sqdcol / real(glcol);
    varres = sqdres / real(glres);
    dpres = std::sqrt(varres);
    testef = varcol / varres;

    con.line("*******************************************************"_t);
    con.write("(1X,22(\"*\"),\" RESULTADO \", 21(\"*\"),A1)"_layout, ast);
    con.line("*                                                     *"_t);
    con.write("(1X,\"*\",22X,\"F =\",F6.2, 22X,\"*\")"_layout, testef);
    con.write("(1X,\"*\",9X,\"GLCOL =\",I3,13X,\" GLRES = \", I3, 9X,\"*\")"_layout, glcol, glres);
    con.write("(1X,\"*\",10X, \"Desvio Padrao Residual =\", F6.2, 13X,\"*\")"_layout, dpres);
    con.line("*******************************************************"_t);
    con.line();
    for (std::int32_t j = 1; j <= inc; ++j) {
        con.write("( 1x,15x, \"Mediacol (\"   ,I2,  \") = \",   f6.2, 10x)"_layout, j, mediacol[j]);
    }
    con.line("*******************************************************"_t);
    con.line();
    if (resultados.ouvido()) informa(resultados, dadox, mediacol, inr, inc, testef, glcol, glres);
}

}  // namespace lousa
