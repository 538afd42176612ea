#include "terminal/bom.hpp"

#include <algorithm>
#include <string_view>

namespace lousa::terminal {
namespace {

constexpr std::string_view utf8_mark = "\xEF\xBB\xBF";
constexpr std::string_view utf16le_mark = "\xFF\xFE";
constexpr std::string_view utf16be_mark = "\xFE\xFF";

// The first bytes may still grow into a mark.
bool may_become_mark(std::string_view head) {
    for (const std::string_view mark : {utf8_mark, utf16le_mark, utf16be_mark})
        if (head.size() < mark.size() && mark.starts_with(head)) return true;
    return false;
}

}  // namespace

void marked_input::find_mark() {
    mark_looked_for_ = true;
    // Only as many bytes as a mark can have: a terminal's line stays unread.
    std::string head;
    while (may_become_mark(head)) {
        char byte = 0;
        if (raw_.read_some(&byte, 1) == 0) {
            ended_ = true;
            break;
        }
        head += byte;
    }
    std::string_view rest = head;
    if (rest.starts_with(utf8_mark)) encoding_ = encoding::utf8, rest.remove_prefix(utf8_mark.size());
    else if (rest.starts_with(utf16le_mark)) encoding_ = encoding::utf16le, rest.remove_prefix(utf16le_mark.size());
    else if (rest.starts_with(utf16be_mark)) encoding_ = encoding::utf16be, rest.remove_prefix(utf16be_mark.size());
    decode(rest.data(), rest.size());
    if (ended_) finish();
}

void marked_input::finish() {
    ended_ = true;
    if (encoding_ == encoding::guessing) encoding_ = encoding::bytes, ready_ += undecided_, utf8_ = utf8_decoder{};
    utf8_.finish([this](char32_t code) { ready_ += cp850_or_unknown(code); });
    if (odd_byte_ >= 0 || high_surrogate_ != 0) ready_ += '?';
    odd_byte_ = -1;
    high_surrogate_ = 0;
}

void marked_input::decode(const char* bytes, std::size_t n) {
    for (std::size_t k = 0; k < n; ++k) {
        const auto byte = static_cast<unsigned char>(bytes[k]);
        switch (encoding_) {
            case encoding::bytes: ready_ += static_cast<char>(byte); break;
            case encoding::guessing: guess(byte); break;
            case encoding::utf8: utf8_.feed(byte, [this](char32_t code) { ready_ += cp850_or_unknown(code); }); break;
            case encoding::utf16le:
            case encoding::utf16be:
                if (odd_byte_ < 0) {
                    odd_byte_ = byte;
                } else {
                    const unsigned first = static_cast<unsigned>(odd_byte_);
                    odd_byte_ = -1;
                    decode_unit(static_cast<char16_t>(encoding_ == encoding::utf16le ? first | byte << 8
                                                                                     : first << 8 | byte));
                }
                break;
        }
    }
}

// ASCII passes; the first character above 127 decides, once complete or
// ill-formed, how it and the rest are read.
void marked_input::guess(unsigned char byte) {
    if (undecided_.empty() && byte < 0x80) {
        ready_ += static_cast<char>(byte);
        return;
    }
    undecided_ += static_cast<char>(byte);
    bool ill_formed = false;
    char32_t code = 0;
    utf8_.feed(byte, [&](char32_t c) {
        if (c == utf8_decoder::ill_formed) ill_formed = true;
        else if (!ill_formed) code = c;
    });
    if (!ill_formed && code == 0) return;  // the character goes on
    const bool utf8 = !ill_formed && cp850_or_unknown(code) != '?';
    encoding_ = utf8 ? encoding::utf8 : encoding::bytes;
    if (utf8) ready_ += cp850_or_unknown(code);
    else ready_ += undecided_, utf8_ = utf8_decoder{};
    undecided_.clear();
}

void marked_input::decode_unit(char16_t unit) {
    const bool high = unit >= 0xD800 && unit <= 0xDBFF;
    const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
    if (high_surrogate_ != 0) {
        high_surrogate_ = 0;
        ready_ += '?';  // a character beyond U+FFFF, none of which code page 850 has, or a half alone
        if (low) return;
    }
    if (high) {
        high_surrogate_ = unit;
        return;
    }
    ready_ += low ? '?' : cp850_or_unknown(unit);
}

std::size_t marked_input::read_some(char* buffer, std::size_t capacity) {
    if (!mark_looked_for_) find_mark();
    // No mark and no conversion: straight through, at the reader's own pace.
    if (ready_.empty() && encoding_ == encoding::bytes) return ended_ ? 0 : raw_.read_some(buffer, capacity);
    // Still guessing: ASCII goes straight through too, up to the first byte
    // above 127, from which on the bytes are decoded.
    if (ready_.empty() && encoding_ == encoding::guessing && undecided_.empty() && !ended_) {
        const std::size_t n = raw_.read_some(buffer, capacity);
        const auto high = std::find_if(buffer, buffer + n, [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
        const auto ascii = static_cast<std::size_t>(high - buffer);
        if (n == 0) finish();
        decode(high, n - ascii);
        if (ascii > 0 || n == 0) return ascii;
    }
    // A read that ends inside a character gives nothing yet: read on, since
    // handing back nothing would mean the end of the input.
    while (ready_.empty() && !ended_) {
        raw_bytes_.resize(chunk);
        const std::size_t n = raw_.read_some(raw_bytes_.data(), raw_bytes_.size());
        decode(raw_bytes_.data(), n);
        if (n == 0) finish();
    }
    const std::size_t n = std::min(capacity, ready_.size());
    std::copy_n(ready_.begin(), n, buffer);
    ready_.erase(0, n);
    return n;
}

}  // namespace lousa::terminal
