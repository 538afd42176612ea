#include "console/console.hpp"

#include "console/reader.hpp"

namespace lousa {
console_io::console_io(input_source& in, output_sink& out)
    : out_(out), reader_(new console::list_reader(in, [this] { flush(); })) {}  // NOLINT(cppcoreguidelines-owning-memory)

console_io::~console_io() noexcept {
    try {
        flush();
    } catch (...) {  // NOLINT(bugprone-empty-catch)
    }
    delete reader_;  // NOLINT(cppcoreguidelines-owning-memory)
}

void console_io::flush() {
    if (pending_.empty()) return;
    // The buffer is emptied whether or not the write succeeds (a failed write
    // is not tried again) and keeps its capacity for the next screen.
    struct empty_after {
        std::string& bytes;
        ~empty_after() { bytes.clear(); }
    } empty{pending_};
    out_.put(pending_);
}

void console_io::read_list(std::span<const read_target> targets, const source_location& where) {
    console::read_outcome outcome;
    try {
        outcome = reader_->read(targets);
    } catch (const input_failure& failure) {
        throw read_stop(where, failure.what());
    }
    if (outcome.error != console::read_error::none)
        throw read_stop(where, console::message_of(outcome.error, outcome.item));
}

std::string fixed_text(real v, int decimals) {
    std::string field;
    console::detail::append_fixed_field(field, v.value(), 40, decimals);
    field.erase(0, field.find_first_not_of(' '));
    return field;
}

std::string stop_report(const read_stop& stop) {
    std::string report = "At line " + std::to_string(stop.where().line()) + " of file ";
    report += stop.where().file_name();  // relative: the build maps the source root away
    report += " (unit = 5, file = 'stdin')";
    report += line_end;
    report += "Console error: ";
    report += stop.what();
    report += line_end;
    return report;
}

}  // namespace lousa
