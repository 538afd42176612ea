// Reading keyboard answers: separators, null values, repeats, the conversions
// and every failure message.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "console/console.hpp"
#include "console/reader.hpp"
#include "tests/doubles.hpp"

namespace lousa::console {
namespace {

using lousa::testing::text_input;

// Reads the two (or three) reals of one read, then the first real of the next.
struct two_reads {
    real first[3] = {-1.0, -1.0, -1.0};
    real next = -1.0;
    read_outcome outcome;
};

two_reads read_reals(const std::string& input, int count = 2) {
    text_input in(input);
    list_reader reader(in, [] {});
    two_reads r;
    const read_target targets[] = {&r.first[0], &r.first[1], &r.first[2]};
    r.outcome = reader.read(std::span(targets, static_cast<std::size_t>(count)));
    const read_target next[] = {&r.next};
    if (r.outcome.error == read_error::none) reader.read(next);
    return r;
}

// Typed input, the two reals of the first read, and the real of the next:
// separators and lines, then slashes and null values, which keep the values
// the variables had.
TEST(ListRead, SeparatorsLinesSlashesAndNullValues) {
    struct row {
        const char* input;
        float a, b, next;
    };
    const row rows[] = {
        {"3 4\n9\n", 3, 4, 9},       {"3,4\n9\n", 3, 4, 9},        {"3 , 4\n9\n", 3, 4, 9},
        {"3;4\n9\n", 3, 4, 9},       {"3\t4\n9\n", 3, 4, 9},       {"1.5\n2\n9\n", 1.5f, 2, 9},
        {"1.5,2\n9\n", 1.5f, 2, 9},  {"\n   \n3 4\n9\n", 3, 4, 9}, {"3 4 5 6\n9\n", 3, 4, 9},
        {"3\n\n\n4\n9\n", 3, 4, 9},  {"3\n,4\n9\n", 3, 4, 9},     {"3 4\r\n9\r\n", 3, 4, 9},
        {"2,57\n9\n", 2, 57, 9},     {"3 4", 3, 4, -1},
        {"1.5 /\n9\n", 1.5f, -1, 9},  // the slash ends the read
        {"/\n9\n", -1, -1, 9},
        {",4\n9\n", -1, 4, 9},        // a line that starts with a comma
        {"3,,4\n9\n", 3, -1, 9},      // two commas: a null value; the 4 goes with the line
        {"3,\n9\n", 3, -1, 9},        // a comma before the line end: null, next line untouched
        {"3 ,  \n9\n", 3, -1, 9},
        {"2*\n9\n", -1, -1, 9},       // r* gives r null values
        {"2*7\n9\n", 7, 7, 9},        // r*value repeats the value
        {"3*7 8\n9\n", 7, 7, 9},
        {"200000000*7\n9\n", 7, 7, 9},  // the largest repeat count
    };
    for (const auto& r : rows) {
        const two_reads got = read_reals(r.input);
        EXPECT_EQ(got.outcome.error, read_error::none) << r.input;
        EXPECT_EQ(got.first[0], r.a) << r.input;
        EXPECT_EQ(got.first[1], r.b) << r.input;
        EXPECT_EQ(got.next, r.next) << r.input;
    }
}

TEST(ListRead, ThreeValuesAcrossACommaLineEnd) {
    const two_reads got = read_reals("3,\n4 5\n9\n", 3);
    EXPECT_EQ(got.first[0], 3);
    EXPECT_EQ(got.first[1], -1);
    EXPECT_EQ(got.first[2], 4);
    EXPECT_EQ(got.next, 9);
}

// Typed input, the integer of the first read and the integer of the next.
TEST(ListRead, IntegersTheWayAnswersAreTyped) {
    struct row {
        const char* input;
        read_error error;
        std::int32_t first, next;
    };
    const row rows[] = {
        {"  7  \n9\n", read_error::none, 7, 9},
        {"+7\n9\n", read_error::none, 7, 9},
        {"7 8\n9\n", read_error::none, 7, 9},  // the 8 goes with the rest of the line
        {"\n7\n9\n", read_error::none, 7, 9},  // an empty line is skipped
        {"-3\n9\n", read_error::none, -3, 9},
        {"7.0\n9\n", read_error::bad_integer, -1, -1},
        {"1e3\n9\n", read_error::bad_integer, -1, -1},
        {"-2147483648\n9\n", read_error::integer_overflow, -1, -1},
        // a carriage return belongs to the line end before a line feed or at
        // the very end of the input; anywhere else it is an ordinary character
        {"3\r\n4\r\n", read_error::none, 3, 4},
        {"3 9\r\n4\r", read_error::none, 3, 4},
        {"3\r", read_error::none, 3, -1},
        {"\r\n\r\n3\r\n\r", read_error::none, 3, -1},
        {"3\r4\n", read_error::bad_integer, -1, -1},
        {"3\r\r\n", read_error::bad_integer, -1, -1},
        {"3,\r\n4\n", read_error::none, 3, 4},
    };
    for (const auto& r : rows)
        for (const std::size_t piece : {std::size_t{1}, std::size_t{4096}}) {  // a byte at a time, or all at once
            text_input in(r.input, piece);
            list_reader reader(in, [] {});
            std::int32_t first = -1, next = -1;
            const read_target a[] = {&first};
            const read_target b[] = {&next};
            const read_outcome outcome = reader.read(a);
            EXPECT_EQ(outcome.error, r.error) << r.input << piece;
            if (outcome.error == read_error::none) {
                reader.read(b);
            } else {
                EXPECT_EQ(outcome.item, 1) << r.input;
            }
            EXPECT_EQ(first, r.first) << r.input;
            EXPECT_EQ(next, r.next) << r.input;
        }
}

TEST(ListRead, FailuresNameTheItem) {
    struct row {
        const char* input;
        read_error error;
        int item;
    };
    const row rows[] = {
        {"1 abc\n", read_error::bad_real, 2},      {"1..2\n", read_error::bad_real, 1},
        {"0*3\n", read_error::zero_repeat, 1},     {"5 300000000*1\n", read_error::repeat_overflow, 2},
        {"", read_error::end_of_file, 1},          {"1\n\n  \n", read_error::end_of_file, 2},
        {"1e\n", read_error::bad_real, 1},         {"1.5e+\n", read_error::bad_real, 1},
        {"200000001*1\n", read_error::repeat_overflow, 1},
        {"18446744073709551617*1\n", read_error::repeat_overflow, 1},  // 2^64 + 1: must not wrap to 1
    };
    for (const auto& r : rows) {
        const two_reads got = read_reals(r.input);
        EXPECT_EQ(got.outcome.error, r.error) << r.input;
        EXPECT_EQ(got.outcome.item, r.item) << r.input;
    }
}

TEST(ListRead, TextsQuotedOrBare) {
    text_input in("'it''s' \"a b\" bare,x\n'bad'x\n");
    list_reader reader(in, [] {});
    char a[4], b[3], c[6];
    const read_target targets[] = {std::span<char>(a), std::span<char>(b), std::span<char>(c)};
    EXPECT_EQ(reader.read(targets).error, read_error::none);
    EXPECT_EQ(std::string(a, 4), "it's");
    EXPECT_EQ(std::string(b, 3), "a b");
    EXPECT_EQ(std::string(c, 6), "bare  ");
    const read_outcome bad = reader.read(std::span(targets, 1));
    EXPECT_EQ(bad.error, read_error::bad_string);
    EXPECT_EQ(bad.item, 1);
    // a carriage return inside a text is one of its characters
    text_input returns("'a\rb' c\rd\r\n", 1);
    list_reader return_reader(returns, [] {});
    EXPECT_EQ(return_reader.read(std::span(targets, 2)).error, read_error::none);
    EXPECT_EQ(std::string(a, 4), "a\rb ");
    EXPECT_EQ(std::string(b, 3), "c\rd");
}

TEST(ParseInteger, Syntax) {
    EXPECT_EQ(parse_integer("7").value, 7);
    EXPECT_EQ(parse_integer("+7").value, 7);
    EXPECT_EQ(parse_integer("-12").value, -12);
    EXPECT_EQ(parse_integer("2147483647").value, 2147483647);
    EXPECT_EQ(parse_integer("-2147483647").value, -2147483647);
    for (const char* bad : {"7.0", "2.5", "1e3", "a", "+", "-", "7a", "'7'"})
        EXPECT_EQ(parse_integer(bad).error, read_error::bad_integer) << bad;
    for (const char* big : {"2147483648", "-2147483648", "99999999999999999999"})
        EXPECT_EQ(parse_integer(big).error, read_error::integer_overflow) << big;
}

TEST(ParseReal, Syntax) {
    const std::pair<const char*, float> good[] = {
        {"3", 3.0f},       {".5", 0.5f},        {"5.", 5.0f},       {"-1.96", -1.96f},
        {"1.5e3", 1500},   {"1.5E3", 1500},     {"1.5D3", 1500},    {"1.5d-1", 0.15f},
        {"1.5+3", 1500},   {"1.5-1", 0.15f},    {"+2.25", 2.25f},   {"1e-50", 0.0f},
        {"0.1", 0.1f},     {"16777217", 16777216.0f},
    };
    for (const auto& [text, v] : good) {
        const real_result r = parse_real(text);
        EXPECT_EQ(r.error, read_error::none) << text;
        EXPECT_EQ(r.value, v) << text;
    }
    EXPECT_EQ(parse_real("1e39").value, std::numeric_limits<float>::infinity());
    EXPECT_EQ(parse_real("-1e39").value, -std::numeric_limits<float>::infinity());
    EXPECT_EQ(parse_real("INF").value, std::numeric_limits<float>::infinity());
    EXPECT_EQ(parse_real("-Infinity").value, -std::numeric_limits<float>::infinity());
    EXPECT_TRUE(std::isnan(parse_real("NaN").value));
    for (const char* bad : {"abc", "1..2", ".", "e5", "1e", "1.5e+", "1x", "--1", "1,5", "infin", "infinityzz"})
        EXPECT_EQ(parse_real(bad).error, read_error::bad_real) << bad;
}

TEST(Messages, EveryFailureHasItsText) {
    EXPECT_EQ(message_of(read_error::bad_integer, 1), "Bad integer for item 1 in list input");
    EXPECT_EQ(message_of(read_error::integer_overflow, 2), "Integer overflow while reading item 2");
    EXPECT_EQ(message_of(read_error::bad_real, 3), "Bad real number in item 3 of list input");
    EXPECT_EQ(message_of(read_error::bad_string, 1), "Invalid string input in item 1");
    EXPECT_EQ(message_of(read_error::zero_repeat, 1), "Zero repeat count in item 1 of list input");
    EXPECT_EQ(message_of(read_error::repeat_overflow, 1), "Repeat count overflow in item 1 of list input");
    EXPECT_EQ(message_of(read_error::end_of_file, 1), "End of file");
}

}  // namespace
}  // namespace lousa::console
