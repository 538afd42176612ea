// Correlacao/Regressao linear/linearizadas (menu code 7): the pairs are typed
// once, then as many two-parameter models as the user wants are fitted to them
// by least squares on transformed variables: the straight line, the hyperbola,
// the logarithmic, exponential and power curves. Each fit prints r, r², a, b
// and the standard error of the estimates on the scale of the typed Y.

#include <cmath>
#include <utility>

#include "common/aplicacoes.hpp"
#include "common/limites.hpp"
#include "common/textos.hpp"

namespace lousa {
namespace {

// A fit as its screen names it, on the untransformed axes (code 1: any model
// code that fits the straight line).
resultados::curva curva_do_modelo(std::int32_t icod, real a, real b) {
    using resultados::forma;
    switch (icod) {
        case 2: return {forma::hiperbole, resultados::em_bytes("Curva hiperbólica"_t), a, b, 0};
        case 3: return {forma::logaritmica, resultados::em_bytes("Curva logarítmica"_t), a, b, 0};
        case 4: return {forma::exponencial, "Curva exponencial", a, b, 0};
        case 5: return {forma::potencial, "Curva potencial", a, b, 0};
        default: return {forma::reta, "Linha reta", a, b, 0};
    }
}

}  // namespace

void regressao_linear(console_io& con, const resultados::canal& resultados) {
    using textos::bra;
    constexpr int capacidade = 200;
    vetor<real, capacidade> xx, yy, x, y;
    std::int32_t n = 0, icod = 0, icont = 0;
    real ssx = 0, ssy = 0, ssxy = 0, ssx2 = 0, ssy2 = 0;
    real covxy, varx, vary, r, r2, b, a, somer = 0, erro;
    resultados::ajustes ajustes;  // only while someone listens

    con.line("*******************************************************"_t);
    con.line("****  CORRELACAO E REGRESSAO LINEAR/LINEARIZADAS   ****"_t);
    con.line("*** *         Limite = 200 pares de dados          ****"_t);
    con.line("*******************************************************"_t);
    con.line();
    le_contagem(con, n, capacidade, [&] {
        con.line("****   Quantos pares de dados serao analisados?    ****"_t);
        con.line();
    });
    con.line();
    con.line();
    for (std::int32_t j = 1; j <= n; ++j) {
        con.write("(1x, \"Digitar, nesta ordem,  X e Y do par numero\", a1,i3)"_layout, bra, j);
        con.read(xx[j], yy[j]);
    }
    if (resultados.ouvido()) ajustes = {resultados::valores(xx, n), resultados::valores(yy, n), {}};

    do {
        // Every pass starts again from the typed pairs: nothing carries over.
        ssx = 0;
        ssy = 0;
        ssx2 = 0;
        ssy2 = 0;
        ssxy = 0;
        somer = 0;
        con.line();
        con.line("*******************************************************"_t);
        con.line("    Qual o codigo do modelo a ser ajustado ?"_t);
        con.line("Obs.:(a*e = a vezes e)#(X**b = X elevado ao expoente b)"_t);
        con.line();
        con.line("(1) Y = a + bX       - (Linha reta)"_t);
        con.line("(2) Y = a + b(1/X)   - (Curva hiperbólica)"_t);
        con.line("(3) Y = a + X**b     - (Curva logaritmica)"_t);
        con.line("(4) Y = a*e**(bX)    - (Curva exponencial)"_t);
        con.line("(5) Y = a*X**b       - (Curva potencial)"_t);
        con.line("*******************************************************"_t);
        con.line();
        con.read(icod);

        // Transform: any code other than 2 to 5 fits the straight line.
        for (std::int32_t j = 1; j <= n; ++j) {
            if (icod == 2) {
                x[j] = 1 / xx[j];
                y[j] = yy[j];
            } else if (icod == 3) {
                x[j] = std::log(xx[j]);
                y[j] = yy[j];
            } else if (icod == 4) {
                x[j] = xx[j];
                y[j] = std::log(yy[j]);
            } else if (icod == 5) {
                x[j] = std::log(xx[j]);
                y[j] = std::log(yy[j]);
            } else {
                x[j] = xx[j];
                y[j] = yy[j];
            }
        }
        for (std::int32_t j = 1; j <= n; ++j) {
            ssx = ssx + x[j];
            ssy = ssy + y[j];
            ssxy = ssxy + x[j] * y[j];
            ssx2 = ssx2 + x[j] * x[j];
            ssy2 = ssy2 + y[j] * y[j];
        }
        covxy = ssxy - (ssx * ssy) / n;
        varx = ssx2 - (ssx * ssx) / n;
        vary = ssy2 - (ssy * ssy) / n;
        r = covxy / std::sqrt(varx * vary);
        r2 = r * r;
        b = covxy / varx;
        a = ssy / n - (ssx / n) * b;
        if (icod == 4 || icod == 5) a = std::exp(a);

        // Residuals around the fitted curve itself, on the scale of the typed Y.
        for (std::int32_t j = 1; j <= n; ++j) {
            if (icod == 2) {
                somer = somer + (yy[j] - ((1 / xx[j]) * b + a)) * (yy[j] - ((1 / xx[j]) * b + a));
            } else if (icod == 3) {
                somer = somer + (yy[j] - (std::log(xx[j]) * b + a)) * (yy[j] - (std::log(xx[j]) * b + a));
            } else if (icod == 4) {
                // The product is single precision before the exponential, and so is
                // the exponential: the printed error depends on it.
                const double chapeu = double(real(std::exp(double(real(xx[j] * b))))) * a;
                somer = somer + (yy[j] - chapeu) * (yy[j] - chapeu);
            } else if (icod == 5) {
                const double chapeu = double(real(std::pow(xx[j], b))) * a;
                somer = somer + (yy[j] - chapeu) * (yy[j] - chapeu);
            } else {
                somer = somer + (yy[j] - (xx[j] * b + a)) * (yy[j] - (xx[j] * b + a));
            }
        }
        erro = std::sqrt(somer / (n - 2));

        con.line();
        con.line();
        // Only five titles: the codes that fit the straight line show its title.
        con.line(textos::model[(icod >= 1 && icod <= 5) ? icod : 1]);
        con.line("*******************************************************"_t);
        con.write("(1x,\"*\",\"  Coeficiente  de  correlação = \",f6.2, 15x,\"*\")"_layout, r);
        con.write("(1x,\"*\",\"  Coeficiente de determinacao = \",f6.2, 15x,\"*\")"_layout, r2);
        con.write("(1x,\"*\",\"  Coeficientes da Regressao: a = \",f6.2,\"   b = \",f6.2, \" *\")"_layout, a, b);
        con.write("(1x,\"*  Erro padrão das estimativas igual a \",f7.2,8x,\"*\")"_layout, erro);
        con.line("*******************************************************"_t);
        if (resultados.ouvido()) {
            ajustes.curvas.push_back(curva_do_modelo(icod, a, b));
            resultados.informa(resultados::estatistica{.distribuicao = resultados::lei::correlacao,
                                                       .nome = "r",
                                                       .valor = r,
                                                       .n1 = n,
                                                       .h0 = resultados::em_bytes("correlação nula"_t)});
        }
        con.line();
        somer = 0;
        con.line("*** Quer ajustar outro modelo? ///   0=Não    1=Sim ***"_t);
        con.line();
        con.read(icont);
    } while (icont != 0);
    if (resultados.ouvido()) resultados.informa(std::move(ajustes));
}

}  // namespace lousa
