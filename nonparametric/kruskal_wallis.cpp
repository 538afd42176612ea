// Teste de Kruskal-Wallis (menu code 15): not built yet; its code goes straight to
// the end question.

#include "shell/aplicacoes.hpp"

namespace lousa {

void teste_kruskal_wallis(Console&) {}

}  // namespace lousa
