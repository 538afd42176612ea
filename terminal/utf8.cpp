#include "terminal/utf8.hpp"

namespace lousa::terminal {

char cp850_or_unknown(char32_t code) {
    const int byte = cp850_byte_of(code);
    return byte < 0 ? '?' : static_cast<char>(byte);
}

std::string cp850_from_utf8(std::string_view utf8) {
    std::string out;
    decode_utf8(utf8, [&out](char32_t code) { out += cp850_or_unknown(code); });
    return out;
}

}  // namespace lousa::terminal
