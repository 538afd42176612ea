#pragma once
// The decimal expansion of a single-precision value, and rounding of it to a
// number of decimals or of significant digits. The screen rounds the value as
// stored, not as typed: 0.45 is stored as 0.449999988... and shows as 0.4 with
// one decimal.

#include <array>

namespace lousa::console {

// A non-negative finite value as 0.d1 d2 ... dn times ten to `exponent`, d1
// not zero (no digits for zero).
struct decimal {
    std::array<char, 23> digits{};
    int size = 0;
    int exponent = 0;

    // The digit at place k after the point of 0.d1 d2 ..., '0' outside them.
    char at(int k) const { return k >= 0 && k < size ? digits[static_cast<std::size_t>(k)] : '0'; }
};

// |v| to 23 significant digits, correctly rounded from its exact value.
decimal decimal_of(float v);

// x cut to n significant digits (none when n is negative) and rounded up when
// the first dropped digit is 5 to 9, whatever follows it.
decimal rounded(decimal x, int n);

}  // namespace lousa::console
