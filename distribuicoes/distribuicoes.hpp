#pragma once
// The tables a student would look statistics up in: the continuous
// distributions (from Boost.Math) and the exact small-sample counts of the
// rank tests. Everything in double; the callers round for the screen.
// `alfa` is the significance level (0.05, 0.01); "bilateral" splits it
// between the two tails. A statistic that is not a finite number, sizes or
// degrees of freedom out of range give NaN (or nothing): "sem tabela".

#include <cstdint>
#include <optional>

namespace lousa::distribuicoes {

// ---- Continuous ----
double t_critico_bilateral(double alfa, double gl);   // t with P(|T| > t) = alfa
double t_p_bilateral(double t, double gl);
double f_critico_superior(double alfa, double gl1, double gl2);
double f_p_superior(double f, double gl1, double gl2);
double qui_critico_superior(double alfa, double gl);
double qui_p_superior(double x, double gl);
double normal_critico_bilateral(double alfa);         // 1.959964 at 0.05
double normal_p_bilateral(double z);

// ---- Exact, for small samples without ties ----
// Each critical value is the one a printed table gives: the most extreme
// statistic whose probability (two-sided where said) does not exceed alfa;
// nothing when no value is extreme enough for these sizes.

// Wilcoxon signed ranks: T of n non-zero differences (n <= 50).
double postos_sinalizados_p_bilateral(std::int32_t n, double t);
std::optional<std::int32_t> postos_sinalizados_critico(std::int32_t n, double alfa);

// Mann-Whitney: U of samples of sizes n1 and n2 (each <= 50).
double mann_whitney_p_bilateral(std::int32_t n1, std::int32_t n2, double u);
std::optional<std::int32_t> mann_whitney_critico(std::int32_t n1, std::int32_t n2, double alfa);

// Runs: r runs of two kinds of sizes n1 and n2 (each <= 200).
double sequencias_p_bilateral(std::int32_t n1, std::int32_t n2, std::int32_t r);
// The table's two-sided limits at alfa (each tail alfa / 2): r at or below
// `inferior`, or at or above `superior`, is significant.
struct sequencias_limites {
    std::optional<std::int32_t> inferior, superior;
};
sequencias_limites sequencias_criticos(std::int32_t n1, std::int32_t n2, double alfa);

// One-sample Kolmogorov: P(D_n < d), and the d with P(D_n >= d) = alfa
// (n <= 1000).
double kolmogorov_cdf(std::int32_t n, double d);
double kolmogorov_critico(std::int32_t n, double alfa);

// Spearman rs of n pairs without ties, exact (2 <= n <= 9). The critical
// value is the smallest rs with P(|rs| >= it) <= alfa.
double spearman_p_bilateral(std::int32_t n, double rs);
std::optional<double> spearman_critico(std::int32_t n, double alfa);

}  // namespace lousa::distribuicoes
