// Teste 't' de Student (menu code 2): not built yet; its code goes straight to
// the end question.

#include "shell/aplicacoes.hpp"

namespace lousa {

void teste_t_student(Console&) {}

}  // namespace lousa
