// Teste Qui-quadrado (menu code 9): not built yet; its code goes straight to
// the end question.

#include "shell/aplicacoes.hpp"

namespace lousa {

void teste_qui_quadrado(Console&) {}

}  // namespace lousa
