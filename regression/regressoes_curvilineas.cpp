// Regressoes Curvelineas (menu code 16): not built yet; its code goes straight to
// the end question.

#include "shell/aplicacoes.hpp"

namespace lousa {

void regressoes_curvilineas(Console&) {}

}  // namespace lousa
