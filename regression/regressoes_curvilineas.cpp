// Regressoes Curvelineas (menu code 16): the pairs are typed once and all the
// sums are formed at once; then, as often as the user wants, one of four
// three-parameter curves (chosen by its tutorial page) is fitted through its
// normal equations, solved by Cramer's rule, and its parameters A, B, C and
// the standard error of the regression are printed.

#include <cmath>
#include <utility>

#include "common/aplicacoes.hpp"
#include "common/limites.hpp"
#include "common/textos.hpp"

namespace lousa {
namespace {

// The determinant of the matrix a11 ... a33: its positive and its negative
// half, each rounded to single precision, then their difference.
real determinante(real a11, real a12, real a13, real a21, real a22, real a23, real a31, real a32, real a33) {
    const real dpri = a11 * a22 * a33 + a12 * a23 * a31 + a21 * a32 * a13;
    const real dsec = a13 * a22 * a31 + a32 * a23 * a11 + a21 * a12 * a33;
    return dpri - dsec;
}

struct parametros {
    real a, b, c;
};

// The normal equations of a page, m * (a, b, c) = r, by Cramer's rule: each
// parameter is the determinant of m with its column replaced by r, divided by
// the determinant of m.
parametros cramer(real m11, real m12, real m13, real m21, real m22, real m23, real m31, real m32, real m33,
                  real r1, real r2, real r3) {
    const real det = determinante(m11, m12, m13, m21, m22, m23, m31, m32, m33);
    const real deta = determinante(r1, m12, m13, r2, m22, m23, r3, m32, m33);
    const real detb = determinante(m11, r1, m13, m21, r2, m23, m31, r3, m33);
    const real detc = determinante(m11, m12, r1, m21, m22, r2, m31, m32, r3);
    return {deta / det, detb / det, detc / det};
}

}  // namespace

// The coefficients of a fit have no table: only the picture's data are
// reported, the points and every curve fitted.
void regressoes_curvilineas(console_io& con, const resultados::canal& resultados) {
    using namespace textos;
    constexpr int capacidade = 200;
    vetor<real, capacidade> xx, yy, y;
    std::int32_t n = 0, nx = 0, k = 0, i = 0;
    real sx = 0, sy = 0, sx2 = 0, sxy = 0, sx3 = 0, sx4 = 0, sx2y = 0, s1dx = 0, sydx = 0, s1dx2 = 0;
    real slogx = 0, slog2x = 0, sxlogx = 0, slogy = 0, slogylogx = 0, sxlogy = 0, sx2logy = 0;
    real rnx;
    real am1, am2, am3, am4, bm1, bm2, bm3, bm4, cm1, cm2, cm3, cm4;
    real seg1, seg2, seg3, seg4, ep1, ep2, ep3, ep4;
    resultados::ajustes ajustes;  // only while someone listens
    const auto ajustou = [&](resultados::forma tipo, const char* nome, real am, real bm, real cm) {
        if (resultados.ouvido()) ajustes.curvas.push_back({tipo, nome, am, bm, cm});
    };

    const auto quadro = [&](texto titulo, texto subtitulo, real am, real bm, real cm, real ep) {
        con.write(
            "(1x,52(\"*\") /1x,\"*\",16x,A18,16x,\"*\"/1x,\"*\",10x,A30,10x,\"*\"/1x,\"*\",50x,\"*\"/1x, "
            "\"*\",2x,3(a4, 1x, f9.2,2x),\"*\"/1x,\"*\", 50x,\"*\",/1x,\"*\",4x, A30,1x,F9.2,6x,\"*\"/"
            "1x,52(\"*\"))"_layout,
            titulo, subtitulo, texto(mens5), am, texto(mens6), bm, texto(mens7), cm, texto(mens8), ep);
    };

    con.line("***************************************************"_t);
    con.line("*********** REGRESSOES CURVELINEAS  ***************"_t);
    con.line("***************************************************"_t);
    con.line();
    seg1 = 0;
    seg2 = 0;
    seg3 = 0;
    seg4 = 0;
    con.line();
    le_contagem(con, n, capacidade, [&] {
        con.line("**   Quantos pares de dados serão digitados ?    **"_t);
        con.line();
    });
    con.line();
    nx = n;
    for (std::int32_t j = 1; j <= n; ++j) {
        con.line("Digitar X e Y, nesta ordem, do par numero "_t, j, " ***"_t);
        con.read(xx[j], yy[j]);
    }
    // All the sums every page needs, once. Where a term is rounded to single
    // precision before it is added, the printed tables were computed that way.
    for (std::int32_t j = 1; j <= n; ++j) {
        sx = sx + xx[j];
        sy = sy + yy[j];
        sx2 = sx2 + xx[j] * xx[j];
        sxy = sxy + xx[j] * yy[j];
        sx3 = sx3 + real(xx[j] * xx[j] * xx[j]);
        sx4 = sx4 + real((xx[j] * xx[j]) * (xx[j] * xx[j]));
        sx2y = sx2y + xx[j] * xx[j] * yy[j];
        s1dx = s1dx + 1 / xx[j];
        sydx = sydx + yy[j] / xx[j];
        s1dx2 = s1dx2 + 1 / (xx[j] * xx[j]);
        slogx = slogx + std::log(xx[j]);
        slog2x = slog2x + std::log(xx[j]) * std::log(xx[j]);
        sxlogx = sxlogx + std::log(xx[j]) * xx[j];
        slogy = slogy + std::log(yy[j]);
        slogylogx = slogylogx + std::log(xx[j]) * real(std::log(yy[j]));
        sxlogy = sxlogy + std::log(yy[j]) * xx[j];
        sx2logy = sx2logy + std::log(yy[j]) * real(xx[j] * xx[j]);
    }
    rnx = nx;
    if (resultados.ouvido()) ajustes = {resultados::valores(xx, n), resultados::valores(yy, n), {}};

    do {
        con.line();
        con.line("****************************************************"_t);
        con.line("*    QUAL O  CÓDIGO DO MODELO A SER AJUSTADO?      *"_t);
        con.line("****************************************************"_t);
        con.line("*    (1)   Curvas da pagina 60 do tutorial         *"_t);
        con.line("*    (2)   Curvas da pagina 61 do tutorial         *"_t);
        con.line("*    (3)   Curvas da pagina 63 do tutorial         *"_t);
        con.line("*    (4)   Curvas da pagina 65 do tutorial         *"_t);
        con.line("****************************************************"_t);
        con.line();
        con.read(k);

        if (k == 2) {
            // Y = A + B/X + C.X
            const auto [a2, b2, c2] = cramer(rnx, s1dx, sx, s1dx, s1dx2, rnx, sx, rnx, sx2, sy, sydx, sxy);
            am2 = a2;
            bm2 = b2;
            cm2 = c2;
            for (std::int32_t j = 1; j <= n; ++j) y[j] = ((1 / xx[j]) * bm2 + am2) + xx[j] * cm2;
            for (std::int32_t j = 1; j <= n; ++j) seg2 = seg2 + (y[j] - yy[j]) * (y[j] - yy[j]);
            ep2 = std::sqrt(seg2 / (nx - 3.0f));
            quadro(mens2, mens2a, am2, bm2, cm2, ep2);
            ajustou(resultados::forma::hiperbole_reta, "Modelo 2", am2, bm2, cm2);
            seg2 = 0;
        } else if (k == 3) {
            // ln Y = a3 + b3.ln X + c3.X, printed as Y = A.X^B.C^X
            const auto [a3, b3, c3] =
                cramer(rnx, slogx, sx, slogx, slog2x, sxlogx, sx, sxlogx, sx2, slogy, slogylogx, sxlogy);
            am3 = std::exp(a3);
            bm3 = b3;
            cm3 = std::exp(c3);
            for (std::int32_t j = 1; j <= n; ++j)
                y[j] = double(real(std::pow(cm3, xx[j]))) * real(double(real(std::pow(xx[j], bm3))) * am3);
            for (std::int32_t j = 1; j <= n; ++j) seg3 = seg3 + (y[j] - yy[j]) * (y[j] - yy[j]);
            ep3 = std::sqrt(seg3 / (nx - 3.0f));
            quadro(mens3, mens3a, am3, bm3, cm3, ep3);
            ajustou(resultados::forma::potencia_exp, "Modelo 3", am3, bm3, cm3);
            seg3 = 0;
        } else if (k == 4) {
            // ln Y = a4 + b4.X + c4.X², printed as Y = A.B^((X - C)²)
            const auto [a4, b4, c4] = cramer(rnx, sx, sx2, sx, sx2, sx3, sx2, sx3, sx4, slogy, sxlogy, sx2logy);
            am4 = std::exp(a4 - (b4 * b4) / (c4 * 4.0f));
            bm4 = std::exp(c4);
            cm4 = -(b4 / (c4 + c4));
            for (std::int32_t j = 1; j <= n; ++j)
                y[j] = double(real(std::pow(bm4, double(real((xx[j] - cm4) * (xx[j] - cm4)))))) * am4;
            for (std::int32_t j = 1; j <= n; ++j) seg4 = seg4 + (y[j] - yy[j]) * (y[j] - yy[j]);
            ep4 = std::sqrt(seg4 / (nx - 3.0f));
            quadro(mens4, mens4a, am4, bm4, cm4, ep4);
            ajustou(resultados::forma::gaussiana, "Modelo 4", am4, bm4, cm4);
            seg4 = 0;
        } else {
            // Page 1, also for any code other than 1 to 4 (after one more empty line).
            // Y = a1 + b1.X + c1.X², printed in vertex form Y = A + C.(X - B)²
            if (k != 1) con.line();
            const auto [a1, b1, c1] = cramer(rnx, sx, sx2, sx, sx2, sx3, sx2, sx3, sx4, sy, sxy, sx2y);
            am1 = a1 - double(real(b1 * b1)) / (c1 * 4.0f);
            bm1 = (-b1) / (c1 + c1);
            cm1 = c1;
            for (std::int32_t j = 1; j <= n; ++j) y[j] = (xx[j] - bm1) * (xx[j] - bm1) * cm1 + am1;
            for (std::int32_t j = 1; j <= n; ++j) seg1 = seg1 + (y[j] - yy[j]) * (y[j] - yy[j]);
            ep1 = std::sqrt(seg1 / (nx - 3.0f));
            con.line();
            quadro(mens1, mens1a, am1, bm1, cm1, ep1);
            ajustou(resultados::forma::parabola, "Modelo 1", am1, bm1, cm1);
            con.line();
            seg1 = 0;
        }

        do {
            con.line();
            con.line();
            con.line("****************************************************"_t);
            con.line("*          Quer ajustar outro modelo?              *"_t);
            con.line("*        0 = Não      ////     1 = Sim             *"_t);
            con.line("****************************************************"_t);
            con.line();
            con.read(i);
        } while (i != 0 && i != 1);
    } while (i == 1);
    if (resultados.ouvido()) resultados.informa(std::move(ajustes));
}

}  // namespace lousa
