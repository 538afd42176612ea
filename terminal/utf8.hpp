#pragma once
// The screen of a UTF-8 terminal. Inside, every text stays code page 850, one
// byte per character, so widths are counted as on the students' consoles;
// only the bytes crossing the terminal are converted (codepage/cp850.hpp; the
// keyboard is terminal/bom.hpp).

#include <string_view>

#include "codepage/cp850.hpp"
#include "console/streams.hpp"

namespace lousa::terminal {

using lousa::cp850_from_utf8;  // by this name in the page's keyboard (web/keyboard.hpp)

// Screen bytes (code page 850, already laid out) shown as UTF-8.
class utf8_output final : public output_sink {
public:
    explicit utf8_output(output_sink& terminal) : terminal_(terminal) {}
    void put(std::string_view bytes) override { terminal_.put(utf8_from_cp850(bytes)); }

private:
    output_sink& terminal_;
};

}  // namespace lousa::terminal
