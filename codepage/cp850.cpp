#include "codepage/cp850.hpp"

namespace lousa {

std::string utf8_from_cp850(std::string_view cp850) {
    std::string out;
    for (const char c : cp850) {
        const auto byte = static_cast<unsigned char>(c);
        const char32_t cp = byte < 0x80 ? byte : cp850_upper_half[byte - 0x80u];
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

char cp850_or_unknown(char32_t code) {
    const int byte = cp850_byte_of(code);
    return byte < 0 ? '?' : static_cast<char>(byte);
}

std::string cp850_from_utf8(std::string_view utf8) {
    std::string out;
    decode_utf8(utf8, [&out](char32_t code) { out += cp850_or_unknown(code); });
    return out;
}

}  // namespace lousa
