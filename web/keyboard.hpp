#pragma once
// The page's keyboard: whole lines typed on the input line, handed to the
// console as the bytes a console in code page 850 would send, each line ended
// by a line end. What the student types arrives as UTF-8; a character the code
// page lacks becomes '?', as a console that cannot encode it would send.

#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "console/streams.hpp"
#include "codepage/cp850.hpp"

namespace lousa::web {

class typed_lines final : public input_source {
public:
    // The next typed line (UTF-8, without its line end), or nothing when the
    // input has ended. In the page this waits for the student.
    using line_source = std::function<std::optional<std::string>()>;

    explicit typed_lines(line_source next) : next_(std::move(next)) {}

    std::size_t read_some(char* buffer, std::size_t capacity) override {
        if (at_ == line_.size()) {
            const std::optional<std::string> typed = next_();
            if (!typed) return 0;
            line_ = cp850_from_utf8(*typed);
            line_ += '\n';
            at_ = 0;
        }
        const std::size_t n = std::min(capacity, line_.size() - at_);
        std::memcpy(buffer, line_.data() + at_, n);
        at_ += n;
        return n;
    }

private:
    line_source next_;
    std::string line_;  // code page 850 bytes of the line being read
    std::size_t at_ = 0;
};

}  // namespace lousa::web
