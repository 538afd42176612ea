#include "console/reader_numbers.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

namespace lousa::console {
namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_sign(char c) { return c == '+' || c == '-'; }
bool is_exponent_letter(char c) { return c == 'e' || c == 'E' || c == 'd' || c == 'D'; }
// ASCII only: the case of a letter must not depend on the locale.
char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
int digit_value(char c) { return c - '0'; }

// Far beyond any exponent that still gives a finite non-zero float, and far
// from overflowing when added to the scale of the longest input.
constexpr std::int64_t exponent_limit = 1'000'000'000'000'000;

std::int64_t saturated(std::int64_t v) { return std::clamp(v, -exponent_limit, exponent_limit); }

}  // namespace

void integer_scan::add(char c) {
    const bool first = !started_;
    started_ = true;
    if (first && is_sign(c)) {
        negative_ = c == '-';
    } else if (is_digit(c)) {
        any_digit_ = true;
        const std::uint64_t next = std::uint64_t{magnitude_} * 10 + static_cast<std::uint64_t>(digit_value(c));
        magnitude_ = static_cast<std::uint32_t>(std::min<std::uint64_t>(next, 0xFFFFFFFFu));
    } else {
        malformed_ = true;
    }
}

integer_result integer_scan::result() const {
    if (malformed_ || !any_digit_) return {read_error::bad_integer};
    if (magnitude_ > 2147483647u) return {read_error::integer_overflow};
    const auto v = static_cast<std::int32_t>(magnitude_);
    return {read_error::none, negative_ ? -v : v};
}

void real_scan::note_word_character(char c) {
    if (word_length_ < word_.size()) word_[word_length_] = lower(c);
    if (word_length_ <= word_.size()) ++word_length_;
}

bool real_scan::is_word(std::string_view word) const {
    return word_length_ == word.size() && std::string_view(word_.data(), word_length_) == word;
}

void real_scan::add_mantissa_digit(char c, bool in_fraction) {
    any_digit_ = true;
    const bool significant = kept_ > 0 || dropped_nonzero_ || c != '0';
    if (!significant) {
        if (in_fraction) scale_ = saturated(scale_ - 1);  // a leading zero after the point
        return;
    }
    if (!in_fraction) scale_ = saturated(scale_ + 1);
    if (kept_ < digits_.size()) digits_[kept_++] = c;
    else if (c != '0') dropped_nonzero_ = true;
}

void real_scan::add(char c) {
    const bool first = characters_++ == 0;
    if (!(first && is_sign(c))) note_word_character(c);
    part_ = next_part(c);
}

real_scan::part real_scan::next_part(char c) {
    switch (part_) {
        case part::start:
            if (is_sign(c)) {
                negative_ = c == '-';
                return part::after_sign;
            }
            [[fallthrough]];
        case part::after_sign:
            if (c == '.') return part::fraction_digits;
            if (!is_digit(c)) return part::malformed;
            add_mantissa_digit(c, false);
            return part::integer_digits;
        case part::integer_digits:
        case part::fraction_digits: {
            const bool in_fraction = part_ == part::fraction_digits;
            if (is_digit(c)) {
                add_mantissa_digit(c, in_fraction);
                return part_;
            }
            if (c == '.' && !in_fraction) return part::fraction_digits;
            if (!any_digit_) return part::malformed;  // "." or "+." before a letter or sign
            if (is_exponent_letter(c)) return part::exponent_start;
            if (!is_sign(c)) return part::malformed;
            exponent_negative_ = c == '-';
            return part::exponent_sign;
        }
        case part::exponent_start:
            if (is_sign(c)) {
                exponent_negative_ = c == '-';
                return part::exponent_sign;
            }
            [[fallthrough]];
        case part::exponent_sign:
        case part::exponent_digits:
            if (!is_digit(c)) return part::malformed;
            exponent_ = saturated(exponent_ * 10 + digit_value(c));
            return part::exponent_digits;
        case part::malformed: break;
    }
    return part::malformed;
}

real_result real_scan::result() const {
    const float sign = negative_ ? -1.0f : 1.0f;
    if (is_word("inf") || is_word("infinity")) return {read_error::none, sign * std::numeric_limits<float>::infinity()};
    if (is_word("nan")) return {read_error::none, std::numeric_limits<float>::quiet_NaN()};
    const bool complete = part_ == part::integer_digits || part_ == part::fraction_digits ||
                          part_ == part::exponent_digits;
    if (!complete || !any_digit_) return {read_error::bad_real};
    if (kept_ == 0) return {read_error::none, sign * 0.0f};
    std::string digits(digits_.data(), kept_);
    if (dropped_nonzero_) digits += '1';  // stands for the non-zero digits dropped
    const std::int64_t exponent = saturated(scale_ + (exponent_negative_ ? -exponent_ : exponent_));
    return {read_error::none, nearest_float(digits, exponent, negative_)};
}

namespace {

// Unsigned integers of any size, least significant 32-bit limb first, with no
// zero limbs at the top: just what the exact conversion below needs.
class big_unsigned {
public:
    explicit big_unsigned(std::uint32_t v) {
        if (v != 0) limbs_.push_back(v);
    }

    void multiply_add(std::uint32_t factor, std::uint32_t addend) {
        std::uint64_t carry = addend;
        for (std::uint32_t& limb : limbs_) {
            const std::uint64_t t = std::uint64_t{limb} * factor + carry;
            limb = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
        if (carry != 0) limbs_.push_back(static_cast<std::uint32_t>(carry));
    }

    void multiply_by_power_of_ten(std::int64_t n) {
        for (; n >= 9; n -= 9) multiply_add(1'000'000'000u, 0);
        for (; n > 0; --n) multiply_add(10, 0);
    }

    big_unsigned shifted_left(std::int64_t bits) const {
        big_unsigned r(0);
        if (limbs_.empty()) return r;
        const auto whole = static_cast<std::size_t>(bits / 32);
        const auto part = static_cast<unsigned>(bits % 32);
        r.limbs_.assign(whole, 0);
        std::uint32_t carry = 0;
        for (const std::uint32_t limb : limbs_) {
            r.limbs_.push_back(part == 0 ? limb : (limb << part) | carry);
            carry = part == 0 ? 0 : limb >> (32 - part);
        }
        if (carry != 0) r.limbs_.push_back(carry);
        return r;
    }

    std::int64_t bit_length() const {
        if (limbs_.empty()) return 0;
        std::int64_t top = 0;
        for (std::uint32_t v = limbs_.back(); v != 0; v >>= 1) ++top;
        return 32 * static_cast<std::int64_t>(limbs_.size() - 1) + top;
    }

    friend int compare(const big_unsigned& a, const big_unsigned& b) {
        if (a.limbs_.size() != b.limbs_.size()) return a.limbs_.size() < b.limbs_.size() ? -1 : 1;
        for (std::size_t k = a.limbs_.size(); k-- > 0;)
            if (a.limbs_[k] != b.limbs_[k]) return a.limbs_[k] < b.limbs_[k] ? -1 : 1;
        return 0;
    }

    // *this - b, for b not greater than *this.
    void subtract(const big_unsigned& b) {
        std::int64_t borrow = 0;
        for (std::size_t k = 0; k < limbs_.size(); ++k) {
            std::int64_t t = std::int64_t{limbs_[k]} - borrow - (k < b.limbs_.size() ? std::int64_t{b.limbs_[k]} : 0);
            borrow = t < 0 ? 1 : 0;
            if (t < 0) t += std::int64_t{1} << 32;
            limbs_[k] = static_cast<std::uint32_t>(t);
        }
        while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
    }

private:
    std::vector<std::uint32_t> limbs_;
};

big_unsigned from_decimal(std::string_view digits) {
    big_unsigned n(0);
    std::size_t k = 0;
    while (k < digits.size()) {
        std::uint32_t chunk = 0, factor = 1;
        for (int taken = 0; taken < 9 && k < digits.size(); ++taken, ++k) {
            chunk = chunk * 10 + static_cast<std::uint32_t>(digit_value(digits[k]));
            factor *= 10;
        }
        n.multiply_add(factor, chunk);
    }
    return n;
}

// Floats are m times 2^b with m below 2^24; the smallest b is that of the
// subnormals, the largest finite value has b = 104.
constexpr std::int64_t smallest_binary_exponent = -149;
constexpr std::int64_t largest_binary_exponent = 104;
constexpr std::uint32_t mantissa_limit = 1u << 24;

// The quotient of numerator / (denominator * 2^b), below 2^26, and its
// remainder left in `numerator` (scaled as the quotient is).
std::uint32_t scaled_quotient(big_unsigned& numerator, big_unsigned& denominator, std::int64_t b) {
    if (b >= 0) denominator = denominator.shifted_left(b);
    else numerator = numerator.shifted_left(-b);
    std::uint32_t q = 0;
    for (int bit = 25; bit >= 0; --bit) {
        const big_unsigned part = denominator.shifted_left(bit);
        if (compare(numerator, part) >= 0) {
            numerator.subtract(part);
            q |= 1u << bit;
        }
    }
    return q;
}

}  // namespace

float nearest_float(std::string_view digits, std::int64_t exponent10, bool negative) {
    const float sign = negative ? -1.0f : 1.0f;
    // 0.d1... times 10^40 is at least 10^39, above the largest float; times
    // 10^-46 it is below 10^-46, less than half the smallest subnormal.
    if (exponent10 >= 40) return sign * std::numeric_limits<float>::infinity();
    if (exponent10 <= -46) return sign * 0.0f;
    const std::int64_t scale = exponent10 - static_cast<std::int64_t>(digits.size());
    // The usual answer ("12.5", "0.05", "300") takes a shortcut: an integer of
    // at most seven digits (below 2^24) and a power of ten up to 10^10 are
    // both exact in single precision, so one single-precision multiplication
    // or division rounds their product or quotient correctly.
    if (digits.size() <= 7 && scale >= -10 && scale <= 10) {
        constexpr std::array<float, 11> powers = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f,
                                                  1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
        float m = 0.0f;
        for (const char c : digits) m = m * 10.0f + static_cast<float>(c - '0');
        const float power = powers[static_cast<std::size_t>(scale >= 0 ? scale : -scale)];
        return sign * (scale >= 0 ? m * power : m / power);
    }
    // Otherwise the value is p / q exactly.
    big_unsigned p = from_decimal(digits);
    big_unsigned q(1);
    if (scale >= 0) p.multiply_by_power_of_ten(scale);
    else q.multiply_by_power_of_ten(-scale);
    // p / (q * 2^b) lies between 2^23 and 2^25 for this b, unless b is
    // raised to the subnormals' exponent.
    std::int64_t b = std::max(p.bit_length() - q.bit_length() - 24, smallest_binary_exponent);
    big_unsigned remainder = p, divisor = q;
    std::uint32_t m = scaled_quotient(remainder, divisor, b);
    if (m >= mantissa_limit) {
        ++b;
        remainder = p;
        divisor = q;
        m = scaled_quotient(remainder, divisor, b);
    }
    // Nearest, ties to even.
    const int half = compare(remainder.shifted_left(1), divisor);
    if (half > 0 || (half == 0 && (m & 1u) != 0)) ++m;
    if (m == mantissa_limit) {
        m >>= 1;
        ++b;
    }
    if (b > largest_binary_exponent) return sign * std::numeric_limits<float>::infinity();
    return sign * std::ldexp(static_cast<float>(m), static_cast<int>(b));
}

integer_result parse_integer(std::string_view token) {
    integer_scan scan;
    for (const char c : token) scan.add(c);
    return scan.result();
}

real_result parse_real(std::string_view token) {
    real_scan scan;
    for (const char c : token) scan.add(c);
    return scan.result();
}

}  // namespace lousa::console
