// Correlacao de Spearman (menu code 14): rank correlation rs of typed pairs
// from the squared rank differences, and its t with n - 2 degrees of freedom
// for more than nine pairs. No critical value and no verdict.

#include <cmath>

#include "nonparametric/postos.hpp"
#include "common/aplicacoes.hpp"
#include "common/limites.hpp"

namespace lousa {

void correlacao_spearman(console_io& con, const resultados::canal& resultados) {
    constexpr int capacidade = 200;
    vetor<real, capacidade> dadoxx, dadoy, origx, origy, pstx, psty, postox, postoy, dif2;
    std::int32_t n = 0, nx = 0;
    real somad2 = 0, rs, t;

    con.line("****************************************************"_t);
    con.line("**            CORRELAÇÃO DE SPEARMAN              **"_t);
    con.line("**           Recomendável que N >= 20             **"_t);
    con.line("****************************************************"_t);
    con.line();
    le_contagem(con, n, capacidade, [&] { con.line("************ Quantos pares de dados? ***************"_t); });
    nx = n;
    con.line();
    for (std::int32_t j = 1; j <= n; ++j) {
        con.line("******  Digitar o par X Y numero"_t, j, "  **********"_t);
        con.read(dadoxx[j], dadoy[j]);
    }
    con.line();

    // Ranking of its own, not the average-rank ranking of the other rank
    // tests: each value takes the last sorted position that holds it, so every
    // member of a tie group gets the highest rank of the group.
    for (std::int32_t j = 1; j <= n; ++j) {
        origx[j] = dadoxx[j];
        origy[j] = dadoy[j];
    }
    // Exchange sorts: n - 1 full passes, no early exit.
    postos::ordena_por_trocas(dadoxx, n);
    postos::ordena_por_trocas(dadoy, n);
    for (std::int32_t k = 1; k <= n; ++k) {
        pstx[k] = k;
        psty[k] = k;
    }
    // The scans do not stop at the first match.
    for (std::int32_t j = 1; j <= n; ++j) {
        for (std::int32_t k = 1; k <= n; ++k) {
            if (origx[j] == dadoxx[k]) postox[j] = pstx[k];
        }
    }
    for (std::int32_t j = 1; j <= n; ++j) {
        for (std::int32_t k = 1; k <= n; ++k) {
            if (origy[j] == dadoy[k]) postoy[j] = psty[k];
        }
    }

    for (std::int32_t j = 1; j <= n; ++j) {
        dif2[j] = (postoy[j] - postox[j]) * (postoy[j] - postox[j]);
        somad2 = somad2 + dif2[j];
    }
    rs = 1 - (somad2 * 6.0f) / real(n * n * n - n);
    if (n > 9) t = std::sqrt((nx - 2.0f) / (1 - rs * rs)) * rs;
    if (n <= 9) t = 100000.0f;

    con.line();
    con.line("****************************************************"_t);
    con.write("(1x,2(\"*\"),1x,\"Coeficiente de SPEARMAN = \",f5.3,2x,    3(\"*\"), \" t = \", f5.2,1x, 2(\"*\"))"_layout,
              rs, t);
    con.line("****************************************************"_t);
    if (resultados.ouvido()) {
        resultados.informa(resultados::pares_de_postos{resultados::valores(postox, n), resultados::valores(postoy, n)});
        resultados.informa(resultados::estatistica{
            .distribuicao = resultados::lei::spearman,
            .nome = "rs",
            .valor = rs,
            .casas = 3,
            .n1 = n,
            .empates = resultados::tem_empates(resultados::valores(origx, n)) ||
                       resultados::tem_empates(resultados::valores(origy, n)),
            .h0 = resultados::em_bytes("correlação nula"_t)});
    }
}

}  // namespace lousa
