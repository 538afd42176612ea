#pragma once
// The shell's dialogue: the menu, the confirmation, one application and the
// end question.

#include <cstdint>

#include "console/console.hpp"

namespace lousa {

// The application of a menu code (1 to the last code of the menu).
using aplicacao = void (*)(console_io&);
aplicacao aplicacao_de_codigo(std::int32_t icod);

// The shell: menu, confirmation, one application, end question.
void executa(console_io& con);

}  // namespace lousa
