// Compiled by the tests with one of the macros below defined: each must fail
// to compile, while the file without them compiles. A layout write is checked
// against its layout when the program is built, not when the student runs it.

#include "console/console.hpp"

using namespace lousa::literals;

void writes(lousa::console_io& con, std::int32_t n, lousa::real x) {
#if defined(WRONG_KIND)
    con.write("(1x, i3)"_layout, x);
#elif defined(TOO_MANY_VALUES)
    con.write("(1x, i3)"_layout, n, n);
#elif defined(MALFORMED_LAYOUT)
    con.write("(1x, q3)"_layout, n);
#elif defined(DOUBLE_VALUE)
    con.write("(1x, f6.2)"_layout, 1.5);
#else
    con.write("(1x, i3, f6.2)"_layout, n, x);
    con.write("(1x, i3, f6.2)"_layout, n);  // fewer values than fields: the write stops there
#endif
}
