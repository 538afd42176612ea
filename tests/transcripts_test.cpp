// Replays every transcript file under tests/transcripts.

#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

#include "tests/transcript.hpp"

namespace lousa::testing {
namespace {

namespace fs = std::filesystem;

class Transcript : public ::testing::TestWithParam<fs::path> {};

TEST_P(Transcript, ScreenMatches) {
    const transcript t = read_transcript(GetParam());
    const replay_result r = replay(t);

    EXPECT_EQ(r.problems, "");
    EXPECT_EQ(r.stop_message, t.stop_message);
    const std::size_t common = std::min(r.screen.size(), t.screen.size());
    for (std::size_t k = 0; k < common; ++k) {
        if (r.screen[k] != t.screen[k]) {
            ADD_FAILURE() << "screen line " << k + 1 << " differs\n  expected: [" << t.screen[k] << "]\n  actual:   ["
                          << r.screen[k] << "]";
            break;
        }
    }
    EXPECT_EQ(r.screen.size(), t.screen.size()) << "screen line count differs";
}

INSTANTIATE_TEST_SUITE_P(Files, Transcript, ::testing::ValuesIn(transcript_files()), transcript_test_name());

// The harness itself refuses what it could not check.
TEST(TranscriptHarness, ATypedLineLongerThanTheReadersBufferFails) {
    const transcript t = parse_transcript("long", "! app 3\n> " + std::string(100000, '1') + "\n");
    EXPECT_NE(replay(t).problems.find("typed line 1 is longer than the reader's buffer"), std::string::npos);
}

TEST(TranscriptHarness, AScreenWithoutItsLastLineEndFails) {
    std::string problems;
    const std::string screen = " first" + std::string(line_end) + " second";
    EXPECT_EQ(screen_lines(screen, problems), (std::vector<std::string>{" first", " second"}));
    EXPECT_EQ(problems, "the screen's last line has no line end: \" second\"\n");
    problems.clear();
    screen_lines(screen + std::string(line_end), problems);
    EXPECT_EQ(problems, "");
}

}  // namespace
}  // namespace lousa::testing
