#pragma once
// The tests' stand-ins for the program's streams: typed answers from a
// string, a screen kept in memory, a full disk; and everything a source gives.

#include <algorithm>
#include <cstddef>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "console/streams.hpp"

namespace lousa::testing {

// Typed answers from a string: at most `piece` bytes a read (so that values
// and line ends fall across the reader's refills when asked), then the end.
class text_input final : public input_source {
public:
    explicit text_input(std::string text, std::size_t piece = std::numeric_limits<std::size_t>::max())
        : text_(std::move(text)), piece_(piece) {}

    std::size_t read_some(char* buffer, std::size_t capacity) override {
        ++waits;
        const std::size_t n = std::min({capacity, piece_, text_.size() - pos_});
        text_.copy(buffer, n, pos_);
        pos_ += n;
        return n;
    }

    int waits = 0;  // reads asked for, the one that found the end included

private:
    std::string text_;
    std::size_t piece_;
    std::size_t pos_ = 0;
};

// Everything a source gives, read `capacity` bytes at a time.
inline std::string read_all(input_source& in, std::size_t capacity) {
    std::string all;
    std::vector<char> buffer(capacity);
    while (const std::size_t n = in.read_some(buffer.data(), capacity)) all.append(buffer.data(), n);
    return all;
}

// Screen bytes kept in memory as the program wrote them (code page 850), and
// each write apart.
struct string_sink final : output_sink {
    void put(std::string_view bytes) override {
        text += bytes;
        writes.emplace_back(bytes);
    }
    std::string text;
    std::vector<std::string> writes;
};

// A screen on a full disk: every write fails.
struct failing_sink final : output_sink {
    void put(std::string_view) override {
        ++tries;
        throw output_failure("No space left on device");
    }
    int tries = 0;
};

}  // namespace lousa::testing
