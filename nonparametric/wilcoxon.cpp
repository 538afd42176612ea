// Teste de Wilcoxon (menu code 12): not built yet; its code goes straight to
// the end question.

#include "shell/aplicacoes.hpp"

namespace lousa {

void teste_wilcoxon(Console&) {}

}  // namespace lousa
