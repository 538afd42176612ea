#include "common/limites.hpp"

namespace lousa {

void mostra_recusa_de_limite(console_io& con) {
    con.line();
    con.line("OS VALORES ULTRAPASSAM OS LIMITES DO PROGRAMA"_t);
    con.line();
}

}  // namespace lousa
