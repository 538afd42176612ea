// Correlacao de Spearman (menu code 14): not built yet; its code goes straight to
// the end question.

#include "shell/aplicacoes.hpp"

namespace lousa {

void correlacao_spearman(Console&) {}

}  // namespace lousa
