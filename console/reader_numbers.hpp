#pragma once
// The conversions of one typed value, fed one character at a time. An answer
// may be as long as the input itself, so each conversion keeps only what its
// result depends on: an integer its sign and a saturated magnitude, a real its
// first significant digits, whether a non-zero digit was dropped after them,
// and its decimal exponent. Neither depends on the C locale.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace lousa::console {

enum class read_error : std::uint8_t {
    none, bad_integer, integer_overflow, bad_real, bad_string, zero_repeat, repeat_overflow, end_of_file
};

struct integer_result {
    read_error error = read_error::none;
    std::int32_t value = 0;
};
struct real_result {
    read_error error = read_error::none;
    float value = 0.0f;
};

// An optional sign, then decimal digits; the magnitude at most 2147483647.
class integer_scan {
public:
    void add(char c);
    integer_result result() const;

private:
    bool started_ = false;
    bool negative_ = false;
    bool any_digit_ = false;
    bool malformed_ = false;
    std::uint32_t magnitude_ = 0;  // saturates: past 2^32 - 1 it overflows anyway
};

// An optional sign, digits with an optional point, an optional exponent (E or
// D in either case, or a sign right after the digits); or the words inf,
// infinity and nan in any case.
class real_scan {
public:
    void add(char c);
    real_result result() const;

    // Significant digits kept. A value exactly between two neighbouring
    // floats is m times 2^-k with m odd and below 2^25 and k at most 150, so m
    // times 5^k over 10^k: at most log10(2^25 5^150) + 1 = 113 significant
    // digits. The digits kept, with a 1 standing for any non-zero digits
    // dropped, lie on the same side of every midpoint as the whole value, and
    // round as it does.
    static constexpr std::size_t kept_digits = 120;
    static_assert(kept_digits >= static_cast<std::size_t>(25 * 0.30103 + 150 * 0.69897) + 1);

private:
    enum class part : std::uint8_t {
        start,
        after_sign,
        integer_digits,
        fraction_digits,
        exponent_start,  // after E or D: a sign or a digit
        exponent_sign,   // after the exponent's sign: a digit
        exponent_digits,
        malformed,
    };
    part next_part(char c);
    void add_mantissa_digit(char c, bool in_fraction);
    std::optional<float> exact_quotient(std::int64_t exponent) const;
    void note_word_character(char c);
    bool is_word(std::string_view word) const;

    part part_ = part::start;
    bool negative_ = false;
    bool any_digit_ = false;
    std::size_t characters_ = 0;
    // The characters after the sign, in lower case, for the words.
    std::array<char, 8> word_{};
    std::size_t word_length_ = 0;  // stops counting at word_.size() + 1
    // The value is 0.d1 d2 d3 ... times ten to (scale_ + exponent).
    // Only the first kept_ are ever read: not cleared, since a scan starts
    // for every value read.
    std::array<char, kept_digits> digits_;
    std::size_t kept_ = 0;
    bool dropped_nonzero_ = false;
    std::int64_t scale_ = 0;
    std::int64_t exponent_ = 0;
    bool exponent_negative_ = false;
};

integer_result parse_integer(std::string_view token);
real_result parse_real(std::string_view token);

}  // namespace lousa::console
