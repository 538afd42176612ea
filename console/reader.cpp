#include "console/reader.hpp"

#include <cctype>
#include <cstdlib>
#include <limits>

namespace lousa::console {
namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool is_separator(char c) { return is_blank(c) || c == ',' || c == ';' || c == '/'; }

bool equals_ignoring_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t k = 0; k < a.size(); ++k)
        if (std::tolower(static_cast<unsigned char>(a[k])) != b[k]) return false;
    return true;
}

constexpr std::int32_t max_repeat = 200000000;

}  // namespace

std::string message_of(read_error error, int item) {
    const std::string n = std::to_string(item);
    switch (error) {
        case read_error::none: return {};
        case read_error::bad_integer: return "Bad integer for item " + n + " in list input";
        case read_error::integer_overflow: return "Integer overflow while reading item " + n;
        case read_error::bad_real: return "Bad real number in item " + n + " of list input";
        case read_error::bad_string: return "Invalid string input in item " + n;
        case read_error::zero_repeat: return "Zero repeat count in item " + n + " of list input";
        case read_error::repeat_overflow: return "Repeat count overflow in item " + n + " of list input";
        case read_error::end_of_file: return "End of file";
    }
    return {};
}

integer_result parse_integer(std::string_view s) {
    std::size_t i = 0;
    const bool negative = !s.empty() && s[0] == '-';
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) ++i;
    if (i == s.size()) return {read_error::bad_integer};
    std::uint64_t magnitude = 0;
    for (; i < s.size(); ++i) {
        if (!is_digit(s[i])) return {read_error::bad_integer};
        magnitude = magnitude * 10 + static_cast<std::uint64_t>(s[i] - '0');
        if (magnitude > 0xFFFFFFFFull) magnitude = 0xFFFFFFFFull;  // saturate: it overflows anyway
    }
    if (magnitude > 2147483647u) return {read_error::integer_overflow};
    const auto v = static_cast<std::int32_t>(magnitude);
    return {read_error::none, negative ? -v : v};
}

real_result parse_real(std::string_view s) {
    std::size_t i = 0;
    const bool negative = !s.empty() && s[0] == '-';
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) ++i;
    const std::string_view word = s.substr(i);
    const float sign = negative ? -1.0f : 1.0f;
    if (equals_ignoring_case(word, "inf") || equals_ignoring_case(word, "infinity"))
        return {read_error::none, sign * std::numeric_limits<float>::infinity()};
    if (equals_ignoring_case(word, "nan")) return {read_error::none, std::numeric_limits<float>::quiet_NaN()};

    std::string canonical = negative ? "-" : "";
    std::size_t digits = 0;
    for (; i < s.size() && is_digit(s[i]); ++i, ++digits) canonical += s[i];
    canonical += '.';
    if (i < s.size() && s[i] == '.')
        for (++i; i < s.size() && is_digit(s[i]); ++i, ++digits) canonical += s[i];
    if (digits == 0) return {read_error::bad_real};
    if (i < s.size()) {
        // An exponent: E or D in either case, or a sign right after the digits.
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(s[i])));
        if (c == 'e' || c == 'd') ++i;
        else if (c != '+' && c != '-') return {read_error::bad_real};
        canonical += 'e';
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) canonical += s[i++];
        if (i == s.size()) return {read_error::bad_real};
        for (; i < s.size(); ++i) {
            if (!is_digit(s[i])) return {read_error::bad_real};
            canonical += s[i];
        }
    }
    // Nearest single-precision value; too large a magnitude gives infinity.
    return {read_error::none, std::strtof(canonical.c_str(), nullptr)};
}

bool list_reader::fetch_line() {
    for (;;) {
        const auto end = buffer_.find('\n');
        if (end != std::string::npos || (input_ended_ && !buffer_.empty())) {
            const std::size_t take = end == std::string::npos ? buffer_.size() : end;
            line_.assign(buffer_, 0, take);
            buffer_.erase(0, end == std::string::npos ? take : take + 1);
            if (!line_.empty() && line_.back() == '\r') line_.pop_back();
            col_ = 0;
            have_line_ = true;
            return true;
        }
        if (input_ended_) return false;
        before_wait_();
        char chunk[4096];
        const std::size_t n = in_.read_some(chunk, sizeof chunk);
        if (n == 0) input_ended_ = true;
        buffer_.append(chunk, n);
    }
}

bool list_reader::at_separator() const { return col_ == line_.size() || is_separator(line_[col_]); }

list_reader::item list_reader::next_item(bool for_text) {
    for (;;) {
        if (!have_line_ && !fetch_line()) return item::failure(read_error::end_of_file);
        while (col_ < line_.size() && is_blank(line_[col_])) ++col_;
        if (col_ == line_.size()) {
            have_line_ = false;
            // A comma right before the line end leaves a null value; otherwise
            // the line end is one more blank (and empty lines are skipped).
            if (state_ == state::after_comma) {
                state_ = state::start;
                return {};
            }
            continue;
        }
        const char c = line_[col_];
        if (c == ',' || c == ';') {
            ++col_;
            const bool follows_value = state_ == state::after_value;
            state_ = state::after_comma;
            if (follows_value) continue;
            return {};  // two separators in a row: a null value
        }
        if (c == '/') {
            ++col_;
            return item::of(item::kind::slash);
        }
        state_ = state::after_value;
        return scan_value(for_text);
    }
}

list_reader::item list_reader::scan_value(bool for_text) {
    item result = item::of(item::kind::value);
    // "r*value" or "r*": a repeat count first.
    std::size_t k = col_;
    while (k < line_.size() && is_digit(line_[k])) ++k;
    if (k > col_ && k < line_.size() && line_[k] == '*') {
        std::int64_t count = 0;
        for (std::size_t d = col_; d < k; ++d) count = std::min<std::int64_t>(count * 10 + (line_[d] - '0'), max_repeat + 1);
        col_ = k + 1;
        if (count == 0) return item::failure(read_error::zero_repeat);
        if (count > max_repeat) return item::failure(read_error::repeat_overflow);
        result.repeat = static_cast<std::int32_t>(count);
        if (at_separator()) {
            result.what = item::kind::null;
            return result;
        }
    }
    const char mark = line_[col_];
    if (for_text && (mark == '\'' || mark == '"')) {
        result.quoted = true;
        for (++col_; col_ < line_.size(); ++col_) {
            if (line_[col_] != mark) {
                result.token += line_[col_];
            } else if (col_ + 1 < line_.size() && line_[col_ + 1] == mark) {
                result.token += mark;  // a doubled mark stands for one
                ++col_;
            } else {
                ++col_;
                break;
            }
        }
        if (!at_separator()) return item::failure(read_error::bad_string);
        return result;
    }
    const auto text_end = [&](char ch) { return is_blank(ch) || ch == ',' || ch == '/'; };
    while (col_ < line_.size() && !(for_text ? text_end(line_[col_]) : is_separator(line_[col_])))
        result.token += line_[col_++];
    return result;
}

namespace {

read_error store(const read_target& target, const std::string& token) {
    switch (target.what) {
        case read_target::kind::integer: {
            const integer_result r = parse_integer(token);
            if (r.error == read_error::none) *static_cast<std::int32_t*>(target.where) = r.value;
            return r.error;
        }
        case read_target::kind::real: {
            const real_result r = parse_real(token);
            if (r.error == read_error::none) *static_cast<float*>(target.where) = r.value;
            return r.error;
        }
        case read_target::kind::text: {
            auto* chars = static_cast<char*>(target.where);
            for (std::size_t k = 0; k < target.length; ++k) chars[k] = k < token.size() ? token[k] : ' ';
            return read_error::none;
        }
    }
    return read_error::none;
}

}  // namespace

read_outcome list_reader::read(std::span<const read_target> targets) {
    state_ = state::start;
    std::size_t next = 0;
    read_outcome outcome;
    while (next < targets.size()) {
        const bool for_text = targets[next].what == read_target::kind::text;
        const item it = next_item(for_text);
        if (it.what == item::kind::failed) {
            outcome = {it.error, static_cast<int>(next) + 1};
            break;
        }
        if (it.what == item::kind::slash) break;
        for (std::int32_t r = 0; r < it.repeat && next < targets.size(); ++r, ++next) {
            if (it.what != item::kind::value) continue;
            const read_error error = store(targets[next], it.token);
            if (error != read_error::none) {
                have_line_ = false;
                return {error, static_cast<int>(next) + 1};
            }
        }
    }
    have_line_ = false;  // the rest of the last line read is discarded
    return outcome;
}

}  // namespace lousa::console
