#pragma once
// Keyboard answers, read as a stream of lines and split into values by the
// list rules (blanks, commas, semicolons and line ends separate; a slash ends
// the read; "r*value" repeats). Reading the characters is kept apart from
// converting them: the conversions are pure functions of one token.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace lousa::console {

enum class read_error : std::uint8_t {
    none,
    bad_integer,
    integer_overflow,
    bad_real,
    bad_string,
    zero_repeat,
    repeat_overflow,
    end_of_file,
};

// The report's message for a failure at item `item` (counting from 1).
std::string message_of(read_error error, int item);

struct integer_result {
    read_error error = read_error::none;
    std::int32_t value = 0;
};
struct real_result {
    read_error error = read_error::none;
    float value = 0.0f;
};

integer_result parse_integer(std::string_view token);
real_result parse_real(std::string_view token);

// Where keyboard bytes come from: standard input, or a test's script.
class input_source {
public:
    virtual ~input_source() = default;
    // Up to `capacity` bytes; 0 at the end of input. May block.
    virtual std::size_t read_some(char* buffer, std::size_t capacity) = 0;
};

// A variable to be filled by a read.
struct read_target {
    enum class kind : std::uint8_t { integer, real, text } what;
    void* where;
    std::size_t length = 0;  // texts: the variable's fixed length
};

struct read_outcome {
    read_error error = read_error::none;
    int item = 0;
};

class list_reader {
public:
    // before_wait runs whenever the reader has to wait for more input (the
    // screen must show every prompt before the program waits).
    list_reader(input_source& in, std::function<void()> before_wait)
        : in_(in), before_wait_(std::move(before_wait)) {}

    // Fills the targets in order; variables not reached (slash, null values)
    // keep their values. The rest of the last line read is then discarded.
    read_outcome read(std::span<const read_target> targets);

private:
    struct item {
        enum class kind : std::uint8_t { value, null, slash, failed } what = kind::null;
        std::string token;
        bool quoted = false;
        std::int32_t repeat = 1;
        read_error error = read_error::none;

        static item of(kind k) {
            item it;
            it.what = k;
            return it;
        }
        static item failure(read_error e) {
            item it = of(kind::failed);
            it.error = e;
            return it;
        }
    };

    item next_item(bool for_text);
    item scan_value(bool for_text);
    bool at_separator() const;
    bool fetch_line();

    input_source& in_;
    std::function<void()> before_wait_;
    std::string buffer_;  // bytes received but not yet split into lines
    bool input_ended_ = false;
    std::string line_;
    std::size_t col_ = 0;
    bool have_line_ = false;
    enum class state : std::uint8_t { start, after_value, after_comma } state_ = state::start;
};

}  // namespace lousa::console
