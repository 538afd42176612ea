#pragma once
// Where a read is in the program, for the report of a failed read.

#include <cstdint>
#include <version>

#if defined(__cpp_lib_source_location)
#include <source_location>
namespace lousa {
using source_location = std::source_location;
}
#else
namespace lousa {
// Some compiler and library pairs (Clang 14 with libstdc++ 12) lack
// std::source_location; the same builtins give the call site.
class source_location {
public:
    static constexpr source_location current(const char* file = __builtin_FILE(),
                                             std::uint_least32_t line = __builtin_LINE()) noexcept {
        source_location here;
        here.file_ = file;
        here.line_ = line;
        return here;
    }
    constexpr const char* file_name() const noexcept { return file_; }
    constexpr std::uint_least32_t line() const noexcept { return line_; }

private:
    const char* file_ = "";
    std::uint_least32_t line_ = 0;
};
}  // namespace lousa
#endif
