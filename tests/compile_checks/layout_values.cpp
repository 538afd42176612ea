// Compiled by the tests with one of the macros below defined: each must fail
// to compile, while the file without them compiles. A layout write is checked
// against its layout when the program is built, not when the student runs it.

#include "console/console.hpp"

void writes(lousa::Console& con, std::int32_t n, lousa::real x) {
#if defined(WRONG_KIND)
    con.write("(1x, i3)", x);
#elif defined(TOO_MANY_VALUES)
    con.write("(1x, i3)", n, n);
#elif defined(MALFORMED_LAYOUT)
    con.write("(1x, q3)", n);
#elif defined(DOUBLE_VALUE)
    con.write("(1x, f6.2)", 1.5);
#else
    con.write("(1x, i3, f6.2)", n, x);
    con.write("(1x, i3, f6.2)", n);  // fewer values than fields: the write stops there
#endif
}
