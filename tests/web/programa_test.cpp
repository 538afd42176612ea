// Built with Emscripten and run under Node (`make web`): every transcript of
// a whole run through the whole program, as the page runs it —
// run_program on the page's keyboard (typed_lines). Checked: the screen,
// the exit status and the two-line report of a failed read.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "shell/programa.hpp"
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
    r.status = run_program(keyboard, screen, report);
    std::string problems;
    r.screen = screen_lines(screen.text, problems);
    EXPECT_EQ(problems, "");
    r.report = report.text;
    return r;
}

// The report's first line names the read: its line, in a source file given
// relative to the source root. That line of that file must hold a read.
void expect_report(const std::string& report, const std::string& message) {
    int line = 0;
    char file[256] = {};
    ASSERT_EQ(std::sscanf(report.c_str(), "At line %d of file %255s", &line, file), 2) << report;
    EXPECT_EQ(report, "At line " + std::to_string(line) + " of file " + file +
                          " (unit = 5, file = 'stdin')\nConsole error: " + message + "\n");
    ASSERT_FALSE(fs::path(file).is_absolute()) << file;
    const std::vector<std::string> source = split_lines(read_file(source_root() / file));
    ASSERT_GE(line, 1);
    ASSERT_LE(static_cast<std::size_t>(line), source.size()) << file;
    EXPECT_NE(source[static_cast<std::size_t>(line) - 1].find("read("), std::string::npos)
        << file << ":" << line << " is not a read";
}

class WholeProgram : public ::testing::TestWithParam<fs::path> {};

TEST_P(WholeProgram, ScreenStatusAndReport) {
    const transcript t = read_transcript(GetParam());
    const run r = run_program(split_lines(typed_text(t)));
    EXPECT_EQ(r.screen, t.screen);
    if (t.stop_message.empty()) {
        EXPECT_EQ(r.status, status_normal);
        EXPECT_EQ(r.report, "");
    } else {
        EXPECT_EQ(r.status, status_read_failed);
        expect_report(r.report, t.stop_message);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, WholeProgram, ::testing::ValuesIn(whole_run_files()), transcript_test_name());

// A read that fails inside an application names that application's source.
TEST(WholeProgram, AFailedReadInAnApplicationIsReportedWithStatusTwo) {
    const run r = run_program({"3", "1", "2", "10 x"});
    EXPECT_EQ(r.status, status_read_failed);
    expect_report(r.report, "Bad real number in item 2 of list input");
    EXPECT_NE(r.report.find("of file parametric/teste_t_pareado.cpp "), std::string::npos) << r.report;
}

}  // namespace
}  // namespace lousa::testing
