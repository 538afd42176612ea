#pragma once
// Numbers as the printed tables were computed: every named real is held in
// single precision and rounded each time it is stored, while a formula between
// two stores is evaluated in double. `real` makes that rule hold by
// construction: it stores a float, and reads back as a double, so an
// expression over reals is a double expression and only its result is rounded
// when it is assigned to a real again.

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

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

// Real to integer as the original machine did it: truncation toward zero, and
// the integer indefinite value for NaN or a value out of range.
constexpr std::int32_t inteiro(double x) {
    if (!(x > -2147483649.0 && x < 2147483648.0)) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(x);
}

// Fixed-capacity array indexed from 1, like the data arrays of every
// application. An index outside 1..N is a program fault, never user input
// (every capacity is refused before the data are read), so it aborts.
template <class T, int N>
class vetor {
public:
    constexpr T& operator[](int i) { return v_[check(i)]; }
    constexpr const T& operator[](int i) const { return v_[check(i)]; }

private:
    static constexpr std::size_t check(int i) {
        if (i < 1 || i > N) std::abort();
        return static_cast<std::size_t>(i);
    }
    std::array<T, N + 1> v_{};
};

// Fixed-capacity table indexed from (1, 1).
template <class T, int L, int C>
class matriz {
public:
    constexpr T& operator()(int i, int j) { return v_[check(i, j)]; }
    constexpr const T& operator()(int i, int j) const { return v_[check(i, j)]; }

private:
    static constexpr std::size_t check(int i, int j) {
        if (i < 1 || i > L || j < 1 || j > C) std::abort();
        return static_cast<std::size_t>(i) * (C + 1) + static_cast<std::size_t>(j);
    }
    std::array<T, (L + 1) * (C + 1)> v_{};
};

}  // namespace lousa
