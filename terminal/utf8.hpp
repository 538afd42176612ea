#pragma once
// The screen and the keyboard of a UTF-8 terminal. Inside, every text stays
// code page 850, one byte per character, so widths are counted as on the
// students' consoles; only the bytes crossing the terminal are converted.

#include <cstddef>
#include <string>
#include <string_view>

#include "console/cp850.hpp"
#include "console/streams.hpp"

namespace lousa::terminal {

// A whole UTF-8 text to code page 850, by the decoder's rules
// (console/cp850.hpp): every well-formed character gives exactly one byte, its
// code page 850 byte or '?' when code page 850 lacks it, and each ill-formed
// piece one '?'.
std::string cp850_from_utf8(std::string_view utf8);

// Screen bytes (code page 850, already laid out) shown as UTF-8.
class utf8_output final : public output_sink {
public:
    explicit utf8_output(output_sink& terminal) : terminal_(terminal) {}
    void put(std::string_view bytes) override { terminal_.put(utf8_from_cp850(bytes)); }

private:
    output_sink& terminal_;
};

// Typed UTF-8 handed on as code page 850.
class utf8_input final : public input_source {
public:
    explicit utf8_input(input_source& terminal) : terminal_(terminal) {}
    std::size_t read_some(char* buffer, std::size_t capacity) override;

private:
    static constexpr std::size_t chunk = 4096;
    input_source& terminal_;
    utf8_decoder decoder_;
    std::string raw_;    // bytes as typed
    std::string ready_;  // converted, not yet handed on
    bool ended_ = false;
};

}  // namespace lousa::terminal
