// ANOVA - 2 criterios (menu code 5): not built yet; its code goes straight to
// the end question.

#include "shell/aplicacoes.hpp"

namespace lousa {

void anova_dois_criterios(Console&) {}

}  // namespace lousa
