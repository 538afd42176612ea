// Teste 't' para dados parelhados (menu code 3): the t of the mean difference
// of typed pairs, with its degrees of freedom. No verdict: the student reads a
// t table.

#include <cmath>

#include "common/aplicacoes.hpp"
#include "common/limites.hpp"
#include "common/textos.hpp"

namespace lousa {

void teste_t_pareado(console_io& con, const resultados::canal& resultados) {
    using textos::bra;
    constexpr int capacidade = 200;
    vetor<real, capacidade> xa, xd, dif;
    std::int32_t n = 0, nc = 0, gl = 0;
    real rnc, somadif = 0, soma2dif = 0, mediadif, vardif, desvdif, t;

    con.write("(1x, 64(\"*\"), a1)"_layout, bra);
    con.write("(1x, 17(\"*\"), \"Teste T para dados parelhados\",18(\"*\"), a1)"_layout, bra);
    con.write("(1x,6(\"*\"), \" Digitar Xa e Xd separados por um espaco em branco  \",6(\"*\"), a1)"_layout, bra);
    con.write("(1x, 64(\"*\"), a1)"_layout, bra);
    le_contagem(con, n, capacidade, [&] { con.line("***** Quandos pares serão digitados?  *****"_t); });
    con.line();
    for (std::int32_t j = 1; j <= n; ++j) {
        con.write("(1x, \"Digitar o par (Xa e Xd) numero \",I3)"_layout, j);
        con.read(xa[j], xd[j]);
        dif[j] = xa[j] - xd[j];
        nc = nc + 1;
        somadif = somadif + dif[j];
        soma2dif = soma2dif + dif[j] * dif[j];
    }
    rnc = nc;
    mediadif = somadif / rnc;
    vardif = (soma2dif - somadif * somadif / rnc) / (rnc - 1);
    desvdif = std::sqrt(vardif);
    t = mediadif / (desvdif / std::sqrt(rnc));
    gl = nc - 1;
    con.write("(1x, 64(\"*\"), a1)"_layout, bra);
    con.write("(1x, 11(\"*\"),\" 't' = \", f6.2, \" /// \", \"Graus de liberdade = \",I3,1x, 10(\"*\"))"_layout, t, gl);
    con.write("(1x, 64(\"*\"), a1)"_layout, bra);
    if (resultados.ouvido()) {
        resultados.informa(resultados::amostras{
            resultados::centro::media, {{resultados::em_bytes("Diferenças"_t), resultados::valores(dif, n), mediadif}}});
        resultados.informa(resultados::estatistica{.distribuicao = resultados::lei::t_student,
                                                   .nome = "t",
                                                   .valor = t,
                                                   .gl1 = double(gl),
                                                   .h0 = resultados::em_bytes("diferença média nula"_t)});
    }
}

}  // namespace lousa
