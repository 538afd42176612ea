// Teste de Mann-Whitney (menu code 13): not built yet; its code goes straight to
// the end question.

#include "shell/aplicacoes.hpp"

namespace lousa {

void teste_mann_whitney(Console&) {}

}  // namespace lousa
