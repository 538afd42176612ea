// Teste Kolmogorov-Smirnov (menu code 10): not built yet; its code goes straight to
// the end question.

#include "shell/aplicacoes.hpp"

namespace lousa {

void teste_kolmogorov_smirnov(Console&) {}

}  // namespace lousa
