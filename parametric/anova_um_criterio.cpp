// ANOVA - 1 criterio (menu code 4): not built yet; its code goes straight to
// the end question.

#include "shell/aplicacoes.hpp"

namespace lousa {

void anova_um_criterio(Console&) {}

}  // namespace lousa
