#include "terminal/terminal.hpp"

#include <cerrno>
#include <cstring>

namespace lousa::terminal {

conversions choose(conversion asked, const streams& kinds) {
    switch (asked) {
        case conversion::cp850: return {};
        case conversion::utf8: return {true, true, true};
        case conversion::automatic: break;
    }
    return {kinds.output_utf8_terminal, kinds.input_utf8_terminal, kinds.locale_utf8, !kinds.input_terminal};
}

void standard_stream::put(std::string_view bytes) {
    errno = 0;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stream_) == bytes.size();
    if (!written || std::fflush(stream_) != 0)
        throw output_failure(errno != 0 ? std::strerror(errno) : "write error");
}

}  // namespace lousa::terminal
