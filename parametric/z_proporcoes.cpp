// Teste Z para proporcoes (menu code 11): a sample proportion against a
// population proportion (type 1), or the proportions of two independent
// samples against each other with the pooled proportion (type 2). A sample
// whose n*p or n*q is too small is refused before any computation. Prints |Z|
// and the verdict against the fixed critical value 1.96.

#include <cmath>

#include "common/aplicacoes.hpp"
#include "common/textos.hpp"

namespace lousa {
namespace {

// |Z| with the screen's own verdict at 1.96, and the proportion against the
// one it is compared with, inside that one's 1.96 band (erro: its standard
// error).
void informa(const resultados::canal& resultados, real z, bool rejeitou, double p, double p0, double erro) {
    resultados.informa(resultados::proporcao{p, p0, p0 - 1.96 * erro, p0 + 1.96 * erro});
    resultados.informa(resultados::estatistica{
        .distribuicao = resultados::lei::normal,
        .nome = "Z",
        .valor = z,
        .h0 = resultados::em_bytes("proporções iguais"_t),
        .na_tela = rejeitou ? resultados::veredito::rejeita : resultados::veredito::nao_rejeita,
        .critico_na_tela = 1.96f});
}

}  // namespace

void teste_z_proporcoes(console_io& con, const resultados::canal& resultados) {
    // The verdicts are the shell's shared texts, both 14 characters long, so
    // the closing "**" of the result line stands in the same column for each.
    using textos::resh1;
    using textos::resho;
    std::int32_t k = 0;
    real pp, p, q, rn1, p1, q1, rn2, p2, q2, z;
    texto res = resho;

    con.line("****************************************************"_t);
    con.line("**            TESTE Z PARA PROPORCOES             **"_t);
    con.line("****************************************************"_t);
    con.line();
    do {
        con.line("**************** Tipo de Teste *********************"_t);
        con.line("* 'p'da amostra VERSUS 'P'populacional - Digitar 1 *"_t);
        con.line("* 'p1' amostra 1 VERSUS 'p2' amostra 2 - Digitar 2 *"_t);
        con.line("****************************************************"_t);
        con.line();
        con.read(k);
    } while (k != 1 && k != 2);

    if (k == 1) {
        // One sample against the population proportion.
        con.line();
        con.line("**       Qual o valor do 'P' populacional?        **"_t);
        con.read(pp);
        con.line();
        con.line("**         Qual o valor do 'p' da amostra?        **"_t);
        con.read(p);
        q = 1 - p;
        con.line();
        con.line("**              Qual o tamanho da amostra?        **"_t);
        con.read(rn1);
        if (p * rn1 < 5 || rn1 * q < 5) {
            con.line("** Amostra insuficente.  Precisa ampliar a amostra e refazer o teste. **"_t);
            return;
        }
        z = (p - pp) / std::sqrt((1 - pp) * pp / rn1);
        z = std::fabs(z);
        if (z <= 1.96f) res = resho;
        else res = resh1;
        con.line();
        con.line("****************************************************"_t);
        con.write("(1x,\"**\",13x,\"Z = \",f5.2, \" /// \",A14,7x,\"**\")"_layout, z, res);
        con.line("****************************************************"_t);
        if (resultados.ouvido()) informa(resultados, z, !(z <= 1.96f), p, pp, std::sqrt((1 - pp) * pp / rn1));
        return;
    }

    // Two samples; both are typed before either is checked.
    con.line("**    Qual o valor do 'p' da amostra 1 (p1)?      **"_t);
    con.read(p1);
    con.line();
    con.line("**        Qual o tamanho da amostra 1 (n1)?       **"_t);
    con.read(rn1);
    con.line("****************************************************"_t);
    con.line("**    Qual o valor do 'p' da amostra 2  (p2)?     **"_t);
    con.read(p2);
    con.line();
    con.line("**        Qual o tamanho da amostra 2 (n2)?       **"_t);
    con.read(rn2);
    con.line("****************************************************"_t);
    // Here a product of exactly 5 is already too small.
    q1 = 1 - p1;
    if (p1 * rn1 <= 5 || rn1 * q1 <= 5) {
        con.line(" *Amostra 1 é insuficente. Ampliar a amostra  e refazer o teste * "_t);
        return;
    }
    q2 = 1 - p2;
    if (p2 * rn2 <= 5 || rn2 * q2 <= 5) {
        con.line(" *Amostra 2 é insuficente. Ampliar amostra e refazer o teste * "_t);
        return;
    }
    p = (rn1 * p1 + rn2 * p2) / (rn1 + rn2);
    q = 1 - p;
    z = (p1 - p2) / std::sqrt(p * q * ((rn1 + rn2) / (rn1 * rn2)));
    z = std::fabs(z);
    if (z <= 1.96f) res = resho;
    else res = resh1;
    con.line("****************************************************"_t);
    con.write("(1x,\"**\",13x,\"Z = \",f5.2, \" /// \",A14,7x,\"**\")"_layout, z, res);
    con.line("****************************************************"_t);
    if (resultados.ouvido())
        informa(resultados, z, !(z <= 1.96f), p1, p2, std::sqrt(p * q * ((rn1 + rn2) / (rn1 * rn2))));
}

}  // namespace lousa
