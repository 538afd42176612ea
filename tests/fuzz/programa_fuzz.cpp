// The whole program on a fuzzer's bytes: every byte is typed at the keyboard,
// the screen and the stop report go nowhere. A run must end normally or with a
// failed read (the input always ends, so every read eventually stops); a
// crash, a sanitizer finding, another exit status, or a screen that keeps
// growing without the program reading is reported by aborting. A run that
// neither reads nor writes is caught by the fuzzer's -timeout.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "shell/programa.hpp"

namespace {

// Far more than the longest screen any input can ask for between two reads.
constexpr std::size_t screen_limit_between_reads = 32u << 20;

class fuzz_input final : public lousa::input_source {
public:
    fuzz_input(const std::uint8_t* data, std::size_t size, std::size_t& written_since_read)
        : data_(data), size_(size), written_since_read_(written_since_read) {}

    // Chunks of 1 to 61 bytes in turn, so that line ends, carriage returns
    // and values fall across the reader's refills.
    std::size_t read_some(char* buffer, std::size_t capacity) override {
        written_since_read_ = 0;
        chunk_ = chunk_ % 61 + 1;
        const std::size_t n = std::min({capacity, chunk_, size_ - pos_});
        std::memcpy(buffer, data_ + pos_, n);
        pos_ += n;
        return n;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
    std::size_t chunk_ = 0;
    std::size_t& written_since_read_;
};

class discarding_sink final : public lousa::output_sink {
public:
    explicit discarding_sink(std::size_t& written_since_read) : written_since_read_(written_since_read) {}
    void put(std::string_view bytes) override {
        written_since_read_ += bytes.size();
        if (written_since_read_ > screen_limit_between_reads) std::abort();  // writes without ever reading
    }

private:
    std::size_t& written_since_read_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::size_t written_since_read = 0;
    fuzz_input in(data, size, written_since_read);
    discarding_sink out(written_since_read);
    discarding_sink err(written_since_read);
    const int status = lousa::executa_programa(in, out, err);
    if (status != lousa::status_normal && status != lousa::status_read_failed) std::abort();
    return 0;
}
