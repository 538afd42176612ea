#include "parametric/dois_criterios.hpp"

namespace lousa {

void mostra_medias(console_io& con, const vetor<real, limite_dois_criterios>& mediacol, std::int32_t inc,
                   const vetor<real, limite_dois_criterios>& medialin, std::int32_t inl) {
    for (std::int32_t j = 1; j <= inc; ++j)
        con.write("( 1x,15x, \"Mediacol (\"   ,I2,  \") = \",   f6.2, 10x)"_layout, j, mediacol[j]);
    con.line("******************************************************"_t);
    for (std::int32_t i = 1; i <= inl; ++i)
        con.write("( 1x,15x, \"Medialin (\"   ,I2,  \") = \",   f6.2, 10x)"_layout, i, medialin[i]);
    con.line("*******************************************************"_t);
    con.line("*******************************************************"_t);
    con.line();
}

void informa_f(const resultados::canal& resultados, texto nome, real f, std::int32_t gl, std::int32_t glres,
               texto h0) {
    resultados.informa(resultados::estatistica{.distribuicao = resultados::lei::f_snedecor,
                                               .nome = resultados::em_bytes(nome),
                                               .valor = f,
                                               .gl1 = double(gl),
                                               .gl2 = double(glres),
                                               .h0 = resultados::em_bytes(h0)});
}

}  // namespace lousa
