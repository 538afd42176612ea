#include "console/decimal.hpp"

#include <cmath>
#include <cstdint>
#include <vector>

namespace lousa::console {
namespace {

constexpr int stored_significant_digits = 23;

// Little-endian decimal digits of a natural number, multiplied in place.
void multiply(std::vector<std::uint8_t>& digits, int factor) {
    int carry = 0;
    for (auto& d : digits) {
        const int p = d * factor + carry;
        d = static_cast<std::uint8_t>(p % 10);
        carry = p / 10;
    }
    for (; carry > 0; carry /= 10) digits.push_back(static_cast<std::uint8_t>(carry % 10));
}

// Adds one to a string of decimal digits; returns true if it grew by a digit.
bool increment(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return false;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
    return true;
}

void strip_trailing_zeros(std::string& digits) {
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
}

// Exact expansion of m * 2^e.
decimal exact_decimal(std::uint32_t m, int e) {
    std::vector<std::uint8_t> little;
    for (; m > 0; m /= 10) little.push_back(static_cast<std::uint8_t>(m % 10));
    for (int k = 0; k < std::abs(e); ++k) multiply(little, e > 0 ? 2 : 5);
    decimal x;
    for (auto it = little.rbegin(); it != little.rend(); ++it) x.digits.push_back(static_cast<char>('0' + *it));
    x.exponent = static_cast<int>(little.size()) + (e < 0 ? e : 0);
    strip_trailing_zeros(x.digits);
    return x;
}

// Correct rounding to n significant digits, an exact tie to even.
decimal round_nearest_even(decimal x, int n) {
    if (static_cast<int>(x.digits.size()) <= n) return x;
    const std::string tail = x.digits.substr(static_cast<std::size_t>(n));
    x.digits.resize(static_cast<std::size_t>(n));
    const bool above_half = tail[0] > '5' || (tail[0] == '5' && tail.find_first_not_of('0', 1) != std::string::npos);
    const bool tie = tail[0] == '5' && !above_half;
    if (above_half || (tie && (x.digits.back() - '0') % 2 == 1)) {
        if (increment(x.digits)) {
            x.digits.pop_back();
            ++x.exponent;
        }
    }
    strip_trailing_zeros(x.digits);
    return x;
}

}  // namespace

decimal decimal_of(float v) {
    // The builtin rather than std::bit_cast: not every library we build with has it.
    const std::uint32_t bits = __builtin_bit_cast(std::uint32_t, v);
    const std::uint32_t biased = (bits >> 23) & 0xFFu;
    const std::uint32_t fraction = bits & 0x7FFFFFu;
    if (biased == 0 && fraction == 0) return {};
    const std::uint32_t m = biased == 0 ? fraction : (fraction | 0x800000u);
    const int e = biased == 0 ? -149 : static_cast<int>(biased) - 150;
    return round_nearest_even(exact_decimal(m, e), stored_significant_digits);
}

std::string scaled_digits(const decimal& x, int d) {
    const int keep = x.exponent + d;
    const int size = static_cast<int>(x.digits.size());
    if (keep < 0 || x.digits.empty()) return {};
    if (keep >= size) return x.digits + std::string(static_cast<std::size_t>(keep - size), '0');
    std::string kept = x.digits.substr(0, static_cast<std::size_t>(keep));
    if (x.digits[static_cast<std::size_t>(keep)] >= '5') increment(kept);
    const auto first = kept.find_first_not_of('0');
    return first == std::string::npos ? std::string{} : kept.substr(first);
}

decimal round_significant(const decimal& x, int n) {
    if (static_cast<int>(x.digits.size()) <= n) return x;
    decimal r{x.digits.substr(0, static_cast<std::size_t>(n)), x.exponent};
    if (x.digits[static_cast<std::size_t>(n)] >= '5' && increment(r.digits)) {
        r.digits.pop_back();
        ++r.exponent;
    }
    strip_trailing_zeros(r.digits);
    return r;
}

}  // namespace lousa::console
