#pragma once
// Screen texts: code page 850 bytes, written in the source as readable UTF-8
// literals ("..."_t) and converted once, when the program is built.

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

#include "codepage/cp850.hpp"

namespace lousa {

// A view of code page 850 text: the value of a text field or a free-form item.
struct texto {
    std::string_view bytes;
    constexpr std::size_t size() const { return bytes.size(); }
};

// A text of fixed length N: shorter values are filled with blanks on the
// right, and those blanks belong to the value (they are printed with it).
template <std::size_t N>
struct texto_fixo {
    std::array<char, N> data{};

    constexpr texto_fixo() { data.fill(' '); }
    consteval texto_fixo(std::string_view utf8) {  // NOLINT: written like a literal
        if (cp850_length(utf8) > N) throw "text longer than its declared length";
        data.fill(' ');
        to_cp850(utf8, data.data());
    }
    template <std::size_t M>
    consteval texto_fixo(const char (&utf8)[M]) : texto_fixo(std::string_view(utf8, M - 1)) {}  // NOLINT

    constexpr operator texto() const { return texto{std::string_view(data.data(), N)}; }  // NOLINT
    constexpr std::string_view view() const { return {data.data(), N}; }
};

// A UTF-8 string literal as a template argument.
template <std::size_t N>
struct utf8_literal {
    char chars[N]{};
    consteval utf8_literal(const char (&s)[N]) { std::copy_n(s, N, chars); }  // NOLINT
    constexpr std::string_view view() const { return {chars, N - 1}; }
};

template <utf8_literal S>
inline constexpr texto_fixo<cp850_length(S.view())> literal_storage{S.view()};

inline namespace literals {
// "Digitar dado numero "_t: a screen text, converted once at compile time.
template <utf8_literal S>
constexpr texto operator""_t() {
    return literal_storage<S>;
}
}  // namespace literals

}  // namespace lousa
