// The whole program on a fuzzer's bytes, as the command line and the terminal
// would start it: the first byte chooses the options, which streams are UTF-8
// terminals and whether the screen fails on the way (so the UTF-8 conversions
// of keyboard and screen, the texts of the options and the report of a lost
// screen are driven too); every other byte is typed at the keyboard, and the
// screen and the reports go nowhere. A run must end with the status its
// options ask for: normally or with a failed read for the dialogue (the input
// always ends, so every read eventually stops), or with a lost screen where
// the screen fails; a crash, a sanitizer finding, another exit status, or a
// screen that keeps growing without the program reading is reported by
// aborting. A run that neither reads nor writes is caught by the fuzzer's
// -timeout.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string_view>
#include <vector>

#include "shell/programa.hpp"
#include "terminal/terminal.hpp"

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

// A screen that can also fail as a closed pipe does, once `fails_after`
// bytes have gone through it.
class discarding_sink final : public lousa::output_sink {
public:
    explicit discarding_sink(std::size_t& written_since_read, std::size_t fails_after = SIZE_MAX)
        : written_since_read_(written_since_read), room_(fails_after) {}
    void put(std::string_view bytes) override {
        if (bytes.size() > room_) throw lousa::output_failure("Broken pipe");
        room_ -= bytes.size();
        written_since_read_ += bytes.size();
        if (written_since_read_ > screen_limit_between_reads) std::abort();  // writes without ever reading
    }

private:
    std::size_t& written_since_read_;
    std::size_t room_;
};

// The command lines the first byte's low three bits choose among, and the
// status each must end with when it shows a text instead of the dialogue.
struct command_line {
    std::vector<const char*> arguments;
    int status_without_dialogue = -1;  // -1: the dialogue runs
};
const std::array<command_line, 8> command_lines = {{
    {{}},
    {{"--cp850"}},
    {{"--utf8"}},
    {{"--utf8", "--cp850"}},
    {{"--cp850", "--utf8"}},
    {{"--help"}, lousa::status_normal},
    {{"--version", "--utf8"}, lousa::status_normal},
    {{"--ajuda"}, lousa::status_unknown_option},
}};

// The program as main() starts it, on the fuzzer's streams; bits 3 and 4 of
// the mode say which streams are UTF-8 terminals, whose locale is then UTF-8.
int run(std::uint8_t mode, lousa::input_source& keyboard, lousa::output_sink& screen, lousa::output_sink& err) {
    lousa::terminal::streams kinds;
    kinds.output_utf8_terminal = (mode & 8u) != 0;
    kinds.input_utf8_terminal = (mode & 16u) != 0;
    kinds.locale_utf8 = kinds.output_utf8_terminal || kinds.input_utf8_terminal;
    return lousa::run_command(command_lines[mode & 7u].arguments, kinds, keyboard, screen, err);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t mode = data[0];
    std::size_t written_since_read = 0;
    fuzz_input in(data + 1, size - 1, written_since_read);
    // Bit 5: the screen fails after 700, 1400, 2800 or 5600 bytes (bits 6, 7).
    const bool screen_fails = (mode & 32u) != 0;
    discarding_sink out(written_since_read, screen_fails ? std::size_t{700} << (mode >> 6) : SIZE_MAX);
    discarding_sink err(written_since_read);
    const int status = run(mode, in, out, err);
    const int without_dialogue = command_lines[mode & 7u].status_without_dialogue;
    const bool expected = (without_dialogue >= 0 ? status == without_dialogue
                                                  : status == lousa::status_normal || status == lousa::status_read_failed) ||
                          (screen_fails && status == lousa::status_output_failed);
    if (!expected) std::abort();
    return 0;
}
