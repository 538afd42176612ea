// Teste de Aleatoriedade de 1 amostra (menu code 8): the runs test. Each
// observation, in the order typed, is marked 1 above the median and 0
// otherwise (attribute data bring their own 0/1 marks); the number of runs R is
// compared with its expectation through Z, with the verdict at 1.96.

#include <cmath>
#include <cstdint>

#include "nonparametric/postos.hpp"
#include "common/aplicacoes.hpp"

namespace lousa {

namespace {

// A measurement in whole units of its last decimal place: the nearest integer
// (half away from zero) of the typed value times 10^casa, in double, so that
// 2.57 (held as 2.5699999...) gives 257 and not 256. False when the result is
// not finite or does not fit an integer.
bool em_unidades_da_ultima_casa(real xdado, std::int32_t casa, std::int32_t& dado) {
    const double escalado = std::round(double(xdado) * std::pow(10.0, casa));
    if (!(escalado >= -2147483648.0 && escalado <= 2147483647.0)) return false;
    dado = static_cast<std::int32_t>(escalado);
    return true;
}

}  // namespace

void teste_aleatoriedade(console_io& con, const resultados::canal& resultados) {
    constexpr int capacidade = 200;
    const texto estrelas = "*******************************************************"_t;
    vetor<real, capacidade> xdado;
    vetor<std::int32_t, capacidade> dado, base, dadoiter;
    std::int32_t n = 0, tipo = 0, casa = 0, indice = 0, iter = 0, n1 = 0, n2 = 0;
    real medianax, mediana, r, mr, s2r, sr, z;

    for (;;) {
        con.line();
        con.line(estrelas);
        con.line("*    QUANTOS VALORES SERAO DIGITADOS? - 20<= N <=200  *"_t);
        con.line(estrelas);
        con.read(n);
        if (n >= 20 && n <= 200) break;
        con.line("AMOSTRA ESTÁ FORA DOS LIMITES. "_t);
    }
    con.line(estrelas);
    con.line("*           TIPO DA VARIAVEL A SER ANALISADA          *"_t);
    con.line("* CONTAGEM = 1 // MENSURACAO = 2 // ATRIBUTO(0/1) = 3 *"_t);
    con.line(estrelas);
    con.read(tipo);
    con.line();

    if (tipo != 1 && tipo != 3) {
        // Any other type code is taken as a measurement. Beyond 9 places the
        // scale 10^casa no longer fits an integer, so casa is asked again.
        do {
            con.line("NUMERO DE CASAS DECIMAIS DAS MENSURACOES"_t);
            con.read(casa);
        } while (casa < 0 || casa > 9);
        con.line(estrelas);
        con.line("*   DIGITAR OS DADOS USANDO PONTO DECIMAL. Ex: 2.57   *"_t);
        con.line(estrelas);
        for (std::int32_t j = 1; j <= n; ++j) {
            do {
                con.line("DIGITAR A INFORMACAO REFERENTE AO ELEMENTO DE ORDEM"_t, j);
                con.read(xdado[j]);
            } while (!em_unidades_da_ultima_casa(xdado[j], casa, dado[j]));
        }
        con.line();
    } else {
        con.line(estrelas);
        con.line("*        DIGITAR VALORES INTEIROS (SEM DECIMAIS)      *"_t);
        con.line(estrelas);
        for (std::int32_t k = 1; k <= n; ++k) {
            con.line("DIGITAR A INFORMACAO REFERENTE AO ELEMENTO DE ORDEM "_t, k);
            con.read(dado[k]);
        }
    }

    if (tipo == 3) {
        // Attribute data: the typed values are the marks.
        for (std::int32_t l = 1; l <= n; ++l) dadoiter[l] = dado[l];
    } else {
        for (std::int32_t l = 1; l <= n; ++l) base[l] = dado[l];
        // Exchange sort: n - 1 full passes, no early exit.
        postos::ordena_por_trocas(dado, n);
        con.line();
        if (n % 2 == 0) {
            indice = n / 2;
            // The two middle values are added without wrapping: with up to 9
            // decimal places their sum can pass the 32-bit range.
            medianax = (double(dado[indice]) + dado[indice + 1]) / 2;
        } else {
            indice = (n + 1) / 2;
            medianax = dado[indice];
        }
        mediana = medianax;
        // A value equal to the median keeps the mark 0, with those below it.
        // Each value is compared as a real, as the median is: the middle value
        // of an odd count then always equals the median, however large.
        for (std::int32_t m = 1; m <= n; ++m) {
            if (real(base[m]) > mediana) dadoiter[m] = 1;
            if (real(base[m]) < mediana) dadoiter[m] = 0;
        }
    }

    iter = 1;
    for (std::int32_t k = 1; k <= n - 1; ++k) {
        if (dadoiter[k] != dadoiter[k + 1]) iter = iter + 1;
    }
    r = iter;
    con.line();
    for (std::int32_t k = 1; k <= n; ++k) {
        if (dadoiter[k] == 0) n1 = n1 + 1;
        else n2 = n2 + 1;
    }
    con.line();

    mr = 2 * real(n1) * n2 / (n1 + n2) + 1;
    s2r = 2 * real(n1) * n2 * (2 * real(n1) * n2 - n1 - n2) / (real(n1 + n2) * (n1 + n2) * (n1 + n2 - 1));
    sr = std::sqrt(s2r);
    z = std::fabs((r - mr) / sr);

    con.line("VALOR DE Z = "_t, z);
    con.line("N1 ="_t, n1, "  N2 ="_t, n2);
    con.line("MR ="_t, mr, "SR = "_t, sr, "R = "_t, r);
    if (z > 1.96f) {
        con.line("Z > 1.96 REJEITAMOS H0. AMOSTRA NAO-ALEATORIA"_t);
    } else {
        con.line("Z <= 1.96 ACEITAMOS H0. AMOSTRA ALEATORIA"_t);
        con.line();
    }
    con.line();
    if (!resultados.ouvido()) return;
    // The values as typed (the counts were sorted in place, their copy kept in
    // base); a measurement's median back in its own units, and the attribute
    // marks split at one half.
    if (tipo == 3) resultados.informa(resultados::sequencia{resultados::valores(dado, n), 0.5});
    else if (tipo == 1) resultados.informa(resultados::sequencia{resultados::valores(base, n), mediana});
    else resultados.informa(resultados::sequencia{resultados::valores(xdado, n), mediana / std::pow(10.0, casa)});
    // The screen's verdict stands for both: the exact count adds its p-value.
    const texto h0 = "sequência aleatória"_t;
    const auto na_tela = z > 1.96f ? resultados::veredito::rejeita : resultados::veredito::nao_rejeita;
    resultados.informa(resultados::estatistica{.distribuicao = resultados::lei::normal,
                                               .nome = "Z",
                                               .valor = z,
                                               .h0 = resultados::em_bytes(h0),
                                               .na_tela = na_tela,
                                               .critico_na_tela = 1.96f});
    resultados.informa(resultados::estatistica{.distribuicao = resultados::lei::sequencias,
                                               .nome = "R",
                                               .valor = r,
                                               .casas = 0,
                                               .n1 = n1,
                                               .n2 = n2,
                                               .h0 = resultados::em_bytes(h0),
                                               .na_tela = na_tela});
}

}  // namespace lousa
