#pragma once
// What the two-way analyses (codes 5 and 6) print alike: the closing block
// with the mean of every column and of every line; and how each reports an F.

#include <cstdint>

#include "common/resultados.hpp"
#include "common/vetores.hpp"
#include "console/console.hpp"

namespace lousa {

inline constexpr int limite_dois_criterios = 20;  // lines and columns of either table

void mostra_medias(console_io& con, const vetor<real, limite_dois_criterios>& mediacol, std::int32_t inc,
                   const vetor<real, limite_dois_criterios>& medialin, std::int32_t inl);

// The F of one source of variation (columns, lines, interaction) against the
// residual, for the table.
void informa_f(const resultados::canal& resultados, texto nome, real f, std::int32_t gl, std::int32_t glres,
               texto h0);

}  // namespace lousa
