#pragma once
// What the console reads from and writes to: the byte streams that the
// terminal, the browser page, the fuzzer and the tests provide, how they
// fail, and the variables a read fills.

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string_view>
#include <variant>

#include "console/real.hpp"

namespace lousa {

#ifdef _WIN32
inline constexpr std::string_view line_end = "\r\n";
#else
inline constexpr std::string_view line_end = "\n";
#endif

// Where screen bytes go: standard output, or a test's string.
class output_sink {
public:
    virtual ~output_sink() = default;
    virtual void put(std::string_view bytes) = 0;
};

// Where keyboard bytes come from: standard input, or a test's script.
class input_source {
public:
    virtual ~input_source() = default;
    // Up to `capacity` bytes; 0 at the end of input. May block.
    virtual std::size_t read_some(char* buffer, std::size_t capacity) = 0;
};

// A screen that cannot be written (full disk, closed pipe): the sink throws
// this with the system's error text; the program ends with status 1.
class output_failure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Keyboard bytes that cannot be read for a system reason (input is a
// directory, an I/O error): the source throws this with the system's error
// text, and the read stops the program as any failed read does.
class input_failure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A variable to be filled by a read: an integer, a real, or the characters of
// a fixed-length text.
using read_target = std::variant<std::int32_t*, real*, std::span<char>>;

}  // namespace lousa
