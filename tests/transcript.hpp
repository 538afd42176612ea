#pragma once
// Whole-session transcripts: a readable file of typed answers and the exact
// screen they produce, replayed against the program in-process.
//
// File format (UTF-8; the program's code page 850 output is converted before
// comparing):
//   # comment                 ignored
//   ! app N                   run application N alone (no menu, no end question)
//   ! stop: MESSAGE           the run ends with this failed-read message
//   > typed text              one line typed at the keyboard
//   >                         an empty typed line
//   anything else             one expected screen line, exactly (trailing
//                             blanks count; an empty line is an empty line)
// Every screen line starts with a blank or is empty, so the markers never
// clash with screen text. The typed lines stand where the program reads them:
// the screen before a typed line must be on the screen when the program asks
// for that line.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "console/console.hpp"

namespace lousa::testing {

// The bytes that end a screen line: the Windows program writes CR LF where
// the POSIX one writes LF, and nothing else differs. Transcripts are written
// with LF; a screen is split on this, so a bare LF or a doubled CR on Windows
// shows up as a wrong line.
#ifdef _WIN32
inline constexpr std::string_view platform_line_end = "\r\n";
#else
inline constexpr std::string_view platform_line_end = "\n";
#endif

// Screen bytes kept in memory, as the program wrote them (code page 850).
class string_sink final : public output_sink {
public:
    void put(std::string_view bytes) override { text += bytes; }
    std::string text;
};

struct transcript {
    std::string name;
    int app = 0;  // 0: the whole shell
    std::vector<std::string> screen;
    struct typed {
        std::string text;
        std::size_t screen_lines_before;
    };
    std::vector<typed> input;
    std::string stop_message;  // empty: the run must end normally
};

transcript parse_transcript(const std::string& name, const std::string& text);

struct replay_result {
    std::vector<std::string> screen;  // UTF-8, one entry per screen line
    std::string stop_message;
    std::string problems;  // dialogue-order faults found while replaying
};

replay_result replay(const transcript& t);

// Every transcript file (*.txt) under `root`, in name order.
std::vector<std::filesystem::path> transcript_files(const std::filesystem::path& root);
// A transcript read from its file.
transcript read_transcript(const std::filesystem::path& file);
// A test name for a transcript file: its path below `root`, letters and
// digits kept, anything else as '_'.
std::string transcript_test_name(const std::filesystem::path& root, const std::filesystem::path& file);

}  // namespace lousa::testing
