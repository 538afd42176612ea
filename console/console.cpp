#include "console/console.hpp"

#include "console/reader.hpp"

namespace lousa {
namespace {

// The source file of a read, relative to the source root.
std::string_view source_path(const source_location& where) {
    std::string_view path = where.file_name();
#ifdef LOUSA_SOURCE_ROOT
    constexpr std::string_view root = LOUSA_SOURCE_ROOT;
    if (path.starts_with(root)) path.remove_prefix(root.size());
#endif
    return path;
}

}  // namespace

console_io::console_io(input_source& in, output_sink& out)
    : out_(out), reader_(std::make_unique<console::list_reader>(in, [this] { flush(); })) {}

console_io::~console_io() noexcept {
    try {
        flush();
    } catch (...) {  // NOLINT(bugprone-empty-catch)
    }
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

std::string stop_report(const read_stop& stop) {
    std::string report = "At line " + std::to_string(stop.where().line()) + " of file ";
    report += source_path(stop.where());
    report += " (unit = 5, file = 'stdin')";
    report += line_end;
    report += "Console error: ";
    report += stop.what();
    report += line_end;
    return report;
}

}  // namespace lousa
