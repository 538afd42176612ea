// ANOVA - 2 criterios com repeticoes (menu code 6): lines and columns with the
// same number of repetitions in every cell. Shows F and degrees of freedom of
// the columns, the lines and their interaction, the residual standard
// deviation, and the mean of every column and line. No verdict: the student
// reads an F table.

#include <cmath>
#include <utility>

#include "parametric/dois_criterios.hpp"
#include "common/aplicacoes.hpp"
#include "common/limites.hpp"

namespace lousa {

void anova_com_repeticoes(console_io& con, const resultados::canal& resultados) {
    constexpr int limite = 20;
    // dadox2(i, j)[k]: repetition k of the cell in line i, column j.
    matriz<vetor<real, limite>, limite, limite> dadox2;
    matriz<real, limite, limite> somacel;
    vetor<real, limite> somac, somal;
    vetor<real, limite> mediacol, medialin;
    std::int32_t inl = 0, inc = 0, inr = 0, gltot, glcol, gllin, gllxc, glres;
    real rnl, rnc, rnr, somax = 0, somax2 = 0, somacol2, somalin2, somalxc2, fc;
    real sqdtot, sqdcol, sqdlin, sqdlxc, sqdres;
    real rgltot, rglcol, rgllin, rgllxc, rglres;
    real varcol, varlin, varlxc, varres, dpres, fcol, flin, fint;

    for (;;) {
        con.line("*******************************************************"_t);
        con.line("*NUMERO DE TRATAMENTOS NAS LINHAS E COLUNAS,REPETICOES*"_t);
        con.line("*******************************************************"_t);
        con.line();
        con.line("NUMERO DE TRATAMENTOS NAS LINHAS"_t);
        con.read(inl);
        rnl = inl;
        con.line("NUMERO DE TRATAMENTOS NAS COLUNAS"_t);
        con.read(inc);
        rnc = inc;
        con.line("NUMERO DE REPETICOES DENTRO DAS CELULAS"_t);
        con.read(inr);
        rnr = inr;
        // The repetitions are bounded too: a cell holds at most 20 of them.
        if (!(inl > limite || inc > limite || inr > limite)) break;
        mostra_recusa_de_limite(con);
    }
    con.line();
    con.line("*******************************************************"_t);
    con.line("*         DIGITAR OS VALORES A SEREM ANALISADOS       *"_t);
    con.line("*******************************************************"_t);

    for (std::int32_t i = 1; i <= inl; ++i) {
        for (std::int32_t j = 1; j <= inc; ++j)
            for (std::int32_t k = 1; k <= inr; ++k) {
                con.line();
                con.write("(1x,\"Linha =\",i2,3x,\"Coluna =\",i2,3x,\"Repeticao =\", i2)"_layout, i, j, k);
                con.read(dadox2(i, j)[k]);
                somax = somax + dadox2(i, j)[k];
                somax2 = somax2 + dadox2(i, j)[k] * dadox2(i, j)[k];
            }
        con.line();
        con.write("(1x, \"*** Final da linha \", I2,\" ***\")"_layout, i);
    }
    con.line();

    // Single precision on purpose: every sum is stored after each addition,
    // and the order of the sums below fixes the printed digits.
    fc = somax * somax / (rnc * rnl * rnr);
    sqdtot = somax2 - fc;

    for (std::int32_t i = 1; i <= inl; ++i)
        for (std::int32_t j = 1; j <= inc; ++j) somacel(i, j) = 0;
    for (std::int32_t i = 1; i <= inl; ++i)
        for (std::int32_t j = 1; j <= inc; ++j)
            for (std::int32_t k = 1; k <= inr; ++k) somacel(i, j) = somacel(i, j) + dadox2(i, j)[k];

    for (std::int32_t j = 1; j <= inc; ++j)
        for (std::int32_t i = 1; i <= inl; ++i)
            for (std::int32_t k = 1; k <= inr; ++k) somac[j] = somac[j] + dadox2(i, j)[k];
    for (std::int32_t j = 1; j <= inc; ++j) mediacol[j] = somac[j] / (rnl * rnr);

    for (std::int32_t i = 1; i <= inl; ++i)
        for (std::int32_t j = 1; j <= inc; ++j)
            for (std::int32_t k = 1; k <= inr; ++k) somal[i] = somal[i] + dadox2(i, j)[k];
    for (std::int32_t i = 1; i <= inl; ++i) medialin[i] = somal[i] / (rnc * rnr);

    somacol2 = 0;
    somalin2 = 0;
    somalxc2 = 0;
    for (std::int32_t j = 1; j <= inc; ++j) somacol2 = somacol2 + somac[j] * somac[j];
    for (std::int32_t i = 1; i <= inl; ++i) somalin2 = somalin2 + somal[i] * somal[i];
    for (std::int32_t i = 1; i <= inl; ++i)
        for (std::int32_t j = 1; j <= inc; ++j) somalxc2 = somalxc2 + somacel(i, j) * somacel(i, j);

    sqdcol = somacol2 / (rnl * rnr) - fc;
    sqdlin = somalin2 / (rnc * rnr) - fc;
    sqdlxc = somalxc2 / rnr - fc - sqdcol - sqdlin;
    sqdres = sqdtot - sqdcol - sqdlin - sqdlxc;

    gltot = inl * inc * inr - 1;
    glcol = inc - 1;
    gllin = inl - 1;
    gllxc = gllin * glcol;
    glres = gltot - glcol - gllin - gllxc;
    rgltot = gltot;
    rglcol = glcol;
    rgllin = gllin;
    rgllxc = gllxc;
    rglres = glres;

    varcol = sqdcol / rglcol;
    varlin = sqdlin / rgllin;
    varlxc = sqdlxc / rgllxc;
    varres = sqdres / rglres;
    dpres = std::sqrt(varres);
    con.line();
    fcol = varcol / varres;
    flin = varlin / varres;
    fint = varlxc / varres;

    con.line("*******************************************************"_t);
    con.line("*                 RESULTADOS DA ANALISE               *"_t);
    con.line("*******************************************************"_t);
    con.line();
    con.write("(1x, \"F(colunas)   = \",F6.2, 5X, \"GL(colunas)  = \", I3)"_layout, fcol, glcol);
    con.write("(1x, \"F(linhas)    = \",f6.2, 5x, \"GL(linhas)   = \", I3)"_layout, flin, gllin);
    con.write("(1x, \"F(lin x col) = \",f6.2, 5x, \"GL(lin x col)= \", I3)"_layout, fint, gllxc);
    con.write("(1X, \"DPadrao Res. = \",f6.2, 5x, \"GL(residuo)  = \", I3)"_layout, dpres, glres);
    con.line();
    con.line("*******************************************************"_t);
    mostra_medias(con, mediacol, inc, medialin, inl);
    if (resultados.ouvido()) {
        resultados::medias_de_celulas celulas{inl, inc, {}};
        for (std::int32_t i = 1; i <= inl; ++i)
            for (std::int32_t j = 1; j <= inc; ++j) celulas.medias.push_back(double(somacel(i, j)) / rnr);
        resultados.informa(std::move(celulas));
        informa_f(resultados, "F(colunas)"_t, fcol, glcol, glres, "médias das colunas iguais"_t);
        informa_f(resultados, "F(linhas)"_t, flin, gllin, glres, "médias das linhas iguais"_t);
        informa_f(resultados, "F(lin x col)"_t, fint, gllxc, glres, "sem interação"_t);
    }
}

}  // namespace lousa
