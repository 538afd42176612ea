#pragma once
// Numbers as the printed tables were computed: every named real is held in
// single precision and rounded each time it is stored, while a formula between
// two stores is evaluated in double. `real` makes that rule hold by
// construction: it stores a float, and reads back as a double, so an
// expression over reals is a double expression and only its result is rounded
// when it is assigned to a real again.

#include <cmath>

// Each double operation must be rounded to double, as SSE2 arithmetic does.
// The x87 unit keeps intermediate results in 80 bits instead, and no option
// makes GCC round them in C++: such a build prints other numbers in some
// sessions, so it is refused rather than built by accident.
#if defined(__FLT_EVAL_METHOD__) && __FLT_EVAL_METHOD__ != 0
#error "floating point is evaluated in the x87 unit and would print other numbers: build with -msse2 -mfpmath=sse"
#endif

namespace lousa {

class real {
public:
    constexpr real() = default;
    constexpr real(double x) : v_(static_cast<float>(x)) {}  // NOLINT: rounding on store is the point

    constexpr operator double() const { return v_; }  // NOLINT: formulas run in double
    constexpr float value() const { return v_; }
    // No compound assignments: each store is written out, x = x + y, as the
    // formulas are given.

private:
    float v_ = 0.0f;
};

}  // namespace lousa
