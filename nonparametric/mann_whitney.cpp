// Teste de Mann-Withney (menu code 13): two independent samples X and Y
// compared by the U statistic. The pooled data are ranked (average ranks for
// ties) and U comes from the rank sum of X. Small samples print U for the
// printed table of the two sizes; above 20 in either sample the normal
// approximation Zc is printed beside 1.96. No verdict.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "nonparametric/postos.hpp"
#include "common/aplicacoes.hpp"
#include "common/limites.hpp"
#include "common/textos.hpp"

namespace lousa {

void teste_mann_whitney(console_io& con, const resultados::canal& resultados) {
    using textos::mensagem;
    using textos::mensagem2;
    constexpr int capacidade = 200;
    constexpr std::int32_t de_x = 1, de_y = 2;
    vetor<real, capacidade> x, y, xy, posto;
    // The sample each pooled value came from, moved along with it by the
    // sort: values of any sign, zero included, are counted in their own sample.
    vetor<std::int32_t, capacidade> amostra;
    std::int32_t nx = 0, ny = 0, n = 0;
    real rnx, rny, somapostox = 0, u1, u2, u, numt, dent, z;

    con.line("******************************************************"_t);
    con.line("***              TESTE DE MANN-WITHNEY             ***"_t);
    con.line("* Para pequenas amostras consultar tabelas do teste  *"_t);
    con.line("******************************************************"_t);
    con.line();
    le_contagem(con, nx, capacidade, [&] { con.line("***         Tamanho da amostra X:      nx =  ?     ***"_t); });
    con.line();
    for (std::int32_t j = 1; j <= nx; ++j) {
        con.line("** Para a amostra X  //// Digitar dado "_t, j, " *********"_t);
        con.read(x[j]);
    }
    con.line("******************************************************"_t);
    con.line();
    // The pooled list holds both samples: ny is refused while ny and nx (when
    // positive) together exceed the capacity, and while nx + ny is at or below the
    // lowest 32-bit value (two huge negative sizes). Below it the pooled size
    // would wrap around to a large positive one; at it, n - 1 (the passes of
    // the sort) would wrap.
    le_contagem_se(
        con, ny,
        [&](std::int32_t v) {
            return v > capacidade - std::max(nx, 0) ||
                   std::int64_t{nx} + v < std::numeric_limits<std::int32_t>::min() + std::int64_t{1};
        },
        [&] { con.line("***         Tamanho da amostra Y:      ny =  ?     ***"_t); });
    con.line();
    for (std::int32_t j = 1; j <= ny; ++j) {
        con.line("** Para a amostra Y  //// Digitar dado "_t, j, " *********"_t);
        con.read(y[j]);
    }
    con.line();

    for (std::int32_t j = 1; j <= nx; ++j) {
        xy[j] = x[j];
        amostra[j] = de_x;
    }
    // With a negative nx the first Y values would fall before the start of the
    // pooled list; they are left out, and only positions 1 to n are ranked.
    for (std::int32_t j = 1; j <= ny; ++j) {
        if (nx + j >= 1) {
            xy[nx + j] = y[j];
            amostra[nx + j] = de_y;
        }
    }
    n = nx + ny;
    postos::ordena_por_trocas(xy, amostra, n, postos::valor);
    for (std::int32_t j = 1; j <= n; ++j) posto[j] = j;
    postos::media_dos_empates(xy, posto, n, postos::valor);

    for (std::int32_t j = 1; j <= n; ++j) {
        if (amostra[j] == de_x) somapostox = somapostox + posto[j];
    }
    rnx = nx;
    rny = ny;
    u1 = rnx * rny + (rnx + 1) * rnx / 2 - somapostox;
    u2 = rnx * rny - u1;
    if (std::fabs(u1) > std::fabs(u2)) {
        u = std::fabs(u2);
    } else {
        u = std::fabs(u1);
    }
    if (rnx > 20 || rny > 20) {
        numt = u + rnx * rny / (-2);
        dent = std::sqrt(rnx * rny * (rnx + rny + 1) / 12);
        z = numt / dent;
    }

    con.line("******************************************************"_t);
    if (rnx > 20 || rny > 20) {
        con.write("(1x,2(\"*\"),2x,\"Zc= \",F6.2,2x,3(\"*\"),2x,A20, 11x, 2(\"*\"))"_layout,
                  real(std::fabs(z)), mensagem2);
    } else {
        con.write("(1x,2(\"*\"),2x,\"U = \",F6.2,2x,3(\"*\"),2x,A20,I3,\" e \",I3,2x, 2(\"*\"))"_layout,
                  u, mensagem, nx, ny);
    }
    con.line("******************************************************"_t);
    if (resultados.ouvido()) {
        resultados::grupo gx{"X", resultados::valores(x, nx), 0}, gy{"Y", resultados::valores(y, ny), 0};
        gx.centro = resultados::mediana(gx.valores);
        gy.centro = resultados::mediana(gy.valores);
        resultados.informa(resultados::amostras{resultados::centro::mediana, {gx, gy}});
        const bool empates = resultados::tem_empates(resultados::valores(xy, n));
        const texto h0 = "as duas amostras da mesma população"_t;
        if (rnx > 20 || rny > 20)
            resultados.informa(resultados::estatistica{.distribuicao = resultados::lei::normal,
                                                       .nome = "Zc",
                                                       .valor = real(std::fabs(z)),
                                                       .n1 = nx,
                                                       .n2 = ny,
                                                       .empates = empates,
                                                       .h0 = resultados::em_bytes(h0)});
        else
            resultados.informa(resultados::estatistica{.distribuicao = resultados::lei::mann_whitney,
                                                       .nome = "U",
                                                       .valor = u,
                                                       .n1 = nx,
                                                       .n2 = ny,
                                                       .empates = empates,
                                                       .h0 = resultados::em_bytes(h0)});
    }
}

}  // namespace lousa
