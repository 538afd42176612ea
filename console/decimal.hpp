#pragma once
// The exact decimal expansion of a single-precision value, and rounding of it
// to a number of decimals or of significant digits. The screen rounds the
// value as stored, not as typed: 0.45 is stored as 0.449999988... and shows
// as 0.4 with one decimal.

#include <string>

namespace lousa::console {

// A non-negative finite value as 0.d1d2d3... x 10^exponent (digits without
// leading zeros; empty for zero).
struct decimal {
    std::string digits;
    int exponent = 0;
};

// |v| to 23 significant digits, correctly rounded from its exact expansion.
decimal decimal_of(float v);

// The digit string of round(x * 10^d), looking only at the first dropped
// digit (5 to 9 rounds up); "" for zero.
std::string scaled_digits(const decimal& x, int d);

// x rounded to n significant digits by the same rule.
decimal round_significant(const decimal& x, int n);

}  // namespace lousa::console
