#pragma once
// Answers files saved by Windows tools start with a byte-order mark that says
// their encoding: Notepad writes UTF-8 with one, Windows PowerShell 5's `>`
// writes UTF-16 LE. Such a file is decoded and handed on as code page 850, as
// a UTF-8 terminal's typing is; input without a mark is left as it was, or
// read as UTF-8 where the terminal types UTF-8.

#include <cstddef>
#include <cstdint>
#include <string>

#include "codepage/cp850.hpp"
#include "console/streams.hpp"

namespace lousa::terminal {

class marked_input final : public input_source {
public:
    // `utf8_unmarked`: input without a mark is UTF-8 too (a UTF-8 terminal,
    // --utf8); otherwise its bytes pass unchanged.
    marked_input(input_source& raw, bool utf8_unmarked)
        : raw_(raw), encoding_(utf8_unmarked ? encoding::utf8 : encoding::bytes) {}
    std::size_t read_some(char* buffer, std::size_t capacity) override;

private:
    enum class encoding : std::uint8_t { bytes, utf8, utf16le, utf16be };

    void find_mark();
    void decode(const char* bytes, std::size_t n);
    void decode_unit(char16_t unit);
    void finish();  // the input has ended: a character cut short becomes '?'

    static constexpr std::size_t chunk = 4096;
    input_source& raw_;
    encoding encoding_;
    bool mark_looked_for_ = false;
    bool ended_ = false;
    std::string raw_bytes_;
    std::string ready_;  // decoded, not yet handed on
    utf8_decoder utf8_;
    int odd_byte_ = -1;          // the first byte of a UTF-16 unit still incomplete
    char16_t high_surrogate_ = 0;  // waiting for its low half
};

}  // namespace lousa::terminal
