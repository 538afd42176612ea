// Dimensionamento de Amostras (menu code 1): the sample size that estimates a
// proportion (discrete variable) or a mean (continuous variable) within a
// maximum error, with 4 as the factor of every size formula. For a mean, the
// variance and the mean are typed as estimates or computed from a pilot
// sample, and the error is given in the units of the mean or as a fraction.
// The size is printed as it is computed; the F field rounds it to a whole
// number (it is not rounded up).

#include <cmath>

#include "common/aplicacoes.hpp"
#include "common/limites.hpp"
#include "common/textos.hpp"

namespace lousa {

// A sample size has no table to look up and no picture: nothing is reported.
void dimensionamento_amostras(console_io& con, const resultados::canal& /*resultados*/) {
    using textos::ast;
    using textos::bra;
    constexpr int capacidade = 200;
    vetor<real, capacidade> x;
    std::int32_t tipo = 0, estima = 0, alt = 0, n = 0, mod = 0;
    real p, q, erro, errop, varx, mediax, cv, rn, somax, somax2, rnc;

    con.line();
    con.line();
    somax = 0;
    somax2 = 0;
    con.write("(1x, 64(\"*\"),a1)"_layout, ast);
    con.line();
    do {  // A
        con.write("(1x, 18(\"*\"), \" DIMENSIONAMENTO DE AMOSTRAS \",16(\"*\"),a1)"_layout, bra);
        con.write("(1x, \"****** Tipo de variavel: (1) = discreta /// (2) = continua ****\", a1)"_layout, bra);
        con.write("(1x, 64(\"*\"),a1)"_layout, ast);
        con.line();
        con.read(tipo);
    } while (tipo != 1 && tipo != 2);

    if (tipo == 1) {
        // Discrete variable: a proportion.
        con.line();
        do {  // B
            con.line("*** Tem um estimativa da proporcao 'p'? /// nao = 0  /sim = 1 ***"_t);
            con.read(estima);
        } while (estima != 0 && estima != 1);
        if (estima == 0) {
            p = 0.5f;
            q = 0.5f;
        }
        if (estima == 1) {
            con.line();
            do {  // C
                con.line("*** Informe o valor do p estimado ***"_t);
                con.read(p);
            } while (!(p > 0 && p < 1));
            q = 1 - p;
        }
        con.line();
        do {  // D
            con.line("*** Qual o erro máximo aceito no dimensionamento? ***"_t);
            con.read(erro);
        } while (!(erro > 0 && erro < 1));
        rnc = 4.0f * p * q / (erro * erro);
        con.line();
        con.write("(1x, 64(\"*\"),a1)"_layout, bra);
        con.write(
            "(1x,\"*\",\" Para um erro maximo = \",f4.2,\" /// \", \"Tamanho da amostra = \", F8.0, \" *\")"_layout,
            erro, rnc);
        con.write("(1x, 64(\"*\"),a1)"_layout);
    } else {
        // Continuous variable: a mean.
        do {  // E
            con.write("(1x,\"*** Estimativa da variancia e media? // (0) nao /// (1) sim  ***\", A1)"_layout, bra);
            con.read(alt);
        } while (alt != 0 && alt != 1);
        if (alt == 1) {
            con.line();
            con.line("*** Digitar valor da variancia estimada: ***"_t);
            con.read(varx);
            con.line();
            con.line("*** Digitar o valor da média estimada: ***"_t);
            con.read(mediax);
            cv = std::sqrt(varx) / mediax;
        }
        if (alt == 0) {
            // Pilot sample.
            con.line();
            con.line("****     DIGITAR DADOS DA AMOSTRA PILOTO       ****"_t);
            con.line();
            le_contagem(con, n, capacidade, [&] {
                con.line("****  Quantos dados serao digitados? (N >=20)  ****"_t);
                con.line();
            });
            rn = n;
            con.line();
            for (std::int32_t j = 1; j <= n; ++j) {
                con.line("Digitar dado numero "_t, j);
                con.read(x[j]);
            }
            for (std::int32_t j = 1; j <= n; ++j) {
                somax = somax + x[j];
                somax2 = somax2 + x[j] * x[j];
            }
            varx = (somax2 - somax * somax / rn) / (rn - 1);
            mediax = somax / rn;
            cv = std::sqrt(varx) / mediax;
        }
        con.line();
        do {  // F
            con.write("(1x,\"*** (1) Erro na unidade da media? // (2) Erro porcentual? ****\", A1)"_layout, bra);
            con.read(mod);
        } while (mod != 1 && mod != 2);
        if (mod == 1) {
            con.line();
            con.line("**  Informe o erro máximo aceitavel   **"_t);
            con.read(erro);
            rnc = 4.0f * varx / (erro * erro);
        }
        if (mod == 2) {
            con.line();
            do {  // G
                con.line("*** Qual o erro porcentual aceitavel? ***"_t);
                con.read(errop);
            } while (!(errop > 0 && errop < 1));
            rnc = 4.0f * cv * cv / (errop * errop);
            erro = errop;
        }
        con.write("(1x, 64(\"*\"),a1)"_layout, bra);
        con.write(
            "(1x,\"*\",\" Erro maximo aceitavel = \",f6.2,\" // \", \"Tamanho da amostra = \", F6.0, \"*\")"_layout,
            erro, rnc);
        con.write("(1x, 64(\"*\"),a1)"_layout, bra);
    }
    con.line();
}

}  // namespace lousa
