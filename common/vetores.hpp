#pragma once
// The applications' fixed-capacity arrays, indexed from 1, and their
// conversion of a real to an integer.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace lousa {

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
