#pragma once
// What the exact small-sample distributions share: a null distribution given
// as the number of equally likely cases for each value 0, 1, ..., max of an
// integer statistic, and the two-sided reading of one that is symmetric about
// max / 2 (signed ranks, Mann-Whitney U).

#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

namespace lousa::distribuicoes {

using contagens = std::vector<double>;

inline constexpr double indefinido = std::numeric_limits<double>::quiet_NaN();

inline bool alfa_valido(double alfa) { return alfa > 0 && alfa < 1; }

// p <= alfa as a printed table decides it: a probability equal to alfa is
// significant, also when the division rounded it a hair above.
inline bool nao_excede(double p, double alfa) { return p <= alfa * (1 + 1e-12); }

// The lower tail P(S <= s) for s = 0 .. max.
std::vector<double> acumuladas(const contagens& conta);

// Two-sided p of a statistic x of a symmetric distribution: twice the tail
// beyond x at its nearer end, at most 1. Ties may leave x at a half: the tail
// counts the whole values up to it. NaN when x is outside 0 .. max.
double p_bilateral_simetrica(const contagens& conta, double x);

// The largest value whose two-sided p does not exceed alfa.
std::optional<std::int32_t> critico_simetrica(const contagens& conta, double alfa);

}  // namespace lousa::distribuicoes
