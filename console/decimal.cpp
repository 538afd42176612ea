#include "console/decimal.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace lousa::console {

decimal decimal_of(float v) {
    // d.ddd...de-xx: 23 significant digits, correctly rounded from the exact
    // value by the library (the browser's has no floating-point to_chars).
    std::array<char, 32> text{};
    const float magnitude = std::fabs(v);
#ifdef __cpp_lib_to_chars
    std::to_chars(text.data(), text.data() + text.size(), magnitude, std::chars_format::scientific, 22);
#else
    std::snprintf(text.data(), text.size(), "%.22e", static_cast<double>(magnitude));
#endif
    decimal x;
    if (magnitude == 0.0f) return x;
    x.digits[0] = text[0];
    std::copy_n(&text[2], 22, &x.digits[1]);  // past the point, whatever character the locale gives it
    x.size = 23;
    x.exponent = std::atoi(&text[25]) + 1;  // after the 'e'
    return x;
}

decimal rounded(decimal x, int n) {
    if (n >= x.size) return x;
    const bool up = n >= 0 && x.at(n) >= '5';
    x.size = std::max(n, 0);
    if (!up) return x;
    while (x.size > 0 && x.digits[static_cast<std::size_t>(x.size - 1)] == '9') --x.size;  // carried past
    if (x.size == 0) {
        x.digits[0] = '1';
        x.size = 1;
        ++x.exponent;
    } else {
        ++x.digits[static_cast<std::size_t>(x.size - 1)];
    }
    return x;
}

}  // namespace lousa::console
