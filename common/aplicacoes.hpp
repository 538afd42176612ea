#pragma once
// The applications, by menu code. Each runs its whole dialogue on the console
// and returns to the shell's end question. README.md says how to add one.

#include "console/console.hpp"

namespace lousa {

void dimensionamento_amostras(Console& con);   // 1
void teste_t_student(Console& con);            // 2
void teste_t_pareado(Console& con);            // 3
void anova_um_criterio(Console& con);          // 4
void anova_dois_criterios(Console& con);       // 5
void anova_com_repeticoes(Console& con);       // 6
void regressao_linear(Console& con);           // 7
void teste_aleatoriedade(Console& con);        // 8
void teste_qui_quadrado(Console& con);         // 9
void teste_kolmogorov_smirnov(Console& con);   // 10
void teste_z_proporcoes(Console& con);         // 11
void teste_wilcoxon(Console& con);             // 12
void teste_mann_whitney(Console& con);         // 13
void correlacao_spearman(Console& con);        // 14
void teste_kruskal_wallis(Console& con);       // 15
void regressoes_curvilineas(Console& con);     // 16

// The application of a menu code (1 to the last code of the menu).
using aplicacao = void (*)(Console&);
aplicacao aplicacao_de_codigo(std::int32_t icod);

// The shell: menu, confirmation, one application, end question.
void executa(Console& con);

}  // namespace lousa
