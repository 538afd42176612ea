#include "terminal/utf8.hpp"

#include <algorithm>

namespace lousa::terminal {
namespace {

constexpr char unknown = '?';

char cp850_or_unknown(char32_t code) {
    const int byte = cp850_byte_of(code);
    return byte < 0 ? unknown : static_cast<char>(byte);
}

}  // namespace

void utf8_decoder::feed(unsigned char byte, std::string& out) {
    if (needed_ > 0) {
        if (byte >= low_ && byte <= high_) {
            code_ = (code_ << 6) | (byte & 0x3Fu);
            low_ = 0x80;
            high_ = 0xBF;
            if (--needed_ == 0) out += cp850_or_unknown(code_);
            return;
        }
        out += unknown;  // the sequence was cut short; this byte starts afresh
        needed_ = 0;
    }
    low_ = 0x80;
    high_ = 0xBF;
    if (byte < 0x80) {
        out += static_cast<char>(byte);
    } else if (byte >= 0xC2 && byte <= 0xDF) {
        needed_ = 1;
        code_ = byte & 0x1Fu;
    } else if (byte >= 0xE0 && byte <= 0xEF) {
        needed_ = 2;
        code_ = byte & 0x0Fu;
        if (byte == 0xE0) low_ = 0xA0;   // shorter forms are overlong
        if (byte == 0xED) high_ = 0x9F;  // surrogates are not characters
    } else if (byte >= 0xF0 && byte <= 0xF4) {
        needed_ = 3;
        code_ = byte & 0x07u;
        if (byte == 0xF0) low_ = 0x90;   // overlong
        if (byte == 0xF4) high_ = 0x8F;  // above U+10FFFF
    } else {
        out += unknown;  // a continuation byte alone, C0, C1 or F5 to FF
    }
}

void utf8_decoder::finish(std::string& out) {
    if (needed_ > 0) out += unknown;
    needed_ = 0;
}

std::string cp850_from_utf8(std::string_view utf8) {
    utf8_decoder decoder;
    std::string out;
    for (const char c : utf8) decoder.feed(static_cast<unsigned char>(c), out);
    decoder.finish(out);
    return out;
}

std::size_t utf8_input::read_some(char* buffer, std::size_t capacity) {
    // A read that ends inside a character gives nothing yet: read on, since
    // handing back nothing would mean the end of the input.
    while (ready_.empty() && !ended_) {
        raw_.resize(chunk);
        const std::size_t n = terminal_.read_some(raw_.data(), raw_.size());
        if (n == 0) {
            ended_ = true;
            decoder_.finish(ready_);
        }
        for (std::size_t k = 0; k < n; ++k) decoder_.feed(static_cast<unsigned char>(raw_[k]), ready_);
    }
    // A sequence cut short gives its '?' and the byte after it: one more byte
    // than that read brought, kept for the next call if it does not fit.
    const std::size_t n = std::min(capacity, ready_.size());
    std::copy_n(ready_.begin(), n, buffer);
    ready_.erase(0, n);
    return n;
}

}  // namespace lousa::terminal
