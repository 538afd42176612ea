// Entry point: the console on standard input and output, and the stop on an
// answer that cannot be read (report on standard error, status 2).

#include <cerrno>
#include <cstdio>
#include <string>

#include "console/console.hpp"
#include "shell/programa.hpp"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

class standard_input final : public lousa::console::input_source {
public:
    std::size_t read_some(char* buffer, std::size_t capacity) override {
#ifdef _WIN32
        const int n = _read(0, buffer, static_cast<unsigned>(capacity));
#else
        ssize_t n = 0;
        do n = ::read(0, buffer, capacity);
        while (n < 0 && errno == EINTR);
#endif
        return n > 0 ? static_cast<std::size_t>(n) : 0;
    }
};

class standard_stream final : public lousa::output_sink {
public:
    explicit standard_stream(std::FILE* stream) : stream_(stream) {}
    void put(std::string_view bytes) override {
        std::fwrite(bytes.data(), 1, bytes.size(), stream_);
        std::fflush(stream_);
    }

private:
    std::FILE* stream_;
};

}  // namespace

int main() {
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    standard_input in;
    standard_stream out(stdout);
    standard_stream err(stderr);
    return lousa::executa_programa(in, out, err);
}
