#pragma once
// UTF-8 at the terminal's edge: the screen of a UTF-8 terminal, and the
// conversion of typed text (the keyboard itself is terminal/bom.hpp). Inside,
// every text stays code page 850, one byte per character, so widths are
// counted as on the students' consoles; only the bytes crossing the terminal
// are converted.

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
// One character's code page 850 byte, or '?' where code page 850 lacks it.
char cp850_or_unknown(char32_t code);

// Screen bytes (code page 850, already laid out) shown as UTF-8.
class utf8_output final : public output_sink {
public:
    explicit utf8_output(output_sink& terminal) : terminal_(terminal) {}
    void put(std::string_view bytes) override { terminal_.put(utf8_from_cp850(bytes)); }

private:
    output_sink& terminal_;
};

}  // namespace lousa::terminal
