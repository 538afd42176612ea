// ANOVA - 2 criterios com repeticoes (menu code 6): not built yet; its code goes straight to
// the end question.

#include "shell/aplicacoes.hpp"

namespace lousa {

void anova_com_repeticoes(Console&) {}

}  // namespace lousa
