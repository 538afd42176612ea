#include "console/reader.hpp"

#include <algorithm>
#include <cstring>

namespace lousa::console {
namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_blank(int c) { return c == ' ' || c == '\t'; }
bool is_separator(int c) { return is_blank(c) || c == ',' || c == ';' || c == '/'; }
// A bare text ends only at a blank, a comma or a slash: a semicolon or a tab
// belongs to it (a tab still separates numbers).
bool ends_bare_text(int c) { return c == ' ' || c == ',' || c == '/'; }
bool is_byte(int c) { return c >= 0; }

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

// ---- the input, a byte at a time

input_cursor::input_cursor(input_source& in, std::function<void()> before_wait)
    : in_(in), before_wait_(std::move(before_wait)), buffer_(buffer_size) {}

// At least `count` bytes buffered at the cursor, unless the input ends first.
bool input_cursor::fill_to(std::size_t count) {
    while (end_ - begin_ < count) {
        if (input_ended_) return false;
        // What is left moves to the front, so the buffer never grows.
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
        before_wait_();
        const std::size_t n = in_.read_some(buffer_.data() + end_, buffer_.size() - end_);
        if (n == 0) input_ended_ = true;
        end_ += n;
    }
    return true;
}

int input_cursor::peek() {
    if (!fill_to(1)) {
        unit_ = 0;
        return end_of_input;
    }
    ++examined_;
    const char c = buffer_[begin_];
    unit_ = 1;
    if (c == '\n') return line_end;
    if (c == '\r') {
        if (!fill_to(2)) return line_end;  // the last byte of the input
        if (buffer_[begin_ + 1] == '\n') {
            unit_ = 2;
            return line_end;
        }
    }
    return static_cast<unsigned char>(c);
}

void input_cursor::advance() {
    begin_ += unit_;
    unit_ = 0;
}

std::string_view input_cursor::buffered() {
    unit_ = 0;
    if (!fill_to(1)) return {};
    return {buffer_.data() + begin_, end_ - begin_};
}

void input_cursor::advance_by(std::size_t n) {
    examined_ += n;
    begin_ += n;
    unit_ = 0;
}

void input_cursor::skip_blanks() {
    for (;;) {
        const char* const start = buffer_.data() + begin_;
        const char* const stop = buffer_.data() + end_;
        const char* p = start;
        while (p != stop && is_blank(*p)) ++p;
        examined_ += static_cast<std::uint64_t>(p - start);
        begin_ += static_cast<std::size_t>(p - start);
        unit_ = 0;
        if (p != stop || !fill_to(1)) return;
    }
}

void input_cursor::skip_line() {
    for (;;) {
        const char* const start = buffer_.data() + begin_;
        const std::size_t length = end_ - begin_;
        const void* const found = std::memchr(start, '\n', length);
        const std::size_t passed = found ? static_cast<std::size_t>(static_cast<const char*>(found) - start) + 1 : length;
        examined_ += passed;
        begin_ += passed;
        unit_ = 0;
        if (found || !fill_to(1)) return;
    }
}

// ---- one value's characters

list_reader::value_scan::value_scan(std::span<const read_target> targets) {
    for (const read_target& target : targets) {
        if (std::holds_alternative<std::int32_t*>(target)) wants_integer_ = true;
        else if (std::holds_alternative<real*>(target)) wants_real_ = true;
        else text_length_ = std::max(text_length_, std::get<std::span<char>>(target).size());
    }
}

void list_reader::value_scan::restart() {
    integer_ = {};
    real_ = {};
    text_.clear();
}

void list_reader::value_scan::add(char c) { add(std::string_view(&c, 1)); }

void list_reader::value_scan::add(std::string_view chars) {
    if (wants_integer_)
        for (const char c : chars) integer_.add(c);
    if (wants_real_)
        for (const char c : chars) real_.add(c);
    text_ += chars.substr(0, text_length_ - text_.size());
}

read_error list_reader::value_scan::store(const read_target& target) const {
    if (auto* const integer = std::get_if<std::int32_t*>(&target)) {
        const integer_result r = integer_.result();
        if (r.error == read_error::none) **integer = r.value;
        return r.error;
    }
    if (auto* const number = std::get_if<real*>(&target)) {
        const real_result r = real_.result();
        if (r.error == read_error::none) **number = real(r.value);
        return r.error;
    }
    const std::span<char> chars = std::get<std::span<char>>(target);
    for (std::size_t k = 0; k < chars.size(); ++k) chars[k] = k < text_.size() ? text_[k] : ' ';
    return read_error::none;
}

// ---- the list rules

bool list_reader::at_separator() {
    const int c = cursor_.peek();
    return !is_byte(c) || is_separator(c);
}

list_reader::item list_reader::next_item(std::span<const read_target> targets, value_scan& value) {
    for (;;) {
        if (!in_line_) {
            if (cursor_.peek() == input_cursor::end_of_input) return {item::kind::failed, 1, read_error::end_of_file};
            in_line_ = true;
        }
        cursor_.skip_blanks();
        const int c = cursor_.peek();
        if (!is_byte(c)) {
            cursor_.advance();
            in_line_ = false;
            // A comma right before the line end leaves a null value; otherwise
            // the line end is one more blank (and empty lines are skipped).
            if (state_ == state::after_comma) {
                state_ = state::start;
                return {};
            }
            continue;
        }
        if (c == ',' || c == ';') {
            cursor_.advance();
            const bool follows_value = state_ == state::after_value;
            state_ = state::after_comma;
            if (follows_value) continue;
            return {};  // two separators in a row: a null value
        }
        if (c == '/') {
            cursor_.advance();
            return {item::kind::slash};
        }
        state_ = state::after_value;
        return scan_value(std::holds_alternative<std::span<char>>(targets.front()), value);
    }
}

list_reader::item list_reader::scan_value(bool for_text, value_scan& value) {
    // "r*value" or "r*": digits followed by an asterisk are a repeat count;
    // other digits begin the value itself.
    std::int64_t count = 0;
    bool digits_taken = false;
    for (;;) {
        const std::string_view bytes = cursor_.buffered();
        const std::string_view digits = bytes.substr(0, static_cast<std::size_t>(
            std::find_if_not(bytes.begin(), bytes.end(), is_digit) - bytes.begin()));
        for (const char d : digits) {
            if (count > max_repeat) break;  // too large already
            count = count * 10 + (d - '0');
        }
        value.add(digits);
        cursor_.advance_by(digits.size());
        digits_taken = digits_taken || !digits.empty();
        if (digits.size() < bytes.size() || bytes.empty()) break;
    }
    int c = cursor_.peek();
    item result{item::kind::value};
    if (digits_taken && c == '*') {
        cursor_.advance();
        if (count == 0) return {item::kind::failed, 1, read_error::zero_repeat};
        if (count > max_repeat) return {item::kind::failed, 1, read_error::repeat_overflow};
        result.repeat = static_cast<std::int32_t>(count);
        if (at_separator()) return {item::kind::null, result.repeat};
        value.restart();  // the digits were the count, not the value
        digits_taken = false;
        c = cursor_.peek();
    }
    if (for_text && !digits_taken && (c == '\'' || c == '"')) {
        scan_quoted(static_cast<char>(c), value);
        if (!at_separator()) return {item::kind::failed, 1, read_error::bad_string};
        return result;
    }
    scan_bare(for_text, value);
    return result;
}

// Up to a separator or the line end: runs of buffered bytes at a time, for a
// value may be as long as the input.
void list_reader::scan_bare(bool for_text, value_scan& value) {
    const auto ends_value = [for_text](int c) { return for_text ? ends_bare_text(c) : is_separator(c); };
    const auto may_end_value = [&](char c) { return c == '\r' || c == '\n' || ends_value(c); };
    for (;;) {
        const std::string_view bytes = cursor_.buffered();
        const std::size_t run = static_cast<std::size_t>(std::find_if(bytes.begin(), bytes.end(), may_end_value) - bytes.begin());
        value.add(bytes.substr(0, run));
        cursor_.advance_by(run);
        if (bytes.empty()) return;  // the end of input
        if (run < bytes.size()) {
            // A carriage return inside a line is an ordinary character.
            const int c = cursor_.peek();
            if (!is_byte(c) || ends_value(c)) return;
            value.add(static_cast<char>(c));
            cursor_.advance();
        }
    }
}

// Everything up to the matching mark, where a doubled mark stands for one; a
// text left open ends with its line.
void list_reader::scan_quoted(char mark, value_scan& value) {
    cursor_.advance();
    for (int c = cursor_.peek(); is_byte(c); c = cursor_.peek()) {
        cursor_.advance();
        if (c == mark) {
            if (cursor_.peek() != mark) return;
            cursor_.advance();
        }
        value.add(static_cast<char>(c));
    }
}

read_outcome list_reader::read(std::span<const read_target> targets) {
    state_ = state::start;
    std::size_t next = 0;
    read_outcome outcome;
    while (next < targets.size() && outcome.error == read_error::none) {
        const auto rest = targets.subspan(next);
        value_scan value(rest);
        const item it = next_item(rest, value);
        if (it.what == item::kind::failed) {
            outcome = {it.error, static_cast<int>(next) + 1};
            break;
        }
        if (it.what == item::kind::slash) break;
        for (std::int32_t r = 0; r < it.repeat && next < targets.size(); ++r, ++next) {
            if (it.what != item::kind::value) continue;
            const read_error error = value.store(targets[next]);
            if (error != read_error::none) {
                outcome = {error, static_cast<int>(next) + 1};
                break;
            }
        }
    }
    // The rest of the last line read is discarded.
    if (in_line_) cursor_.skip_line();
    in_line_ = false;
    return outcome;
}

}  // namespace lousa::console
