#pragma once
// Layout strings: "(1x, 64(\"*\"), a1)" and the like. A layout is parsed into
// items when the program is built, stored once in a constant of its own size,
// and the values written with it are checked against its fields' kinds and
// count.

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <type_traits>

#include "codepage/texto.hpp"
#include "console/real.hpp"

namespace lousa::console {

enum class field_kind : std::uint8_t { text, integer, real };

// One item of a parsed layout; only the members of its type are used.
struct layout_item {
    enum class type : std::uint8_t { blanks, text, field_a, field_i, field_f, line_end, group_begin, group_end };
    type what = type::blanks;
    std::uint16_t count = 0;        // blanks: how many; group_begin: how many times the group is written
    std::uint16_t width = 0;        // field_a, field_i, field_f: w
    std::uint16_t decimals = 0;     // field_f: d
    std::uint16_t text_begin = 0;   // text: its first character among the layout's texts
    std::uint16_t text_length = 0;  // text: its number of characters
    std::uint16_t group_end = 0;    // group_begin: the index of the group_end that closes it
};

// A parsed layout wherever it is stored: its items, and the quoted texts (in
// code page 850) that its text items point into.
struct layout_view {
    std::span<const layout_item> items;
    std::string_view texts;

    constexpr std::string_view text_of(const layout_item& item) const {
        return texts.substr(item.text_begin, item.text_length);
    }
};

// What the parser fills, with room for the longest layout.
struct parsed_layout {
    static constexpr int max_items = 96;
    static constexpr int max_text = 512;
    std::array<layout_item, max_items> items{};
    int count = 0;
    std::array<char, max_text> text{};
    int text_size = 0;

    constexpr layout_view view() const {
        return {{items.data(), static_cast<std::size_t>(count)}, {text.data(), static_cast<std::size_t>(text_size)}};
    }
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
                add({.what = layout_item::type::line_end});
            } else if (c == '"' || c == '\'') {
                parse_quoted(c);
            } else if (is_digit(c)) {
                parse_counted();
            } else if (c == 'x' || c == 'X') {
                ++i_;
                add({.what = layout_item::type::blanks, .count = 1});
            } else if (c == 'a' || c == 'A') {
                ++i_;
                add({.what = layout_item::type::field_a, .width = number()});
            } else if (c == 'i' || c == 'I') {
                ++i_;
                add({.what = layout_item::type::field_i, .width = number()});
            } else if (c == 'f' || c == 'F') {
                ++i_;
                const std::uint16_t w = number();
                expect('.');
                const std::uint16_t d = number();
                if (d + 1 > w) fail("F field narrower than its decimals");
                add({.what = layout_item::type::field_f, .width = w, .decimals = d});
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
            add({.what = layout_item::type::blanks, .count = n});
            return;
        }
        expect('(');
        const int begin = out_.count;
        add({.what = layout_item::type::group_begin, .count = n});
        parse_items();
        expect(')');
        add({.what = layout_item::type::group_end});
        out_.items[static_cast<std::size_t>(begin)].group_end = static_cast<std::uint16_t>(out_.count - 1);
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
        add({.what = layout_item::type::text,
             .text_begin = static_cast<std::uint16_t>(start),
             .text_length = static_cast<std::uint16_t>(out_.text_size - start)});
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
constexpr bool for_each_field(layout_view p, std::size_t begin, std::size_t end, Visit& visit) {
    for (std::size_t k = begin; k < end; ++k) {
        const layout_item& it = p.items[k];
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
                for (int r = 0; r < it.count; ++r)
                    if (!for_each_field(p, k + 1, it.group_end, visit)) return false;
                k = it.group_end;
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

// A parsed layout in a constant of its own size, built once per layout string.
template <std::size_t Items, std::size_t Texts>
struct stored_layout {
    std::array<layout_item, Items> items{};
    std::array<char, Texts> texts{};

    constexpr layout_view view() const { return {items, {texts.data(), Texts}}; }
};

template <utf8_literal S>
consteval auto store_layout() {
    constexpr parsed_layout p = parse_layout(S.view());
    stored_layout<static_cast<std::size_t>(p.count), static_cast<std::size_t>(p.text_size)> out;
    std::copy_n(p.items.begin(), p.count, out.items.begin());
    std::copy_n(p.text.begin(), p.text_size, out.texts.begin());
    return out;
}

template <utf8_literal S>
inline constexpr auto layout_storage = store_layout<S>();

// A layout string, "(1x, f6.2)"_layout: its parsed form is made when the
// program is built, and every write with it refers to that one constant.
template <utf8_literal S>
struct layout_string {
    static constexpr layout_view parsed() { return layout_storage<S>.view(); }
};

// Whether the values fit the layout: each value's kind must match its field,
// and there may be fewer values than fields (the write then stops at the
// first field without a value). A mismatch is a compile-time error where this
// is evaluated as a constant.
template <class... Values>
consteval bool fits(layout_view layout) {
    constexpr field_kind kinds[] = {kind_of<Values>()..., field_kind::text};
    std::size_t next = 0;
    auto check = [&](field_kind k) {
        if (next == sizeof...(Values)) return false;
        if (kinds[next++] != k) throw "value does not match the kind of its layout field";
        return true;
    };
    detail::for_each_field(layout, 0, layout.items.size(), check);
    if (next != sizeof...(Values)) throw "more values than layout fields";
    return true;
}

}  // namespace lousa::console

namespace lousa {
inline namespace literals {
// "(1x, 64(\"*\"), a1)"_layout: a layout string for console_io::write.
template <utf8_literal S>
constexpr console::layout_string<S> operator""_layout() {
    return {};
}
}  // namespace literals
}  // namespace lousa
