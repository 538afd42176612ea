// The tables of the tests against the printed ones: critical values as
// textbooks tabulate them (t, F, chi-square and normal quantiles; Wilcoxon
// signed ranks and Mann-Whitney U, two-sided; Swed and Eisenhart's runs;
// Miller's one-sample Kolmogorov; Zar's Spearman rs, two-sided), p-values
// known from the same tables, and what has no table.

#include <cmath>
#include <limits>
#include <optional>

#include <gtest/gtest.h>

#include "distribuicoes/distribuicoes.hpp"

namespace lousa::distribuicoes {
namespace {

constexpr double nada = std::numeric_limits<double>::quiet_NaN();

template <class T>
double ou_nada(std::optional<T> x) { return x ? double(*x) : nada; }

struct publicado {
    const char* o_que;
    double calculado, tabela, tolerancia;
};

TEST(Distribuicoes, MatchThePublishedTables) {
    const auto runs = [](int n1, int n2, double alfa) { return sequencias_criticos(n1, n2, alfa); };
    const publicado casos[] = {
        {"t(0.975; 9)", t_critico_bilateral(0.05, 9), 2.262, 5e-4},
        {"t(0.995; 9)", t_critico_bilateral(0.01, 9), 3.250, 5e-4},
        {"t(0.975; 30)", t_critico_bilateral(0.05, 30), 2.042, 5e-4},
        {"F(0.95; 2, 12)", f_critico_superior(0.05, 2, 12), 3.89, 5e-3},
        {"F(0.99; 2, 12)", f_critico_superior(0.01, 2, 12), 6.93, 5e-3},
        {"F(0.95; 3, 20)", f_critico_superior(0.05, 3, 20), 3.10, 5e-3},
        {"chi2(0.95; 4)", qui_critico_superior(0.05, 4), 9.488, 5e-4},
        {"chi2(0.99; 1)", qui_critico_superior(0.01, 1), 6.635, 5e-4},
        {"z(0.975)", normal_critico_bilateral(0.05), 1.960, 5e-4},
        {"z(0.995)", normal_critico_bilateral(0.01), 2.576, 5e-4},
        {"T n=10 5%", ou_nada(postos_sinalizados_critico(10, 0.05)), 8, 0},
        {"T n=10 1%", ou_nada(postos_sinalizados_critico(10, 0.01)), 3, 0},
        {"T n=20 5%", ou_nada(postos_sinalizados_critico(20, 0.05)), 52, 0},
        {"T n=6 5%", ou_nada(postos_sinalizados_critico(6, 0.05)), 0, 0},
        {"U 8,8 5%", ou_nada(mann_whitney_critico(8, 8, 0.05)), 13, 0},
        {"U 8,8 1%", ou_nada(mann_whitney_critico(8, 8, 0.01)), 7, 0},
        {"U 10,10 5%", ou_nada(mann_whitney_critico(10, 10, 0.05)), 23, 0},
        {"U 20,20 5%", ou_nada(mann_whitney_critico(20, 20, 0.05)), 127, 0},
        {"runs 10,10 lower", ou_nada(runs(10, 10, 0.05).inferior), 6, 0},
        {"runs 10,10 upper", ou_nada(runs(10, 10, 0.05).superior), 16, 0},
        {"runs 20,20 lower", ou_nada(runs(20, 20, 0.05).inferior), 14, 0},
        {"runs 20,20 upper", ou_nada(runs(20, 20, 0.05).superior), 28, 0},
        {"runs 5,5 upper", ou_nada(runs(5, 5, 0.05).superior), 10, 0},
        {"D n=10 5%", kolmogorov_critico(10, 0.05), 0.409, 5e-4},
        {"D n=10 1%", kolmogorov_critico(10, 0.01), 0.489, 5e-4},
        {"D n=10 10%", kolmogorov_critico(10, 0.10), 0.369, 5e-4},
        {"D n=20 5%", kolmogorov_critico(20, 0.05), 0.294, 5e-4},
        {"D n=35 5%", kolmogorov_critico(35, 0.05), 0.224, 5e-4},
        {"rs n=8 5%", ou_nada(spearman_critico(8, 0.05)), 0.738, 5e-4},
        {"rs n=8 1%", ou_nada(spearman_critico(8, 0.01)), 0.881, 5e-4},
        {"rs n=7 5%", ou_nada(spearman_critico(7, 0.05)), 0.786, 5e-4},
        {"rs n=9 5%", ou_nada(spearman_critico(9, 0.05)), 0.700, 5e-4},
        // p-values
        {"p t=2.228 gl=10", t_p_bilateral(2.228, 10), 0.05, 5e-4},
        {"p F=3.89 (2, 12)", f_p_superior(3.89, 2, 12), 0.05, 5e-4},
        {"p chi2=3.841 gl=1", qui_p_superior(3.841, 1), 0.05, 1e-4},
        {"p z=-1.96", normal_p_bilateral(-1.96), 0.05, 1e-4},
        {"p T=8 n=10", postos_sinalizados_p_bilateral(10, 8), 2 * 0.0244, 1e-4},
        {"p U=0 4,4", mann_whitney_p_bilateral(4, 4, 0), 2 * 0.014, 1e-3},
        {"p U=16 4,4", mann_whitney_p_bilateral(4, 4, 16), 2 * 0.014, 1e-3},
        {"p r=6 10,10", sequencias_p_bilateral(10, 10, 6), 2 * 0.019, 1e-3},
        {"p rs=1 n=4", spearman_p_bilateral(4, 1), 2.0 / 24, 1e-6},
        {"P(D_1 < 0.75)", kolmogorov_cdf(1, 0.75), 0.5, 1e-12},
        // no table
        {"T n=5 5%", ou_nada(postos_sinalizados_critico(5, 0.05)), nada, 0},
        {"runs 3,10 upper", ou_nada(runs(3, 10, 0.05).superior), nada, 0},
        {"p of an infinite t", t_p_bilateral(std::numeric_limits<double>::infinity(), 5), nada, 0},
        {"F with 0 d.f.", f_critico_superior(0.05, 0, 12), nada, 0},
        {"U beyond 50", mann_whitney_p_bilateral(51, 3, 10), nada, 0},
        {"rs of 10 pairs", spearman_p_bilateral(10, 0.5), nada, 0},
    };
    for (const auto& c : casos) {
        if (std::isnan(c.tabela)) {
            EXPECT_TRUE(std::isnan(c.calculado)) << c.o_que << ": " << c.calculado;
        } else {
            EXPECT_NEAR(c.calculado, c.tabela, c.tolerancia) << c.o_que;
        }
    }
}

}  // namespace
}  // namespace lousa::distribuicoes
