// Teste de Kruskal-Wallis (menu code 15): treatments in columns, the same
// number of repetitions in lines. All observations are ranked together
// (average ranks for ties), the ranks are summed by treatment, and H is
// printed with its degrees of freedom, without correction for ties. No
// critical value and no verdict.

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>

#include "nonparametric/postos.hpp"
#include "common/aplicacoes.hpp"
#include "common/limites.hpp"

namespace lousa {

void teste_kruskal_wallis(console_io& con, const resultados::canal& resultados) {
    constexpr int maxcol = 20, maxlin = 20, capacidade = 200;
    matriz<real, maxlin, maxcol> dados, postoxe;
    vetor<real, capacidade> dadoxx, pstt;
    vetor<real, maxcol> rr;
    std::int32_t nc = 0, nl = 0, n = 0, m = 0, gl = 0;
    real rnl, rn, soma, h;

    con.line("****************************************************"_t);
    con.line("***********  Teste de KRUSKAL & WALLIS  ************"_t);
    con.line("****************************************************"_t);
    con.line();
    le_contagem(con, nc, maxcol, [&] { con.line("********  Quantos tratamentos nas colunas?  *******"_t); });
    con.line();
    // N = nc x nl sizes the pooled list: refused beyond its capacity, and also
    // at or below the lowest 32-bit value (one count negative, the other
    // positive). Below it N would wrap around to a large positive size; at it,
    // N - 1 (the passes of the sort) would wrap.
    le_contagem_se(
        con, nl,
        [&](std::int32_t v) {
            const std::int64_t produto = std::int64_t{nc} * v;
            return v > maxlin || produto > capacidade || produto <= std::numeric_limits<std::int32_t>::min();
        },
        [&] { con.line("******    Quantas repeticoes nas linhas?     *******"_t); });
    n = nc * nl;
    con.line();
    for (std::int32_t i = 1; i <= nl; ++i) {
        for (std::int32_t j = 1; j <= nc; ++j) {
            con.write("(1x, \"Digitar dado da linha \",I3, \" coluna \", I2)"_layout, i, j);
            con.read(dados(i, j));
        }
    }

    m = 0;
    for (std::int32_t j = 1; j <= nc; ++j) {
        for (std::int32_t i = 1; i <= nl; ++i) {
            m = m + 1;
            dadoxx[m] = dados(i, j);
        }
    }
    postos::ordena_por_trocas(dadoxx, n, postos::valor);
    for (std::int32_t j = 1; j <= n; ++j) pstt[j] = j;
    postos::media_dos_empates(dadoxx, pstt, n, postos::valor);

    // Each cell takes the rank of the first sorted position holding its value.
    // This lookup by value is this test's own: the pooled copy was sorted
    // without carrying cells along, and tied values share one rank anyway.
    for (std::int32_t i = 1; i <= nl; ++i) {
        for (std::int32_t j = 1; j <= nc; ++j) {
            for (m = 1; m <= n; ++m) {
                if (dadoxx[m] == dados(i, j)) {
                    postoxe(i, j) = pstt[m];
                    break;
                }
            }
        }
    }
    for (std::int32_t j = 1; j <= nc; ++j) {
        for (std::int32_t i = 1; i <= nl; ++i) rr[j] = rr[j] + postoxe(i, j);
    }
    rnl = nl;
    rn = n;
    soma = 0;
    for (std::int32_t j = 1; j <= nc; ++j) soma = soma + rr[j] * rr[j] / rnl;
    h = 12 / (rn * (rn + 1)) * soma - 3 * (rn + 1);
    gl = nc - 1;

    con.line("****************************************************"_t);
    con.write("(1x,\"***\",1x,\" H = \", F7.2, \" ***\",\"  Graus de liberdade = \",I2 ,4x, \"***\")"_layout, h, gl);
    con.line("****************************************************"_t);
    con.line();
    if (resultados.ouvido()) {
        // Each treatment's values with its mean rank.
        resultados::amostras tratamentos{resultados::centro::posto_medio, {}};
        for (std::int32_t j = 1; j <= nc; ++j) {
            resultados::grupo g{std::to_string(j), {}, double(rr[j]) / rnl};
            for (std::int32_t i = 1; i <= nl; ++i) g.valores.push_back(dados(i, j));
            tratamentos.grupos.push_back(std::move(g));
        }
        resultados.informa(std::move(tratamentos));
        resultados.informa(resultados::estatistica{.distribuicao = resultados::lei::kruskal_wallis,
                                                   .nome = "H",
                                                   .valor = h,
                                                   .gl1 = double(gl),
                                                   .n1 = n,
                                                   .empates = resultados::tem_empates(resultados::valores(dadoxx, n)),
                                                   .h0 = resultados::em_bytes("tratamentos da mesma população"_t)});
    }
}

}  // namespace lousa
