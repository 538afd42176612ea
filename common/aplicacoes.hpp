#pragma once
// The applications, by menu code. Each runs its whole dialogue on the console
// and returns to the shell's end question. Each statistic a student would look
// up in a table, and the data of its picture, go to `resultados` as well; with
// nobody listening there, nothing is gathered for it. README.md says how to
// add one.

#include "common/resultados.hpp"
#include "common/vetores.hpp"
#include "console/console.hpp"

namespace lousa {

void dimensionamento_amostras(console_io& con, const resultados::canal& resultados);  // 1
void teste_t_student(console_io& con, const resultados::canal& resultados);           // 2
void teste_t_pareado(console_io& con, const resultados::canal& resultados);           // 3
void anova_um_criterio(console_io& con, const resultados::canal& resultados);         // 4
void anova_dois_criterios(console_io& con, const resultados::canal& resultados);      // 5
void anova_com_repeticoes(console_io& con, const resultados::canal& resultados);      // 6
void regressao_linear(console_io& con, const resultados::canal& resultados);          // 7
void teste_aleatoriedade(console_io& con, const resultados::canal& resultados);       // 8
void teste_qui_quadrado(console_io& con, const resultados::canal& resultados);        // 9
void teste_kolmogorov_smirnov(console_io& con, const resultados::canal& resultados);  // 10
void teste_z_proporcoes(console_io& con, const resultados::canal& resultados);        // 11
void teste_wilcoxon(console_io& con, const resultados::canal& resultados);            // 12
void teste_mann_whitney(console_io& con, const resultados::canal& resultados);        // 13
void correlacao_spearman(console_io& con, const resultados::canal& resultados);       // 14
void teste_kruskal_wallis(console_io& con, const resultados::canal& resultados);      // 15
void regressoes_curvilineas(console_io& con, const resultados::canal& resultados);    // 16

}  // namespace lousa
