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

std::string cp850_from_utf8(std::string_view utf8) {
    std::string out;
    decode_utf8(utf8, [&out](char32_t code) { out += cp850_or_unknown(code); });
    return out;
}

std::size_t utf8_input::read_some(char* buffer, std::size_t capacity) {
    // A read that ends inside a character gives nothing yet: read on, since
    // handing back nothing would mean the end of the input.
    const auto take = [this](char32_t code) { ready_ += cp850_or_unknown(code); };
    while (ready_.empty() && !ended_) {
        raw_.resize(chunk);
        const std::size_t n = terminal_.read_some(raw_.data(), raw_.size());
        if (n == 0) {
            ended_ = true;
            decoder_.finish(take);
        }
        for (std::size_t k = 0; k < n; ++k) decoder_.feed(static_cast<unsigned char>(raw_[k]), take);
    }
    // A sequence cut short gives its '?' and the byte after it: one more byte
    // than that read brought, kept for the next call if it does not fit.
    const std::size_t n = std::min(capacity, ready_.size());
    std::copy_n(ready_.begin(), n, buffer);
    ready_.erase(0, n);
    return n;
}

}  // namespace lousa::terminal
