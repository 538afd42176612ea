// Teste 't' de Student (menu code 2): two independent samples A and B. Shows
// the mean and variance of each, the ratio of the larger variance to the
// smaller for the homogeneity check, then, as the student declares the
// variances homogeneous or not, the t of A - B with its degrees of freedom, or
// beside a weighted tabulated t built from the two tabulated values typed. No
// verdict: the student reads a t table.

#include <cmath>

#include "common/aplicacoes.hpp"
#include "common/limites.hpp"
#include "common/textos.hpp"

namespace lousa {

void teste_t_student(console_io& con, const resultados::canal& resultados) {
    using textos::bra;
    constexpr int capacidade = 200;
    vetor<real, capacidade> x, y;
    std::int32_t nx = 0, ny = 0, homo = 0;
    real rnx, rny, somax, somay, soma2x, soma2y, glx, gly, medx, medy, varx, vary, varco, varnco;
    real fc, glnum, glden, tc, glf, tx, ty, wx, wy, tw;

    somax = 0;
    somay = 0;
    soma2x = 0;
    soma2y = 0;
    con.write("(1x, 64(\"*\"), a1)"_layout, bra);
    con.write("(1x, \"***\", 29x, \" TESTE T \", a1)"_layout, bra);
    con.line();
    // Each size is refused right after its own read while it exceeds the
    // capacity of its sample.
    le_contagem(con, nx, capacidade, [&] { con.line("***     Qual o tamanho da amostra 'A'?  na =      "_t); });
    rnx = nx;
    le_contagem(con, ny, capacidade, [&] { con.line("***     Qual o tamanho da amostra 'B'?  nb =      "_t); });
    rny = ny;
    con.write("(1x, 64(\"*\"), a1)"_layout);
    for (std::int32_t j = 1; j <= nx; ++j) {
        con.write("(1x, \"*  Digitar o dado numero \",I3, \" da amostra A  *\")"_layout, j);
        con.read(x[j]);
        somax = somax + x[j];
        soma2x = soma2x + x[j] * x[j];
    }
    con.write("(1x, 64(\"*\"), a1)"_layout);
    for (std::int32_t j = 1; j <= ny; ++j) {
        con.write("(1x, \"*  Digitar o dado numero \",I3, \" da amostra B  *\")"_layout, j);
        con.read(y[j]);
        somay = somay + y[j];
        soma2y = soma2y + y[j] * y[j];
    }

    glx = rnx - 1;
    gly = rny - 1;
    medx = somax / rnx;
    varx = (soma2x - somax * somax / rnx) / (rnx - 1);
    medy = somay / rny;
    vary = (soma2y - somay * somay / rny) / (rny - 1);
    varco = (varx * glx + vary * gly) / (glx + gly);
    varnco = varx / rnx + vary / rny;

    con.write("(1x, 64(\"*\"), a1)"_layout, bra);
    con.write("(1x,\"* \",\"MEDa=\",F7.2,2x,\"VARa=\",f7.2,\" /// \",\"MEDb=\",f7.2x,\"VARb=\", f7.2,5x,\"*\")"_layout,
              medx, varx, medy, vary);
    con.write("(1x, 64(\"*\"), a1)"_layout, bra);

    // Larger variance over the smaller; equal variances take B's side.
    if (varx > vary) {
        fc = varx / vary;
        glnum = glx;
        glden = gly;
    } else {
        fc = vary / varx;
        glnum = gly;
        glden = glx;
    }
    con.write("(1x, 64(\"*\"), a1)"_layout, bra);
    con.write("(1X,\"*\",12X,\"TESTANDO A HOMOGENEIDADE DAS VARIANCIAS\",11X,\"*\", a1)"_layout, bra);
    con.write("(1x, 64(\"*\"), a1)"_layout, bra);
    con.write("(1x,\"*\",25x,\"Fc = \",F6.2, 26x, \"*\")"_layout, fc);
    con.write("(1x,\"*\",9x,\"Graus de liberdade do numerador   = \", f4.0,  13X, \"*\")"_layout, glnum);
    con.write("(1x,\"*\",9x, \"Graus de liberdade do denominador = \", f4.0, 13X,\"*\")"_layout, glden);
    con.write("(1x, 64(\"*\"), a1)"_layout, bra);
    if (resultados.ouvido()) {
        resultados.informa(resultados::amostras{resultados::centro::media,
                                                {{"A", resultados::valores(x, nx), medx}, {"B", resultados::valores(y, ny), medy}}});
        resultados.informa(resultados::estatistica{.distribuicao = resultados::lei::f_snedecor,
                                                   .nome = "Fc",
                                                   .valor = fc,
                                                   .gl1 = glnum,
                                                   .gl2 = glden,
                                                   .h0 = resultados::em_bytes("variâncias iguais"_t)});
    }
    con.write("(1x,\"*\",8x, \"Se as variancias sao homogeneas:   digitar 0 \",9x,\"*\", a1)"_layout, bra);
    con.write("(1x,\"*\",8x, \"Se as variancias sao heterogeneas: digitar 1 \",9x,\"*\", a1)"_layout, bra);
    con.write("(1x, 64(\"*\"), a1)"_layout, bra);

    // Pooled variance t, kept when the variances are homogeneous.
    tc = (medx - medy) / std::sqrt((rnx + rny) * varco / (rnx * rny));
    con.read(homo);
    if (homo == 0) {
        glf = glx + gly;
    } else if (nx == ny) {
        // Heterogeneous variances, equal sizes: the degrees of freedom of one
        // sample, not the sum.
        glf = glx;
        tc = (medx - medy) / std::sqrt(varnco);
    } else {
        // Heterogeneous variances, unequal sizes: the student types the t of
        // each sample's degrees of freedom, weighted by the variances of the
        // means. The table can show both values before they are asked for.
        if (resultados.ouvido())
            resultados.informa(resultados::estatistica{.distribuicao = resultados::lei::t_tabelado,
                                                       .nome = "t",
                                                       .valor = 0,
                                                       .gl1 = glx,
                                                       .gl2 = gly,
                                                       .h0 = resultados::em_bytes("médias iguais"_t)});
        con.write("(1x,\"*\",8x,\"Qual o valor de 't' para \",f4.0,\" graus de liberdade\", 6x, \"*\")"_layout, glx);
        con.read(tx);
        con.write("(1x,\"*\",8x,\"Qual o valor de 't' para \",f4.0,\" graus de liberdade\", 6x, \"*\")"_layout, gly);
        con.read(ty);
        wx = varx / rnx;
        wy = vary / rny;
        tw = (tx * wx + ty * wy) / (wx + wy);
        tc = (medx - medy) / std::sqrt(varnco);
        con.write("(1x, 64(\"*\"), a1)"_layout);
        con.write("(1x,\"*\",6x,\"'t' calculado \", F6.2,\"  ////  't' tabelar  = \", f6.2, 6x, \"*\")"_layout, tc, tw);
        con.write("(1x, 64(\"*\"), a1)"_layout, bra);
        return;
    }
    con.write("(1x, 64(\"*\"), a1)"_layout, bra);
    con.write("(1x,\"*    t calculado = \",f6.2,\"   ////  \",\"Graus de liberdade  \",f4.0, 5x,\"*\")"_layout,
              tc, glf);
    con.write("(1x, 64(\"*\"), a1)"_layout, bra);
    if (resultados.ouvido())
        resultados.informa(resultados::estatistica{.distribuicao = resultados::lei::t_student,
                                                   .nome = "t",
                                                   .valor = tc,
                                                   .gl1 = glf,
                                                   .h0 = resultados::em_bytes("médias iguais"_t)});
}

}  // namespace lousa
