// Teste Z para proporcoes (menu code 11): not built yet; its code goes straight to
// the end question.

#include "shell/aplicacoes.hpp"

namespace lousa {

void teste_z_proporcoes(Console&) {}

}  // namespace lousa
