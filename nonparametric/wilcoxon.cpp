// Teste de Wilcoxon (menu code 12): the signed-rank test of paired data. The
// non-zero differences are ranked by magnitude (average ranks for ties), and T
// is the rank sum of the sign that occurs less often. Up to 25 differences the
// student looks T up in the printed table for N; above 25 the normal
// approximation Zc is printed beside 1.96. No verdict.

#include <cmath>
#include <vector>

#include "nonparametric/postos.hpp"
#include "common/aplicacoes.hpp"
#include "common/limites.hpp"
#include "common/textos.hpp"

namespace lousa {

void teste_wilcoxon(console_io& con, const resultados::canal& resultados) {
    using textos::mensagem;
    using textos::mensagem2;
    constexpr int capacidade = 200;
    vetor<real, capacidade> xa, xd, di, dif, posto;
    std::int32_t n = 0, k1 = 0, kposit = 0, knegat = 0;
    real rk1, somaposit = 0, somanegat = 0, valort, numt, dent, testez;

    con.line("******************************************************"_t);
    con.line("*                 Teste de WILCOXON                  *"_t);
    con.line("******************************************************"_t);
    con.line();
    le_contagem(con, n, capacidade, [&] { con.line("*****           Quantos pares de dados?          *****"_t); });
    con.line();
    con.line();
    for (std::int32_t j = 1; j <= n; ++j) {
        con.line("***              Digitar o par"_t, j, "             ***"_t);
        con.read(xa[j], xd[j]);
        di[j] = xa[j] - xd[j];
    }

    // By magnitude, zero differences included; they are dropped afterwards.
    postos::ordena_por_trocas(di, n, postos::magnitude);
    k1 = 0;
    for (std::int32_t j = 1; j <= n; ++j) {
        if (di[j] != 0) {
            k1 = k1 + 1;
            dif[k1] = di[j];
            posto[k1] = k1;
        }
    }
    rk1 = k1;
    postos::media_dos_empates(dif, posto, k1, postos::magnitude);

    knegat = 0;
    somanegat = 0;
    kposit = 0;
    somaposit = 0;
    for (std::int32_t j = 1; j <= k1; ++j) {
        if (dif[j] < 0) {
            posto[j] = -posto[j];
            somanegat = somanegat + posto[j];
            knegat = knegat + 1;
        } else {
            somaposit = somaposit + std::fabs(posto[j]);
            kposit = kposit + 1;
        }
    }
    // T by the count of signs, not by the rank sums; equal counts take the negative sum.
    if (kposit < knegat) {
        valort = somaposit;
    } else {
        valort = somanegat;
    }
    if (rk1 > 25) {
        numt = std::fabs(valort) + rk1 * (rk1 + 1) / (-4);
        dent = std::sqrt(rk1 * (rk1 + 1) * (2 * rk1 + 1) / 24);
        testez = numt / dent;
    }

    con.line("******************************************************"_t);
    if (rk1 <= 25) {
        con.write("(1x,5(\"*\"),2x,\"T = \",F6.2,2x,5(\"*\"),2x,A20,I3,1x,4(\"*\"))"_layout, real(std::fabs(valort)),
                  mensagem, k1);
    } else {
        con.write("(1x,4(\"*\"),2x,\"Zc = \",F6.2,2x,5(\"*\"),2x,A20,I3,1x,4(\"*\"))"_layout, real(std::fabs(testez)),
                  mensagem2, k1);
    }
    con.line("******************************************************"_t);
    if (resultados.ouvido()) {
        // The differences as typed (di was sorted), and ties among the
        // magnitudes that were ranked.
        resultados::grupo diferencas{resultados::em_bytes("Diferenças"_t), {}, 0};
        for (std::int32_t j = 1; j <= n; ++j) diferencas.valores.push_back(real(xa[j] - xd[j]));
        diferencas.centro = resultados::mediana(diferencas.valores);
        resultados.informa(resultados::amostras{resultados::centro::mediana, {diferencas}});
        std::vector<double> magnitudes;
        for (std::int32_t j = 1; j <= k1; ++j) magnitudes.push_back(std::fabs(dif[j]));
        // Up to 25 differences T is read in the exact table, above them Zc.
        const bool exata = rk1 <= 25;
        resultados.informa(resultados::estatistica{
            .distribuicao = exata ? resultados::lei::postos_sinalizados : resultados::lei::normal,
            .nome = exata ? "T" : "Zc",
            .valor = real(std::fabs(exata ? valort : testez)),
            .n1 = k1,
            .empates = resultados::tem_empates(magnitudes),
            .h0 = resultados::em_bytes("diferenças centradas em zero"_t)});
    }
}

}  // namespace lousa
