// Built with Emscripten and run under Node (`make web`): every transcript
// through the whole program, as the page runs it — executa_programa on the
// page's keyboard (typed_lines). A transcript of one application is reached
// from the menu: its code, the confirmation 1, its typed lines and, when it
// ends normally, zero for the end question. Checked: the screen, the exit
// status and the two-line report of a failed read.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "shell/programa.hpp"
#include "common/textos.hpp"
#include "tests/transcript.hpp"
#include "web/keyboard.hpp"

namespace lousa::testing {
namespace {

namespace fs = std::filesystem;

struct run {
    int status = -1;
    std::vector<std::string> screen;  // UTF-8
    std::string report;
};

run run_program(const std::vector<std::string>& typed) {
    std::size_t next = 0;
    web::typed_lines keyboard([&]() -> std::optional<std::string> {
        if (next == typed.size()) return std::nullopt;
        return typed[next++];
    });
    string_sink screen, report;
    run r;
    r.status = executa_programa(keyboard, screen, report);
    std::string problems;
    r.screen = screen_lines(screen.text, problems);
    EXPECT_EQ(problems, "");
    r.report = report.text;
    return r;
}

// What the shell shows around one application, taken from the transcript of
// a whole run of code 3: the screen before the application starts, and the
// end question after it.
struct shell_frame {
    std::vector<std::string> before, after;
};

shell_frame frame_from_whole_run() {
    const transcript t = read_transcript(fs::path(LOUSA_TRANSCRIPTS) / "shell" / "paired_t_from_menu.txt");
    shell_frame f;
    const std::size_t app_starts = t.input.at(1).screen_lines_before;  // after "3" and the confirmation "1"
    const std::size_t end_question = t.input.back().screen_lines_before - 5;
    f.before.assign(t.screen.begin(), t.screen.begin() + static_cast<long>(app_starts));
    f.after.assign(t.screen.begin() + static_cast<long>(end_question), t.screen.end());
    return f;
}

// The report's first line names the read: its line, in a source file given
// relative to the source root. That line of that file must hold a read.
void expect_report(const std::string& report, const std::string& message) {
    const std::vector<std::string> lines = split_lines(report);
    ASSERT_EQ(lines.size(), 2u) << report;
    EXPECT_EQ(lines[1], "Console error: " + message);
    const std::string head = "At line ", middle = " of file ", tail = " (unit = 5, file = 'stdin')";
    ASSERT_TRUE(lines[0].starts_with(head) && lines[0].ends_with(tail)) << lines[0];
    const std::size_t of = lines[0].find(middle);
    ASSERT_NE(of, std::string::npos) << lines[0];
    const int line = std::stoi(lines[0].substr(head.size(), of - head.size()));
    const std::string file = lines[0].substr(of + middle.size(), lines[0].size() - tail.size() - of - middle.size());
    ASSERT_FALSE(fs::path(file).is_absolute()) << file;
    const std::vector<std::string> source = split_lines(read_file(fs::path(LOUSA_ROOT) / file));
    ASSERT_GE(line, 1);
    ASSERT_LE(static_cast<std::size_t>(line), source.size()) << file;
    EXPECT_NE(source[static_cast<std::size_t>(line) - 1].find("read("), std::string::npos)
        << file << ":" << line << " is not a read";
}


// The screen a whole run shows for a transcript: for one application, the
// shell's menu and confirmation (naming that application), its screen, and the
// end question unless the run stops.
std::vector<std::string> whole_run_screen(const transcript& t) {
    if (t.app == 0) return t.screen;
    static const shell_frame frame = frame_from_whole_run();
    std::vector<std::string> screen = frame.before;
    const std::string chosen = " ** Voce escolheu ";
    const std::string title = utf8_from_cp850(textos::aplic.at(static_cast<std::size_t>(t.app)).view().substr(0, 36));
    for (std::string& line : screen)
        if (line.starts_with(chosen)) line = chosen + title + "**";
    screen.insert(screen.end(), t.screen.begin(), t.screen.end());
    if (t.stop_message.empty()) screen.insert(screen.end(), frame.after.begin(), frame.after.end());
    return screen;
}

std::vector<std::string> whole_run_typing(const transcript& t) {
    std::vector<std::string> typed;
    if (t.app != 0) typed = {std::to_string(t.app), "1"};
    for (const auto& line : t.input) typed.push_back(line.text);
    if (t.app != 0 && t.stop_message.empty()) typed.push_back("0");
    return typed;
}

class WholeProgram : public ::testing::TestWithParam<fs::path> {};

TEST_P(WholeProgram, ScreenStatusAndReport) {
    const transcript t = read_transcript(GetParam());
    const run r = run_program(whole_run_typing(t));
    EXPECT_EQ(r.screen, whole_run_screen(t));
    if (t.stop_message.empty()) {
        EXPECT_EQ(r.status, status_normal);
        EXPECT_EQ(r.report, "");
    } else {
        EXPECT_EQ(r.status, status_read_failed);
        expect_report(r.report, t.stop_message);
    }
}

std::string test_name(const ::testing::TestParamInfo<fs::path>& info) {
    return transcript_test_name(LOUSA_TRANSCRIPTS, info.param);
}

INSTANTIATE_TEST_SUITE_P(Files, WholeProgram, ::testing::ValuesIn(transcript_files(LOUSA_TRANSCRIPTS)), test_name);

TEST(WholeProgram, EveryApplicationIsReachedFromTheMenu) {
    std::vector<bool> seen(17, false);
    for (const fs::path& p : transcript_files(LOUSA_TRANSCRIPTS)) {
        const transcript t = read_transcript(p);
        if (t.app >= 1 && t.app <= 16) seen[static_cast<std::size_t>(t.app)] = true;
    }
    for (int app = 1; app <= 16; ++app) EXPECT_TRUE(seen[static_cast<std::size_t>(app)]) << "application " << app;
}

TEST(WholeProgram, AFailedReadAtTheMenuIsReportedWithStatusTwo) {
    const run r = run_program({"x"});
    EXPECT_EQ(r.status, status_read_failed);
    expect_report(r.report, "Bad integer for item 1 in list input");
    EXPECT_NE(r.report.find("of file shell/shell.cpp "), std::string::npos) << r.report;
}

TEST(WholeProgram, TheEndOfInputIsReportedWithStatusTwo) {
    const run r = run_program({});
    EXPECT_EQ(r.status, status_read_failed);
    expect_report(r.report, "End of file");
    EXPECT_FALSE(r.screen.empty());
}

}  // namespace
}  // namespace lousa::testing
