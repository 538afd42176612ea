// UTF-8: the one decoder (codepage/cp850.hpp), and at the edge of the
// terminal typed UTF-8 to code page 850 and the code page 850 screen in UTF-8.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "terminal/bom.hpp"
#include "terminal/utf8.hpp"
#include "tests/doubles.hpp"

namespace {

using lousa::cp850_from_utf8;

struct decoding {
    const char* what;
    std::string utf8;
    std::string cp850;
};

TEST(Utf8Decoder, ConvertsEachCaseAsExpected) {
    const std::vector<decoding> cases = {
        {"ASCII unchanged", "Teste 1.5, 2\r\n", "Teste 1.5, 2\r\n"},
        {"two-byte letters", "A\xC3\xA7\xC3\xA3o", "A\x87\xC6o"},                 // Ação
        {"upper-case accents", "\xC3\x87\xC3\x83", "\x80\xC7"},                   // ÇÃ
        {"three-byte box drawing", "\xE2\x94\x80\xE2\x95\x90", "\xC4\xCD"},      // ─═
        {"no-break space and soft hyphen", "\xC2\xA0\xC2\xAD", "\xFF\xF0"},
        {"not in code page 850: euro", "P\xC3\xA9\xE2\x82\xAC", "P\x82?"},        // Pé€
        {"not in code page 850: Greek omega", "\xCE\xA9", "?"},
        {"not in code page 850: four bytes", "\xF0\x9F\x98\x80!", "?!"},          // an emoji
        {"stray continuation byte", "a\x80" "b", "a?b"},
        {"two stray continuation bytes", "\xA7\xA7", "??"},
        {"lead byte cut by ASCII", "\xC3" "a", "?a"},
        {"lead byte cut by a line end", "x\xC3\n", "x?\n"},
        {"three-byte sequence cut after two", "\xE2\x94" "a", "?a"},
        {"lead byte cut by another lead byte", "\xC3\xC3\xA7", "?\x87"},
        {"cut short at the end of input", "ab\xE2\x94", "ab?"},
        {"overlong two-byte form", "\xC0\xAF", "??"},
        {"overlong three-byte form", "\xE0\x80\xAF", "???"},
        {"surrogate", "\xED\xA0\x80", "???"},
        {"above U+10FFFF", "\xF4\x90\x80\x80", "????"},
        {"bytes never used in UTF-8", "\xF8\xFF\xFE", "???"},
        {"highest code point", "\xF4\x8F\xBF\xBF", "?"},
    };
    for (const decoding& c : cases) EXPECT_EQ(cp850_from_utf8(c.utf8), c.cp850) << c.what;
}

TEST(Utf8Decoder, EveryCodePage850CharacterComesBack) {
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(cp850_from_utf8(lousa::utf8_from_cp850(one)), one) << "byte " << b;
    }
}

// The program's own texts are decoded by the same rules when it is built.
static_assert(lousa::cp850_length("Aç€\xC3") == 4);

struct marked {
    const char* what;
    std::string raw;
    lousa::terminal::unmarked as;
    std::string cp850;
};

// The keyboard's bytes as the program reads them: UTF-8 where the terminal
// types it, decoded by a byte-order mark whatever the terminal is, and
// otherwise left as they came. Read a byte at a time, characters fall across
// reads: the decoder keeps a sequence open, and a read that completed no
// character reads on (giving back nothing would mean the end of the input).
TEST(Keyboard, DecodesMarkedOrUtf8InputAndLeavesTheRestAlone) {
    using enum lousa::terminal::unmarked;
    const marked cases[] = {
        {"no mark: every byte as it came", "3\r\nA\xC3\xA7\xE3o\n\xEF\xBB", bytes, "3\r\nA\xC3\xA7\xE3o\n\xEF\xBB"},
        {"no mark on a UTF-8 terminal", "A\xC3\xA7\xC3\xA3o\n", utf8, "A\x87\xC6o\n"},
        {"a mark's first bytes only", "\xFF", bytes, "\xFF"},
        {"empty", "", bytes, ""},
        {"a UTF-8 sequence cut short at the end", "ok\xC3", utf8, "ok?"},
        {"an interrupted UTF-8 sequence", "\xC3" "abcd", utf8, "?abcd"},
        {"a character code page 850 lacks", "P\xC3\xA9\xE2\x82\xAC\n", utf8, "P\x82?\n"},
        {"UTF-8 mark (Notepad)", "\xEF\xBB\xBF" "3\r\nA\xC3\xA7\xC3\xA3o\r\n", bytes, "3\r\nA\x87\xC6o\r\n"},
        {"UTF-8 mark on a UTF-8 terminal", "\xEF\xBB\xBF\xC3\xA9", utf8, "\x82"},
        {"UTF-16 LE mark (PowerShell 5)", std::string("\xFF\xFE" "3\0\r\0\n\0\xE7\0\xAC\x20", 12), bytes,
         "3\r\n\x87?"},
        {"UTF-16 BE mark", std::string("\xFE\xFF\0" "3\0\xE3\0\n", 8), bytes, "3\xC6\n"},
        {"UTF-16 pair and lone halves", std::string("\xFF\xFE\x3D\xD8\x00\xDE\x00\xDC" "1\0\x3D\xD8", 12), bytes,
         "??1?"},
        {"UTF-16 cut in the middle of a unit", std::string("\xFF\xFE" "1\0" "2", 5), bytes, "1?"},
        {"no mark, a file: Notepad's UTF-8", "3\r\nA\xC3\xA7\xC3\xA3o\r\n\xC3\xA9", guessed, "3\r\nA\x87\xC6o\r\n\x82"},
        {"no mark, a file: code page 850", "3\nA\x87\xC6o\n\xC3\xA7", guessed, "3\nA\x87\xC6o\n\xC3\xA7"},
        {"no mark, a file: UTF-8 of a character code page 850 lacks", "x\xE2\x82\xAC\xC3\xA7", guessed, "x\xE2\x82\xAC\xC3\xA7"},
        {"no mark, a file: a lead byte cut short at the end", "ok\xC3", guessed, "ok\xC3"},
        {"a file with a UTF-16 mark", std::string("\xFE\xFF\0\xE3", 4), guessed, "\xC6"},
    };
    for (const marked& c : cases)
        for (const std::size_t piece : {std::size_t{1}, std::size_t{4096}}) {
            lousa::testing::text_input raw(c.raw, piece);
            lousa::terminal::marked_input in(raw, c.as);
            EXPECT_EQ(lousa::testing::read_all(in, 3), c.cp850) << c.what << ", " << piece << "-byte reads";
        }
}

// Portuguese words in code page 850 are never taken for UTF-8: a code page
// 850 accented letter is a UTF-8 lead byte only when another accented letter
// follows it, and no word has the pairs that would make one.
TEST(Keyboard, CodePage850WordsDoNotPassForUtf8) {
    for (const char* word : {"ação", "AÇÃO", "não", "SÃO", "fêmeas", "ÊXITO", "média", "análise", "três", "põe",
                             "PÕE", "ÍNDICE", "Óleo", "ÚTIL", "útil", "avô", "à", "lingüiça", "coração", "órgão"}) {
        const std::string cp850 = cp850_from_utf8(word) + "\n";
        lousa::testing::text_input raw(cp850, 4096);
        lousa::terminal::marked_input in(raw, lousa::terminal::unmarked::guessed);
        EXPECT_EQ(lousa::testing::read_all(in, 3), cp850) << word;
    }
}

TEST(Utf8Output, ShowsTheCodePage850ScreenInUtf8) {
    lousa::testing::string_sink terminal;
    lousa::terminal::utf8_output out(terminal);
    out.put(" *APLICA\x80\xC7O* \xB3\n");
    EXPECT_EQ(terminal.text, " *APLICAÇÃO* │\n");
}

}  // namespace
