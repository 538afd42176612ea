#include "console/reader_numbers.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
#include <limits>
#include <optional>
#include <system_error>

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

// The float nearest to a decimal text such as "125e-2", by the library. The
// text has no point, so no locale can read it another way. The browser's
// library has no from_chars for floats; its strtof is correctly rounded.
float nearest_float(const char* text, [[maybe_unused]] const char* end, [[maybe_unused]] bool large) {
#ifdef __cpp_lib_to_chars
    float v = 0.0f;
    // Out of range leaves v alone: the value is infinity, or zero.
    if (std::from_chars(text, end, v).ec == std::errc::result_out_of_range)
        return large ? std::numeric_limits<float>::infinity() : 0.0f;
    return v;
#else
    return std::strtof(text, nullptr);
#endif
}

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

// Most answers have a few digits and a short exponent ("30.12"): their digits
// as an integer (below 10^7 < 2^24) and the power of ten (5^10 < 2^24) are
// both exact floats, so one single-precision division or multiplication,
// rounded once, is already the nearest float to the value.
std::optional<float> real_scan::exact_quotient(std::int64_t exponent) const {
    static constexpr float powers_of_ten[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
    const std::int64_t scale = exponent - static_cast<std::int64_t>(kept_);
    if (dropped_nonzero_ || kept_ > 7 || scale < -10 || scale > 10) return std::nullopt;
    std::int32_t digits = 0;
    for (std::size_t k = 0; k < kept_; ++k) digits = digits * 10 + digit_value(digits_[k]);
    const auto whole = static_cast<float>(digits);
    return scale < 0 ? whole / powers_of_ten[-scale] : whole * powers_of_ten[scale];
}

real_result real_scan::result() const {
    const float sign = negative_ ? -1.0f : 1.0f;
    if (is_word("inf") || is_word("infinity")) return {read_error::none, sign * std::numeric_limits<float>::infinity()};
    if (is_word("nan")) return {read_error::none, std::numeric_limits<float>::quiet_NaN()};
    const bool complete = part_ == part::integer_digits || part_ == part::fraction_digits ||
                          part_ == part::exponent_digits;
    if (!complete || !any_digit_) return {read_error::bad_real};
    if (kept_ == 0) return {read_error::none, sign * 0.0f};
    // 0.d1 d2 ... times 10^40 is above the largest float; times 10^-46 it is
    // less than half the smallest subnormal.
    const std::int64_t exponent = saturated(scale_ + (exponent_negative_ ? -exponent_ : exponent_));
    if (exponent >= 40) return {read_error::none, sign * std::numeric_limits<float>::infinity()};
    if (exponent <= -46) return {read_error::none, sign * 0.0f};
    if (const auto quick = exact_quotient(exponent)) return {read_error::none, sign * *quick};
    // The digits as an integer, then "e" and the exponent that scales it.
    std::array<char, kept_digits + 8> text{};
    char* end = std::copy_n(digits_.data(), kept_, text.data());
    if (dropped_nonzero_) *end++ = '1';  // stands for the non-zero digits dropped
    const auto scale = static_cast<int>(exponent - (end - text.data()));
    *end++ = 'e';
    end = std::to_chars(end, text.data() + text.size() - 1, scale).ptr;
    return {read_error::none, sign * nearest_float(text.data(), end, exponent > 0)};
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
