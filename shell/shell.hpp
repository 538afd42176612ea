#pragma once
// The shell's dialogue: the menu, the confirmation, one application and the
// end question.

#include <cstdint>

#include "common/resultados.hpp"
#include "console/console.hpp"

namespace lousa {

// The application of a menu code (1 to the last code of the menu).
using aplicacao = void (*)(console_io&, const resultados::canal&);
aplicacao aplicacao_de_codigo(std::int32_t icod);

// The shell: menu, confirmation, one application, end question. The result is
// closed on `resultados` (encerra) before the end question.
void executa(console_io& con);
void executa(console_io& con, const resultados::canal& resultados);

}  // namespace lousa
