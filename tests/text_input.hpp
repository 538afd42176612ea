#pragma once
// Typed answers from a string, for tests of the reader and the console: at
// most `piece` bytes a read (so that values and line ends fall across the
// reader's refills when asked), then the end of the input.

#include <algorithm>
#include <cstddef>
#include <limits>
#include <string>
#include <utility>

#include "console/streams.hpp"

namespace lousa::testing {

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

}  // namespace lousa::testing
