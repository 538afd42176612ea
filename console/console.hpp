#pragma once
// The one console of the program: every screen line and every keyboard answer
// passes through it. Output is buffered and reaches the screen before the
// program waits for an answer.
//
//   con.write("(1x, 64(\"*\"), a1)"_layout, bra);  // a layout write
//   con.line("Digitar dado numero "_t, j);         // a free-form write
//   con.line();                                    // an empty line
//   con.read(xa[j], xd[j]);                        // a free-form read

#include <array>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>

#include "codepage/texto.hpp"
#include "console/format.hpp"
#include "console/layout.hpp"
#include "console/real.hpp"
#include "console/source_location.hpp"
#include "console/streams.hpp"

namespace lousa {

namespace console {
class list_reader;  // console/reader.hpp, known only to the console's own code
}

using console::layout_string;

// An answer that cannot be read stops the program: the shell's caller reports
// it (where the read is in the source, and why) and ends with status 2.
class read_stop : public std::runtime_error {
public:
    read_stop(source_location where, const std::string& message)
        : std::runtime_error(message), where_(where) {}
    const source_location& where() const { return where_; }

private:
    source_location where_;
};

// The two report lines of a stopped read (each ended by a line end).
std::string stop_report(const read_stop& stop);

// One variable of a free-form read; the first one also records where the read
// is in the program, for the report of a failed read.
class read_variable {
public:
    read_variable(std::int32_t& v, source_location w = source_location::current())  // NOLINT
        : target_(&v), where_(w) {}
    read_variable(real& v, source_location w = source_location::current())  // NOLINT
        : target_(&v), where_(w) {}
    template <std::size_t N>
    read_variable(texto_fixo<N>& v, source_location w = source_location::current())  // NOLINT
        : target_(std::span<char>(v.data)), where_(w) {}

    const read_target& target() const { return target_; }
    const source_location& where() const { return where_; }

private:
    read_target target_;
    source_location where_;
};

class console_io {
public:
    console_io(input_source& in, output_sink& out);
    // Whatever is still pending is written; a failure here can no longer be
    // reported, and a destructor must not throw.
    ~console_io() noexcept;
    console_io(const console_io&) = delete;
    console_io& operator=(const console_io&) = delete;

    // A layout write: one or more complete screen lines. The values are
    // checked against the layout's fields when the program is built.
    template <utf8_literal Layout, class... Values>
    void write(layout_string<Layout> layout, const Values&... values) {
        static_assert(console::fits<Values...>(layout.parsed()));
        const std::array<console::value, sizeof...(Values)> list{as_value(values)...};
        console::append_layout(pending_, layout.parsed(), list, line_end);
        written();
    }

    // A free-form write: exactly one screen line (empty without values).
    template <class... Values>
    void line(const Values&... values) {
        const std::array<console::value, sizeof...(Values)> list{as_value(values)...};
        console::append_free_line(pending_, list, line_end);
        written();
    }

    // A free-form read: fills the variables from the keyboard, or stops the
    // program when an answer cannot be read.
    template <class... Rest>
    void read(read_variable first, Rest&... rest) {
        const std::array<read_target, 1 + sizeof...(Rest)> targets{first.target(), read_variable(rest).target()...};
        read_list(targets, first.where());
    }

    void flush();

private:
    template <class T>
    static console::value as_value(const T& v) {
        if constexpr (std::is_convertible_v<const T&, texto>) return console::make_value(texto(v));
        else return console::make_value(v);
    }
    void read_list(std::span<const read_target> targets, const source_location& where);
    // A long result screen goes out in pieces of about this size rather than
    // growing one buffer until the next wait for an answer.
    static constexpr std::size_t flush_threshold = 32 * 1024;
    void written() {
        if (pending_.size() >= flush_threshold) flush();
    }

    output_sink& out_;
    // Behind a pointer, so that a change to the reader recompiles the
    // console's own code only, not every application.
    std::unique_ptr<console::list_reader> reader_;
    std::string pending_;
};

}  // namespace lousa
