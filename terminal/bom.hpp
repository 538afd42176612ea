#pragma once
// Answers files saved by Windows tools start with a byte-order mark that says
// their encoding: Notepad writes UTF-8 with one, Windows PowerShell 5's `>`
// writes UTF-16 LE. Such a file is decoded and handed on as code page 850, as
// a UTF-8 terminal's typing is. Notepad's default UTF-8 has no mark: a file
// or pipe without one is read as UTF-8 when its first character above 127 is
// well-formed UTF-8 that code page 850 has (code page 850's own accented
// letters are never that: a lead byte among them is followed by an ASCII
// letter, or by another accented letter only in words no one writes), and
// otherwise byte for byte.

#include <cstddef>
#include <cstdint>
#include <string>

#include "codepage/cp850.hpp"
#include "console/streams.hpp"

namespace lousa::terminal {

// How input without a byte-order mark is read.
enum class unmarked : std::uint8_t {
    bytes,    // as it came (--cp850, a terminal that does not type UTF-8)
    utf8,     // UTF-8 (a UTF-8 terminal, --utf8)
    guessed,  // a file or a pipe: UTF-8 if its first bytes above 127 are one
              // UTF-8 character that code page 850 has, else as it came
};

class marked_input final : public input_source {
public:
    marked_input(input_source& raw, unmarked as)
        : raw_(raw),
          encoding_(as == unmarked::utf8 ? encoding::utf8 : as == unmarked::guessed ? encoding::guessing : encoding::bytes) {}
    std::size_t read_some(char* buffer, std::size_t capacity) override;

private:
    enum class encoding : std::uint8_t { bytes, utf8, utf16le, utf16be, guessing };

    void find_mark();
    void decode(const char* bytes, std::size_t n);
    void decode_unit(char16_t unit);
    void guess(unsigned char byte);
    void finish();  // the input has ended: a character cut short becomes '?'

    static constexpr std::size_t chunk = 4096;
    input_source& raw_;
    encoding encoding_;
    bool mark_looked_for_ = false;
    bool ended_ = false;
    std::string raw_bytes_;
    std::string ready_;  // decoded, not yet handed on
    utf8_decoder utf8_;
    std::string undecided_;  // guessing: the bytes of the first character above 127 so far
    int odd_byte_ = -1;          // the first byte of a UTF-16 unit still incomplete
    char16_t high_surrogate_ = 0;  // waiting for its low half
};

}  // namespace lousa::terminal
