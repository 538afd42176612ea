// Teste de Aleatoriedade (menu code 8): not built yet; its code goes straight to
// the end question.

#include "shell/aplicacoes.hpp"

namespace lousa {

void teste_aleatoriedade(Console&) {}

}  // namespace lousa
