// ANOVA - 2 criterios de classificacao (menu code 5): a table of lines and
// columns with one observation per cell. Shows F and degrees of freedom of the
// columns and of the lines, the residual standard deviation, and the mean of
// every column and line. No verdict: the student reads an F table.

#include <cmath>
#include <utility>

#include "parametric/dois_criterios.hpp"
#include "common/aplicacoes.hpp"
#include "common/limites.hpp"

namespace lousa {

void anova_dois_criterios(console_io& con, const resultados::canal& resultados) {
    constexpr int maxlin = limite_dois_criterios, maxcol = limite_dois_criterios;
    matriz<real, maxlin, maxcol> dadox;
    vetor<real, maxlin> somalin, medialin;
    vetor<real, maxcol> somacol, mediacol;
    std::int32_t inl = 0, inc = 0, gltot, glcol, gllin, glres;
    real rnl, rnc, somatot, soma2tot, soma2col, soma2lin, fc, sqdtot, sqdcol, sqdlin, sqdres;
    real varcol, varlin, varres, dpres, fcol, flin;

    con.line("********************************************************"_t);
    con.line("*       ANOVA 2 CRITERIOS DE CLASSIFICACAO             *"_t);
    con.line("*        Limites: 20 linhas // 20 colunas              *"_t);
    con.line("********************************************************"_t);
    con.line();
    // The banner's limits are enforced: a larger table would not fit.
    le_contagem(con, inl, maxlin, [&] { con.line(" *** Numero de linhas da tabela de entrada ***"_t); });
    con.line();
    le_contagem(con, inc, maxcol, [&] { con.line(" *** Numero de colunas da tabela de entrada ***"_t); });
    con.line();
    rnc = inc;
    rnl = inl;
    somatot = 0;
    soma2tot = 0;
    soma2col = 0;
    soma2lin = 0;

    for (std::int32_t i = 1; i <= inl; ++i) {
        for (std::int32_t j = 1; j <= inc; ++j) {
            con.write("(1X, \"VALOR DA LINHA =\", I2, 5X, \"COLUNA =\", I2)"_layout, i, j);
            con.read(dadox(i, j));
            con.line();
        }
        con.write("(1x, 5(\"*\"), \" Conclusao da Linha \", i2,1x, 5(\"*\"))"_layout, i);
        con.line();
    }
    con.line();

    // Single precision on purpose: every sum is stored after each addition,
    // and the order of the sums below fixes the printed digits.
    for (std::int32_t i = 1; i <= inl; ++i) somalin[i] = 0;
    for (std::int32_t i = 1; i <= inl; ++i)
        for (std::int32_t j = 1; j <= inc; ++j) somalin[i] = somalin[i] + dadox(i, j);
    for (std::int32_t i = 1; i <= inl; ++i) medialin[i] = somalin[i] / rnc;

    for (std::int32_t j = 1; j <= inc; ++j) somacol[j] = 0;
    for (std::int32_t j = 1; j <= inc; ++j)
        for (std::int32_t i = 1; i <= inl; ++i) somacol[j] = somacol[j] + dadox(i, j);
    for (std::int32_t j = 1; j <= inc; ++j) mediacol[j] = somacol[j] / rnl;

    for (std::int32_t i = 1; i <= inl; ++i)
        for (std::int32_t j = 1; j <= inc; ++j) {
            somatot = somatot + dadox(i, j);
            soma2tot = soma2tot + dadox(i, j) * dadox(i, j);
        }
    fc = somatot * somatot / (rnc * rnl);
    sqdtot = soma2tot - fc;
    for (std::int32_t j = 1; j <= inc; ++j) soma2col = soma2col + somacol[j] * somacol[j] / rnl;
    sqdcol = soma2col - fc;
    for (std::int32_t i = 1; i <= inl; ++i) soma2lin = soma2lin + somalin[i] * somalin[i] / rnc;
    sqdlin = soma2lin - fc;
    sqdres = sqdtot - sqdcol - sqdlin;

    gltot = inl * inc - 1;
    gllin = inl - 1;
    glcol = inc - 1;
    glres = gltot - gllin - glcol;

    varcol = sqdcol / real(glcol);
    varlin = sqdlin / real(gllin);
    varres = sqdres / real(glres);
    dpres = std::sqrt(varres);
    fcol = varcol / varres;
    flin = varlin / varres;

    con.line("*******************************************************"_t);
    con.line("*                 RESULTADOS DA ANALISE               *"_t);
    con.line("*******************************************************"_t);
    con.line();
    con.write("(1x, \"F(colunas)   = \",F6.2, 5X, \"GL(colunas)  = \", I3)"_layout, fcol, glcol);
    con.write("(1x, \"F(linhas)    = \",f6.2, 5x, \"GL(linhas)   = \", I3)"_layout, flin, gllin);
    con.write("(1X, \"DPadrao Res. = \",f6.2, 5x, \"GL(residuo)  = \", I3)"_layout, dpres, glres);
    con.line();
    con.line("*******************************************************"_t);
    con.line();
    mostra_medias(con, mediacol, inc, medialin, inl);
    if (resultados.ouvido()) {
        // One observation per cell: the cell means are the data.
        resultados::medias_de_celulas celulas{inl, inc, {}};
        for (std::int32_t i = 1; i <= inl; ++i)
            for (std::int32_t j = 1; j <= inc; ++j) celulas.medias.push_back(dadox(i, j));
        resultados.informa(std::move(celulas));
        informa_f(resultados, "F(colunas)"_t, fcol, glcol, glres, "médias das colunas iguais"_t);
        informa_f(resultados, "F(linhas)"_t, flin, gllin, glres, "médias das linhas iguais"_t);
    }
}

}  // namespace lousa
