// Correlacao/Regressao linear/linearizadas (menu code 7): not built yet; its code goes straight to
// the end question.

#include "shell/aplicacoes.hpp"

namespace lousa {

void regressao_linear(Console&) {}

}  // namespace lousa
