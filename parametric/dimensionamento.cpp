// Dimensionamento de Amostras (menu code 1): not built yet; its code goes straight to
// the end question.

#include "shell/aplicacoes.hpp"

namespace lousa {

void dimensionamento_amostras(Console&) {}

}  // namespace lousa
