// Teste Qui-quadrado (menu code 9): Pearson's chi-square and its degrees of
// freedom, for goodness of fit (typed Fo and Fe pairs) or for independence
// (a contingency table, expected frequencies from its totals). No verdict: the
// student reads a chi-square table.

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include "common/aplicacoes.hpp"
#include "common/limites.hpp"
#include "common/textos.hpp"

namespace lousa {

void teste_qui_quadrado(console_io& con, const resultados::canal& resultados) {
    using textos::bra;
    constexpr int capacidade = 50;
    const texto estrelas54 = "******************************************************"_t;
    const texto estrelas42 = "******************************************"_t;
    vetor<real, capacidade> fso, fse;
    vetor<real, capacidade> dif;
    matriz<real, capacidade, capacidade> fo, fe;
    vetor<real, capacidade> somal, somac;
    std::int32_t tipo = 0, n = 0, inl = 0, inc = 0, gl = 0;
    real somat = 0, qui = 0;

    con.write("(1x, 18(\"*\"),1x,\"TESTE QUI-QUADRADO\", 1x,18(\"*\"),a1)"_layout, bra);
    do {
        con.line(estrelas54);
        con.line("***         Digitar o modelo de analise            ***"_t);
        con.line();
        con.line("* Teste de aderencia (1) / Teste de Independência (2)*"_t);
        con.line(estrelas54);
        con.read(tipo);
    } while (tipo != 1 && tipo != 2);

    if (tipo == 1) {
        con.line();
        le_contagem(con, n, capacidade, [&] { con.line("***  Quantos pares de Fo e Fe serao analisados?   ***"_t); });
        con.line();
        con.line("*** Informar Fo e Fe, nessa ordem ***"_t);
        con.line();
        for (std::int32_t k = 1; k <= n; ++k) {
            con.write("(1x, \"Digitar o par de dados numero\",1x,i2 )"_layout, k);
            con.read(fso[k], fse[k]);
            con.line();
        }
        for (std::int32_t k = 1; k <= n; ++k) {
            dif[k] = (fso[k] - fse[k]) * (fso[k] - fse[k]) / fse[k];
            qui = qui + dif[k];
        }
        gl = n - 1;
        con.line();
        con.line(estrelas42);
        con.write("(1x,\"*\",\" Qui-Quadrado =\",1x,f6.2,4x,\"**\"4x\" GL =\",i2 \" *\")"_layout, qui, gl);
        con.line(estrelas42);
        if (resultados.ouvido()) {
            resultados::frequencias f{1, n, {}, resultados::valores(fso, n), resultados::valores(fse, n)};
            for (std::int32_t k = 1; k <= n; ++k) f.classes.push_back(std::to_string(k));
            resultados.informa(std::move(f));
        }
    } else {
        con.line("** Digitar as frequencias da tabela de contingencia **"_t);
        con.line();
        le_contagem(con, inl, capacidade, [&] { con.line("*** Quantas linhas tem a tabela? ***"_t); });
        con.line();
        le_contagem(con, inc, capacidade, [&] { con.line("Quantas colunas tem a tabela? "_t); });
        con.line();
        for (std::int32_t i = 1; i <= inl; ++i) {
            for (std::int32_t j = 1; j <= inc; ++j) {
                con.write("(1x,\"**\",\" Dado da celula: linha \",i2,\" coluna \", i2,\" **\")"_layout, i, j);
                con.read(fo(i, j));
            }
            con.write("(1x,\"   *** Digitacao da linha \",i2, \" concluida ***\")"_layout, i);
            con.line();
        }
        for (std::int32_t i = 1; i <= inl; ++i) {
            for (std::int32_t j = 1; j <= inc; ++j) somal[i] = somal[i] + fo(i, j);
        }
        for (std::int32_t j = 1; j <= inc; ++j) {
            for (std::int32_t i = 1; i <= inl; ++i) somac[j] = somac[j] + fo(i, j);
        }
        // The grand total is the sum of the column totals, in column order.
        for (std::int32_t j = 1; j <= inc; ++j) somat = somat + somac[j];
        for (std::int32_t i = 1; i <= inl; ++i) {
            for (std::int32_t j = 1; j <= inc; ++j) fe(i, j) = somal[i] * somac[j] / somat;
        }
        for (std::int32_t i = 1; i <= inl; ++i) {
            for (std::int32_t j = 1; j <= inc; ++j) {
                qui = qui + (fo(i, j) - fe(i, j)) * (fo(i, j) - fe(i, j)) / fe(i, j);
            }
        }
        gl = (inl - 1) * (inc - 1);
        con.line();
        con.line(estrelas54);
        con.write("(1x,11(\"*\") ,\" Qui-quadrado = \",F6.2,\"   GL = \", i3,1x, 9(\"*\"))"_layout, qui, gl);
        con.line(estrelas54);
        if (resultados.ouvido()) {
            resultados::frequencias f{inl, inc, {}, {}, {}};
            f.observadas.reserve(std::size_t(inl) * std::size_t(inc));
            f.esperadas.reserve(f.observadas.capacity());
            for (std::int32_t j = 1; j <= inc; ++j) f.classes.push_back(std::to_string(j));
            for (std::int32_t i = 1; i <= inl; ++i)
                for (std::int32_t j = 1; j <= inc; ++j) {
                    f.observadas.push_back(fo(i, j));
                    f.esperadas.push_back(fe(i, j));
                }
            resultados.informa(std::move(f));
        }
    }
    con.line();
    if (resultados.ouvido())
        resultados.informa(resultados::estatistica{
            .distribuicao = resultados::lei::qui_quadrado,
            .nome = resultados::em_bytes("Qui-quadrado"_t),
            .valor = qui,
            .gl1 = double(gl),
            .h0 = resultados::em_bytes(tipo == 1 ? texto("frequências como as esperadas"_t)
                                              : texto("linhas e colunas independentes"_t))});
}

}  // namespace lousa
