#pragma once
// Code page 850, the program's one character set: its table, the UTF-8
// decoder, and the conversions both ways. Inside the program every text is
// code page 850, one byte per character, so that a field width counts
// characters on the student's console; UTF-8 is met only in the source's
// literals (converted when the program is built) and at a UTF-8 terminal.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace lousa {

// The upper half of code page 850, as Unicode code points.
inline constexpr std::array<char32_t, 128> cp850_upper_half = {
    U'Ç', U'ü', U'é', U'â', U'ä', U'à', U'å', U'ç', U'ê', U'ë', U'è', U'ï', U'î', U'ì', U'Ä', U'Å',
    U'É', U'æ', U'Æ', U'ô', U'ö', U'ò', U'û', U'ù', U'ÿ', U'Ö', U'Ü', U'ø', U'£', U'Ø', U'×', U'ƒ',
    U'á', U'í', U'ó', U'ú', U'ñ', U'Ñ', U'ª', U'º', U'¿', U'®', U'¬', U'½', U'¼', U'¡', U'«', U'»',
    U'░', U'▒', U'▓', U'│', U'┤', U'Á', U'Â', U'À', U'©', U'╣', U'║', U'╗', U'╝', U'¢', U'¥', U'┐',
    U'└', U'┴', U'┬', U'├', U'─', U'┼', U'ã', U'Ã', U'╚', U'╔', U'╩', U'╦', U'╠', U'═', U'╬', U'¤',
    U'ð', U'Ð', U'Ê', U'Ë', U'È', U'ı', U'Í', U'Î', U'Ï', U'┘', U'┌', U'█', U'▄', U'¦', U'Ì', U'▀',
    U'Ó', U'ß', U'Ô', U'Ò', U'õ', U'Õ', U'µ', U'þ', U'Þ', U'Ú', U'Û', U'Ù', U'ý', U'Ý', U'¯', U'´',
    U'\u00AD', U'±', U'‗', U'¾', U'¶', U'§', U'÷', U'¸', U'°', U'¨', U'·', U'¹', U'³', U'²', U'■', U'\u00A0',
};

// UTF-8 decoded strictly, a byte at a time, so that a character split across
// two reads of the keyboard is still one character. Each ill-formed piece (a
// stray continuation byte, a sequence cut short, an overlong form, a
// surrogate, a code point above U+10FFFF) gives `ill_formed` once, and a byte
// that interrupts a sequence is read afresh, so a line end always stays a
// line end. The program's own texts go through the same rules when it is
// built, where an ill-formed piece is an error.
class utf8_decoder {
public:
    static constexpr char32_t ill_formed = 0xFFFFFFFF;

    // Hands `emit` whatever this byte completes: nothing, a code point, or
    // ill_formed and then what this byte gives on its own.
    template <class Emit>
    constexpr void feed(unsigned char byte, Emit&& emit) {
        if (needed_ > 0) {
            if (byte >= low_ && byte <= high_) {
                code_ = (code_ << 6) | (byte & 0x3Fu);
                low_ = 0x80;
                high_ = 0xBF;
                if (--needed_ == 0) emit(code_);
                return;
            }
            emit(ill_formed);  // the sequence was cut short; this byte starts afresh
            needed_ = 0;
        }
        low_ = byte == 0xE0 ? 0xA0 : byte == 0xF0 ? 0x90 : 0x80;   // shorter forms are overlong
        high_ = byte == 0xED ? 0x9F : byte == 0xF4 ? 0x8F : 0xBF;  // no surrogates, nothing above U+10FFFF
        needed_ = byte < 0x80 ? 0 : byte < 0xC2 ? -1 : byte < 0xE0 ? 1 : byte < 0xF0 ? 2 : byte < 0xF5 ? 3 : -1;
        if (needed_ < 0) {
            needed_ = 0;
            emit(ill_formed);  // a continuation byte alone, C0, C1 or F5 to FF
        } else if (needed_ == 0) {
            emit(char32_t{byte});
        } else {
            code_ = byte & (0x7Fu >> (needed_ + 1));  // the lead byte's bits: 5, 4 or 3 of them
        }
    }
    // The input has ended: a sequence still open is ill-formed.
    template <class Emit>
    constexpr void finish(Emit&& emit) {
        if (needed_ > 0) emit(ill_formed);
        needed_ = 0;
    }

private:
    char32_t code_ = 0;
    int needed_ = 0;                          // continuation bytes still expected
    unsigned char low_ = 0x80, high_ = 0xBF;  // the range allowed for the next one
};

// A whole UTF-8 text, code point by code point.
template <class Emit>
constexpr void decode_utf8(std::string_view utf8, Emit&& emit) {
    utf8_decoder decoder;
    for (const char c : utf8) decoder.feed(static_cast<unsigned char>(c), emit);
    decoder.finish(emit);
}

// The code page 850 byte of a character, or -1 when the code page lacks it.
constexpr int cp850_byte_of(char32_t cp) {
    if (cp < 0x80) return static_cast<int>(cp);
    for (std::size_t k = 0; k < cp850_upper_half.size(); ++k)
        if (cp850_upper_half[k] == cp) return static_cast<int>(0x80 + k);
    return -1;
}

constexpr char cp850_from_code_point(char32_t cp) {
    if (cp == utf8_decoder::ill_formed) throw "malformed UTF-8 in a screen text";
    const int byte = cp850_byte_of(cp);
    if (byte < 0) throw "character not in code page 850";
    return static_cast<char>(byte);
}

// Number of code page 850 characters in a UTF-8 text.
constexpr std::size_t cp850_length(std::string_view utf8) {
    std::size_t n = 0;
    decode_utf8(utf8, [&n](char32_t) { ++n; });
    return n;
}

// Writes the code page 850 form of a UTF-8 text into out (cp850_length bytes).
constexpr void to_cp850(std::string_view utf8, char* out) {
    decode_utf8(utf8, [&out](char32_t cp) { *out++ = cp850_from_code_point(cp); });
}

// Code page 850 bytes to UTF-8: the screen of a UTF-8 terminal.
std::string utf8_from_cp850(std::string_view cp850);

// One character's code page 850 byte, or '?' where code page 850 lacks it.
char cp850_or_unknown(char32_t code);

// A whole UTF-8 text to code page 850, by the decoder's rules: every
// well-formed character gives exactly one byte, its code page 850 byte or '?'
// when code page 850 lacks it, and each ill-formed piece one '?'.
std::string cp850_from_utf8(std::string_view utf8);

}  // namespace lousa
