// Replays every transcript file under tests/transcripts.

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "tests/transcript.hpp"

namespace lousa::testing {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> transcript_files() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(LOUSA_TRANSCRIPTS))
        if (entry.is_regular_file() && entry.path().extension() == ".txt") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

class Transcript : public ::testing::TestWithParam<fs::path> {};

TEST_P(Transcript, ScreenMatches) {
    std::ifstream file(GetParam(), std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    const transcript t = parse_transcript(GetParam().string(), text.str());
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

std::string test_name(const ::testing::TestParamInfo<fs::path>& info) {
    std::string name = fs::relative(info.param, LOUSA_TRANSCRIPTS).replace_extension().string();
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Files, Transcript, ::testing::ValuesIn(transcript_files()), test_name);

}  // namespace
}  // namespace lousa::testing
