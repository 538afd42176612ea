#pragma once
// A count read from the keyboard is refused while it exceeds the capacity of
// the arrays it sizes: the refusal message, then the count's prompt and read
// again. Without it, a larger count would write past the arrays.
// The applications share this with the shell; it is built below both.

#include <cstdint>

#include "console/console.hpp"

namespace lousa {

void mostra_recusa_de_limite(console_io& con);

// pergunta() writes the count's prompt line(s); the read follows it. The
// count is asked again while excede(n) holds.
template <class Excede, class Pergunta>
void le_contagem_se(console_io& con, std::int32_t& n, Excede excede, Pergunta pergunta,
                    source_location where = source_location::current()) {
    pergunta();
    con.read(read_variable(n, where));
    while (excede(n)) {
        mostra_recusa_de_limite(con);
        pergunta();
        con.read(read_variable(n, where));
    }
}

// The usual case: the count may not exceed `limite`.
template <class Pergunta>
void le_contagem(console_io& con, std::int32_t& n, std::int32_t limite, Pergunta pergunta,
                 source_location where = source_location::current()) {
    le_contagem_se(con, n, [limite](std::int32_t v) { return v > limite; }, pergunta, where);
}

}  // namespace lousa
