#pragma once
// Layout strings: "(1x, 64(\"*\"), a1)" and the like. A layout is parsed once
// into items (at compile time for every layout the program writes), and the
// values handed to it are checked against its fields' kinds and count.

#include <array>
#include <cstdint>
#include <string_view>
#include <type_traits>

#include "console/cp850.hpp"
#include "console/real.hpp"

namespace lousa::console {

enum class field_kind : std::uint8_t { text, integer, real };

struct layout_item {
    enum class type : std::uint8_t { blanks, text, field_a, field_i, field_f, line_end, group_begin, group_end };
    type what = type::blanks;
    std::uint16_t a = 0;  // blanks: count; text: offset; field: width; group_begin: repeat; group_end: begin index
    std::uint16_t b = 0;  // text: length; field_f: decimals; group_begin: index of its group_end
};

struct parsed_layout {
    static constexpr int max_items = 96;
    static constexpr int max_text = 512;
    std::array<layout_item, max_items> items{};
    int count = 0;
    std::array<char, max_text> text{};  // the quoted texts, in code page 850
    int text_size = 0;

    constexpr std::string_view text_of(const layout_item& item) const { return {text.data() + item.a, item.b}; }
};

namespace detail {

class layout_parser {
public:
    constexpr explicit layout_parser(std::string_view source) : s_(source) {}

    constexpr parsed_layout parse() {
        skip_blanks();
        expect('(');
        parse_items();
        expect(')');
        skip_blanks();
        if (i_ != s_.size()) fail("text after the closing parenthesis");
        return out_;
    }

private:
    // Items up to the closing parenthesis of the current list (not consumed).
    constexpr void parse_items() {
        for (;;) {
            skip_blanks_and_commas();
            if (i_ == s_.size()) fail("missing closing parenthesis");
            const char c = s_[i_];
            if (c == ')') return;
            if (c == '/') {
                ++i_;
                add({layout_item::type::line_end});
            } else if (c == '"' || c == '\'') {
                parse_quoted(c);
            } else if (is_digit(c)) {
                parse_counted();
            } else if (c == 'x' || c == 'X') {
                ++i_;
                add({layout_item::type::blanks, 1});
            } else if (c == 'a' || c == 'A') {
                ++i_;
                add({layout_item::type::field_a, number()});
            } else if (c == 'i' || c == 'I') {
                ++i_;
                add({layout_item::type::field_i, number()});
            } else if (c == 'f' || c == 'F') {
                ++i_;
                const std::uint16_t w = number();
                expect('.');
                const std::uint16_t d = number();
                if (d + 1 > w) fail("F field narrower than its decimals");
                add({layout_item::type::field_f, w, d});
            } else {
                fail("unknown layout item");
            }
        }
    }

    // "nX" blanks or "n(...)" repeated group.
    constexpr void parse_counted() {
        const std::uint16_t n = number();
        skip_blanks();
        if (i_ < s_.size() && (s_[i_] == 'x' || s_[i_] == 'X')) {
            ++i_;
            add({layout_item::type::blanks, n});
            return;
        }
        expect('(');
        const int begin = out_.count;
        add({layout_item::type::group_begin, n});
        parse_items();
        expect(')');
        add({layout_item::type::group_end, static_cast<std::uint16_t>(begin)});
        out_.items[static_cast<std::size_t>(begin)].b = static_cast<std::uint16_t>(out_.count - 1);
    }

    constexpr void parse_quoted(char mark) {
        ++i_;
        const int start = out_.text_size;
        std::size_t from = i_;
        for (;;) {
            if (i_ == s_.size()) fail("unterminated text");
            if (s_[i_] == mark) {
                append_text(s_.substr(from, i_ - from));
                ++i_;
                if (i_ < s_.size() && s_[i_] == mark) {  // a doubled mark stands for one
                    from = i_;
                    ++i_;
                    continue;
                }
                break;
            }
            ++i_;
        }
        add({layout_item::type::text, static_cast<std::uint16_t>(start),
             static_cast<std::uint16_t>(out_.text_size - start)});
    }

    constexpr void append_text(std::string_view utf8) {
        const std::size_t n = cp850_length(utf8);
        if (out_.text_size + static_cast<int>(n) > parsed_layout::max_text) fail("layout texts too long");
        to_cp850(utf8, out_.text.data() + out_.text_size);
        out_.text_size += static_cast<int>(n);
    }

    constexpr std::uint16_t number() {
        if (i_ == s_.size() || !is_digit(s_[i_])) fail("number expected");
        int n = 0;
        while (i_ < s_.size() && is_digit(s_[i_])) {
            n = n * 10 + (s_[i_++] - '0');
            if (n > 999) fail("number too large");
        }
        return static_cast<std::uint16_t>(n);
    }

    constexpr void add(layout_item item) {
        if (out_.count == parsed_layout::max_items) fail("too many layout items");
        out_.items[static_cast<std::size_t>(out_.count++)] = item;
    }

    constexpr void expect(char c) {
        skip_blanks();
        if (i_ == s_.size() || s_[i_] != c) fail("unexpected character in layout");
        ++i_;
    }
    constexpr void skip_blanks() {
        while (i_ < s_.size() && s_[i_] == ' ') ++i_;
    }
    constexpr void skip_blanks_and_commas() {
        while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == ',')) ++i_;
    }
    static constexpr bool is_digit(char c) { return c >= '0' && c <= '9'; }
    [[noreturn]] static void fail(const char* why) { throw why; }

    std::string_view s_;
    std::size_t i_ = 0;
    parsed_layout out_{};
};

// Calls visit(kind) for each field in the order the layout consumes values,
// until visit returns false.
template <class Visit>
constexpr bool for_each_field(const parsed_layout& p, int begin, int end, Visit& visit) {
    for (int k = begin; k < end; ++k) {
        const layout_item& it = p.items[static_cast<std::size_t>(k)];
        switch (it.what) {
            case layout_item::type::field_a:
                if (!visit(field_kind::text)) return false;
                break;
            case layout_item::type::field_i:
                if (!visit(field_kind::integer)) return false;
                break;
            case layout_item::type::field_f:
                if (!visit(field_kind::real)) return false;
                break;
            case layout_item::type::group_begin:
                for (int r = 0; r < it.a; ++r)
                    if (!for_each_field(p, k + 1, it.b, visit)) return false;
                k = it.b;
                break;
            default:
                break;
        }
    }
    return true;
}

}  // namespace detail

constexpr parsed_layout parse_layout(std::string_view utf8) { return detail::layout_parser(utf8).parse(); }

// The kind of layout field a value of type T fills.
template <class T>
constexpr field_kind kind_of() {
    using U = std::remove_cvref_t<T>;
    if constexpr (std::is_same_v<U, std::int32_t>) return field_kind::integer;
    else if constexpr (std::is_same_v<U, real> || std::is_same_v<U, float>) return field_kind::real;
    else {
        static_assert(std::is_convertible_v<const U&, texto>, "layout values are integers, reals or texts");
        return field_kind::text;
    }
}

// A layout string checked against the values written with it: each value's
// kind must match its field, and there may be fewer values than fields (the
// write then stops at the first field without a value).
template <class... Values>
class layout_string {
public:
    template <std::size_t N>
    consteval layout_string(const char (&utf8)[N]) : parsed_(parse_layout(std::string_view(utf8, N - 1))) {  // NOLINT
        constexpr field_kind kinds[] = {kind_of<Values>()..., field_kind::text};
        std::size_t next = 0;
        auto check = [&](field_kind k) {
            if (next == sizeof...(Values)) return false;
            if (kinds[next++] != k) throw "value does not match the kind of its layout field";
            return true;
        };
        detail::for_each_field(parsed_, 0, parsed_.count, check);
        if (next != sizeof...(Values)) throw "more values than layout fields";
    }
    constexpr const parsed_layout& parsed() const { return parsed_; }

private:
    parsed_layout parsed_;
};

}  // namespace lousa::console
