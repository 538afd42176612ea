// The page's keyboard: typed UTF-8 lines become the code page 850 bytes of a
// console (by the terminal's conversion, tested in tests/utf8_test.cpp), one
// line at a time, in pieces as small as the reader asks for.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/doubles.hpp"
#include "web/keyboard.hpp"

namespace lousa::web {
namespace {

using lousa::testing::read_all;

typed_lines keyboard_of(std::vector<std::string> lines) {
    return typed_lines([lines, next = std::size_t{0}]() mutable -> std::optional<std::string> {
        if (next == lines.size()) return std::nullopt;
        return lines[next++];
    });
}

TEST(PageKeyboard, EachLineEndsWithALineEndAndTheInputThenEnds) {
    typed_lines keyboard = keyboard_of({"3", "", "10 8"});
    EXPECT_EQ(read_all(keyboard, 256), "3\n\n10 8\n");
}

TEST(PageKeyboard, ALineLongerThanTheReadersBufferArrivesInPieces) {
    typed_lines keyboard = keyboard_of({"12345", "é"});
    EXPECT_EQ(read_all(keyboard, 2), "12345\n\x82\n");
}

TEST(PageKeyboard, TheNextLineIsAskedForOnlyWhenTheCurrentOneIsUsedUp) {
    int asked = 0;
    typed_lines keyboard([&]() -> std::optional<std::string> {
        ++asked;
        return std::string("7");
    });
    char buffer[1];
    ASSERT_EQ(keyboard.read_some(buffer, 1), 1u);
    EXPECT_EQ(asked, 1);
    ASSERT_EQ(keyboard.read_some(buffer, 1), 1u);  // the line end of the same line
    EXPECT_EQ(buffer[0], '\n');
    EXPECT_EQ(asked, 1);
}

}  // namespace
}  // namespace lousa::web
