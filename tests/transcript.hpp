#pragma once
// Whole-session transcripts: a readable file of typed answers and the exact
// screen they produce, replayed against the program in-process.
//
// File format (UTF-8; the program's code page 850 output is converted before
// comparing):
//   # comment                 ignored
//   ! app N                   run application N alone (no menu, no end question)
//   ! tabela                  with the table blocks on the screen (--tabela)
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

// Screen bytes kept in memory, as the program wrote them (code page 850).
class string_sink final : public output_sink {
public:
    void put(std::string_view bytes) override { text += bytes; }
    std::string text;
};

struct transcript {
    std::string name;
    int app = 0;  // 0: the whole shell
    bool table = false;
    std::vector<std::string> screen;
    struct typed {
        std::string text;
        std::size_t screen_lines_before;
    };
    std::vector<typed> input;
    std::string stop_message;  // empty: the run must end normally
};

transcript parse_transcript(const std::string& name, const std::string& text);

// The typed lines of a transcript, each ended by "\n".
std::string typed_text(const transcript& t);

struct replay_result {
    std::vector<std::string> screen;  // UTF-8, one entry per screen line
    std::string stop_message;
    std::string problems;  // faults found while replaying, one a line
};

replay_result replay(const transcript& t);

// The lines of a screen (code page 850) in UTF-8, each without its line end.
// The Windows program ends a line with CR LF where the POSIX one writes LF,
// and the screen is split on the platform's own, so a bare LF or a doubled CR
// on Windows shows up as a wrong line. A last line without its line end is
// added to `problems`: every line the program writes is a whole line.
std::vector<std::string> screen_lines(std::string_view cp850, std::string& problems);

// The bytes of a file.
std::string read_file(const std::filesystem::path& file);
// The lines of a text, each without its line end (a last line without one too).
std::vector<std::string> split_lines(std::string_view text, std::string_view end_of_line = "\n");
// The lines, each followed by "\n".
std::string join_lines(const std::vector<std::string>& lines);

// Every transcript file (*.txt) under tests/transcripts, in name order; or
// only those of whole runs of the program (menu, applications, end question).
std::vector<std::filesystem::path> transcript_files();
std::vector<std::filesystem::path> whole_run_files();
// A transcript read from its file.
transcript read_transcript(const std::filesystem::path& file);
// A test name for a transcript file: its path below tests/transcripts,
// letters and digits kept, anything else as '_'.
std::string transcript_name(const std::filesystem::path& file);
struct transcript_test_name {
    template <class TestParamInfo>
    std::string operator()(const TestParamInfo& info) const { return transcript_name(info.param); }
};

// The root of the sources (examples/, the programs' sources).
std::filesystem::path source_root();

}  // namespace lousa::testing
