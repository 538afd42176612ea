#pragma once
// Included before every source of the browser build: this compiler's C++
// library predates std::bit_cast, which the number formatting uses to read a
// float's bits. The compiler builtin does the same.
#include <bit>
#include <version>
#if !defined(__cpp_lib_bit_cast)
namespace std {
template <class To, class From>
constexpr To bit_cast(const From& from) noexcept {
    return __builtin_bit_cast(To, from);
}
}  // namespace std
#endif
