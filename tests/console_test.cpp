// The console object: what reaches the screen, and when.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/console.hpp"
#include "tests/doubles.hpp"

namespace lousa {
namespace {

// A result screen longer than the buffer goes out in pieces, every byte once
// and in order, before any answer is awaited.
TEST(ConsoleIo, ALongScreenGoesOutInBoundedPieces) {
    testing::text_input in("");
    testing::string_sink out;
    std::string expected;
    {
        console_io con(in, out);
        for (std::int32_t j = 1; j <= 5000; ++j) {
            con.line("Digitar dado numero "_t, j);
            // a blank, the 20-character text, a separating blank, the integer in 11
            expected += " Digitar dado numero  " + std::string(11 - std::to_string(j).size(), ' ') +
                        std::to_string(j) + std::string(line_end);
        }
        EXPECT_GE(out.writes.size(), 4u) << "nothing went out before the end";
        for (const std::string& w : out.writes) EXPECT_LE(w.size(), 40u * 1024u);
    }
    EXPECT_TRUE(out.text == expected) << "the pieces do not add up to the screen";
}

// A screen that cannot be written is reported once; the destructor does not
// try again and does not throw.
TEST(ConsoleIo, AFailedWriteIsNotTriedAgain) {
    testing::text_input in("");
    testing::failing_sink out;
    {
        console_io con(in, out);
        con.line("Digitar dado numero "_t, 1);
        EXPECT_THROW(con.flush(), output_failure);
        con.flush();
    }
    EXPECT_EQ(out.tries, 1);
}

}  // namespace
}  // namespace lousa
