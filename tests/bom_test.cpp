// Answers files with a byte-order mark: decoded to code page 850 whatever the
// terminal is; without a mark, the bytes pass as before.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "terminal/bom.hpp"
#include "tests/run_binary.hpp"
#include "tests/text_input.hpp"
#include "tests/transcript.hpp"

namespace {

struct marked {
    const char* what;
    std::string raw;
    bool utf8_unmarked;  // a UTF-8 terminal or --utf8
    std::string cp850;
};

std::string read_all(lousa::input_source& in) {
    std::string all;
    char buffer[3];  // small reads: characters fall across them
    while (const std::size_t n = in.read_some(buffer, sizeof buffer)) all.append(buffer, n);
    return all;
}

TEST(ByteOrderMark, DecodesMarkedInputAndLeavesTheRestAlone) {
    const marked cases[] = {
        {"no mark: every byte as it came", "3\r\nA\xC3\xA7\xE3o\n\xEF\xBB", false, "3\r\nA\xC3\xA7\xE3o\n\xEF\xBB"},
        {"no mark on a UTF-8 terminal", "A\xC3\xA7\xC3\xA3o\n", true, "A\x87\xC6o\n"},
        {"a mark's first bytes only", "\xFF", false, "\xFF"},
        {"empty", "", false, ""},
        {"a UTF-8 sequence cut short at the end", "ok\xC3", true, "ok?"},
        {"an interrupted UTF-8 sequence", "\xC3" "abcd", true, "?abcd"},
        {"a character code page 850 lacks", "P\xC3\xA9\xE2\x82\xAC\n", true, "P\x82?\n"},
        {"UTF-8 mark (Notepad)", "\xEF\xBB\xBF" "3\r\nA\xC3\xA7\xC3\xA3o\r\n", false, "3\r\nA\x87\xC6o\r\n"},
        {"UTF-8 mark on a UTF-8 terminal", "\xEF\xBB\xBF\xC3\xA9", true, "\x82"},
        {"UTF-16 LE mark (PowerShell 5)", std::string("\xFF\xFE" "3\0\r\0\n\0\xE7\0\xAC\x20", 12), false,
         "3\r\n\x87?"},
        {"UTF-16 BE mark", std::string("\xFE\xFF\0" "3\0\xE3\0\n", 8), false, "3\xC6\n"},
        {"UTF-16 pair and lone halves", std::string("\xFF\xFE\x3D\xD8\x00\xDE\x00\xDC" "1\0\x3D\xD8", 12), false,
         "??1?"},
        {"UTF-16 cut in the middle of a unit", std::string("\xFF\xFE" "1\0" "2", 5), false, "1?"},
    };
    for (const marked& c : cases)
        for (const std::size_t piece : {std::size_t{1}, std::size_t{4096}}) {
            lousa::testing::text_input raw(c.raw, piece);
            lousa::terminal::marked_input in(raw, c.utf8_unmarked);
            EXPECT_EQ(read_all(in), c.cp850) << c.what << ", " << piece << "-byte reads";
        }
}

// UTF-8 as Windows PowerShell 5's `>` saves it: a mark, then UTF-16 LE with
// CR LF line ends (the characters of the examples are all below U+10000).
std::string as_powershell_saves(const std::string& utf8) {
    std::string utf16 = "\xFF\xFE";
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : 2;
        char32_t code = extra == 0 ? lead : lead & (extra == 1 ? 0x1Fu : 0x0Fu);
        for (std::size_t k = 1; k <= extra; ++k) code = code << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3Fu);
        i += extra + 1;
        if (code == '\n') utf16 += std::string("\r\0", 2);
        utf16 += static_cast<char>(code & 0xFF);
        utf16 += static_cast<char>(code >> 8);
    }
    return utf16;
}

// Today's Windows tools save an example's answers with a mark; the program
// still prints the example's screen.
TEST(ByteOrderMark, AnswersSavedByWindowsToolsPrintTheExamplesScreen) {
    const std::filesystem::path example =
        std::filesystem::path(LOUSA_TRANSCRIPTS).parent_path().parent_path() / "examples" / "03-teste-t-pareado";
    const std::string answers = lousa::testing::read_file(example.string() + ".txt");
    const std::string screen = lousa::testing::platform_lines(lousa::testing::read_file(example.string() + ".tela"));
    for (const std::string& saved : {"\xEF\xBB\xBF" + answers, as_powershell_saves(answers)}) {
        const lousa::testing::run_result r = lousa::testing::run_program(saved);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_TRUE(r.out == screen) << "mark " << saved.substr(0, 2);
    }
}

}  // namespace
