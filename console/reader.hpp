#pragma once
// Keyboard answers, read as a stream of lines and split into values by the
// list rules (blanks, commas, semicolons and line ends separate; a slash ends
// the read; "r*value" repeats). Reading the characters is kept apart from
// converting them (console/reader_numbers.hpp).
//
// Input of any size is read in one pass through a small buffer: a line is
// never held whole, and a value keeps only what its conversion needs, so a
// line of a gigabyte costs time in proportion to it and no more memory than a
// short one.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "console/reader_numbers.hpp"
#include "console/streams.hpp"

namespace lousa::console {

// The report's message for a failure at item `item` (counting from 1).
std::string message_of(read_error error, int item);

struct read_outcome {
    read_error error = read_error::none;
    int item = 0;
};

// The input as a sequence of bytes and line ends. A line ends at a line feed,
// at a carriage return followed by a line feed, or at the end of the input; a
// carriage return before the end of the input belongs to the line end too.
class input_cursor {
public:
    static constexpr int end_of_input = -1;
    static constexpr int line_end = -2;
    static constexpr std::size_t buffer_size = 64 * 1024;

    input_cursor(input_source& in, std::function<void()> before_wait);

    // The byte at the cursor (0 to 255), line_end or end_of_input. Waits for
    // input only when nothing is buffered.
    int peek();
    // Past what peek() returned (nothing at the end of input).
    void advance();
    // The bytes buffered at the cursor, as they are (line ends not yet told
    // apart); waits for input only when nothing is buffered, and is empty at
    // the end of input. advance_by passes over the first n of them.
    std::string_view buffered();
    void advance_by(std::size_t n);
    void skip_blanks();
    // Past the next line end, or to the end of the input.
    void skip_line();

    // Bytes looked at so far, counting a byte again each time it is looked at
    // again: reading is linear when this stays a small multiple of the input.
    std::uint64_t bytes_examined() const { return examined_; }

private:
    bool fill_to(std::size_t count);

    input_source& in_;
    std::function<void()> before_wait_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;  // the bytes not yet read are buffer_[begin_, end_)
    std::size_t end_ = 0;
    std::size_t unit_ = 0;  // bytes that advance() passes over
    bool input_ended_ = false;
    std::uint64_t examined_ = 0;
};

class list_reader {
public:
    // before_wait runs whenever the reader has to wait for more input (the
    // screen must show every prompt before the program waits).
    list_reader(input_source& in, std::function<void()> before_wait) : cursor_(in, std::move(before_wait)) {}

    // Fills the targets in order; variables not reached (slash, null values)
    // keep their values. The rest of the last line read is then discarded,
    // also after a failure.
    read_outcome read(std::span<const read_target> targets);

    std::uint64_t bytes_examined() const { return cursor_.bytes_examined(); }

private:
    // The characters of one value, kept only as far as the targets it may
    // go to need them (a repeated value can go to targets of different kinds).
    class value_scan {
    public:
        explicit value_scan(std::span<const read_target> targets);
        void add(char c);
        void add(std::string_view chars);
        void restart();
        read_error store(const read_target& target) const;

    private:
        bool wants_integer_ = false;
        bool wants_real_ = false;
        std::size_t text_length_ = 0;
        integer_scan integer_;
        real_scan real_;
        std::string text_;
    };

    struct item {
        enum class kind : std::uint8_t { value, null, slash, failed } what = kind::null;
        std::int32_t repeat = 1;
        read_error error = read_error::none;
    };

    item next_item(std::span<const read_target> targets, value_scan& value);
    item scan_value(bool for_text, value_scan& value);
    void scan_quoted(char mark, value_scan& value);
    void scan_bare(bool for_text, value_scan& value);
    bool at_separator();

    input_cursor cursor_;
    bool in_line_ = false;  // a line has begun and its end is not yet passed
    enum class state : std::uint8_t { start, after_value, after_comma } state_ = state::start;
};

}  // namespace lousa::console
