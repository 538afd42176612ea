// How values look on the screen: fields, free-form items and whole layouts.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "console/console.hpp"
#include "console/decimal.hpp"
#include "console/format.hpp"

namespace lousa::console::detail {
namespace {

constexpr float inf = std::numeric_limits<float>::infinity();
constexpr float nan = std::numeric_limits<float>::quiet_NaN();

// What one append adds to an empty screen.
template <class... Parameters, class... Arguments>
std::string shown(void (*append)(std::string&, Parameters...), Arguments&&... arguments) {
    std::string out;
    append(out, std::forward<Arguments>(arguments)...);
    return out;
}

struct fixed_case {
    float v;
    int w, d;
    const char* shown;
};

// Rounded half away from zero from the stored value; a minus sign also for
// values that round to zero; the zero before the point only where there is
// room; infinity and not-a-number.
TEST(FixedField, RoundsTheStoredValueHalfAwayFromZero) {
    const fixed_case cases[] = {
        {1.96f, 6, 2, "  1.96"},      {0.125f, 5, 2, " 0.13"},    {2.5f, 4, 0, "  3."},
        {0.45f, 4, 1, " 0.4"},        {99.995f, 6, 2, "100.00"},  {0.4f, 4, 0, "  0."},
        {0.7f, 4, 0, "  1."},         {1.5f, 4, 0, "  2."},       {10.0f, 4, 0, " 10."},
        {-10.0f, 4, 0, "-10."},       {1000.0f, 4, 0, "****"},    {12.4f, 8, 0, "     12."},
        {0.1234f, 5, 3, "0.123"},     {1.5f, 5, 3, "1.500"},      {10.5f, 5, 3, "*****"},
        {1234.5f, 6, 2, "******"},    {2.3238f, 6, 2, "  2.32"},  {-2.3238f, 6, 2, " -2.32"},
        {999.996f, 6, 2, "******"},   {999.995f, 6, 2, "999.99"},   {-99.995f, 6, 2, "******"}, {-99.994f, 6, 2, "-99.99"},
        {0.5f, 6, 0, "    1."},       {0.49999997f, 6, 0, "    0."}, {123456.0f, 9, 2, "123456.00"},
        {3.0e38f, 9, 2, "*********"}, {1.0e-30f, 5, 2, " 0.00"},  {0.006f, 4, 2, "0.01"},   {0.004f, 5, 2, " 0.00"},
        {-0.001f, 6, 2, " -0.00"},    {-0.0f, 6, 2, " -0.00"},    {0.0f, 6, 2, "  0.00"},   {-0.3f, 4, 0, " -0."},
        {0.5f, 4, 2, "0.50"},         {-0.5f, 4, 2, "-.50"},      {0.123f, 5, 3, "0.123"},  {-0.05f, 5, 3, "-.050"},
        {0.995f, 4, 2, "1.00"},       {inf, 6, 2, "  +Inf"},      {-inf, 6, 2, "  -Inf"},   {nan, 6, 2, "   NaN"},
        {-nan, 6, 2, "   NaN"},       {inf, 4, 0, "+Inf"},        {inf, 8, 0, "    +Inf"}, {inf, 9, 2, "+Infinity"},
        {-inf, 12, 2, "   -Infinity"},
        // far into the 23 digits: 2^-24 is 5.9604644775390625e-08, 1e-8f 9.99999993922529029077850...e-09
        {0x1p-24f, 40, 31, "       0.0000000596046447753906250000000"},
        {1e-8f, 40, 30, "        0.000000009999999939225290290779"},
    };
    for (const auto& c : cases) EXPECT_EQ(shown(append_fixed_field, c.v, c.w, c.d), c.shown) << c.v << " F" << c.w << "." << c.d;
}

TEST(IntegerField, RightJustifiesOrFillsWithAsterisks) {
    const std::tuple<std::int32_t, int, const char*> cases[] = {
        {7, 2, " 7"},    {16, 2, "16"},    {-5, 2, "-5"},     {100, 2, "**"},
        {-10, 2, "**"},  {-99, 3, "-99"},  {-100, 3, "***"},  {-2147483647 - 1, 3, "***"},
    };
    for (const auto& [v, w, text] : cases) EXPECT_EQ(shown(append_integer_field, v, w), text) << v << " I" << w;
}

TEST(TextField, CutsOrRightJustifies) {
    EXPECT_EQ(shown(append_text_field, "abcdefghij", 15), "     abcdefghij");
    EXPECT_EQ(shown(append_text_field, "abcdefghij", 10), "abcdefghij");
    EXPECT_EQ(shown(append_text_field, "abcdefghij", 4), "abcd");
    EXPECT_EQ(shown(append_text_field, " ", 1), " ");
}

// The ninth significant digit of the exponent form is rounded up when the
// first dropped digit is 5, whatever follows it: 2^-14 = 6.103515625e-05
// exactly (a tie, not taken to even), 123456790528 and 0.0009 (stored
// 8.99999984540...e-04) with more digits.
TEST(FreeForm, RealsTakeFifteenCharacters) {
    const std::pair<float, const char*> cases[] = {
        {1.96f, "  1.9600000    "},     {12.5f, "  12.500000    "},      {0.5f, " 0.50000000    "},
        {0.0f, "  0.0000000    "},      {-1.96f, " -1.9600000    "},     {0.00001f, " 9.99999975E-06"},
        {123456789.0f, " 1.23456792E+08"}, {0.1f, " 0.10000000    "},   {0.099999994f, " 9.99999940E-02"},
        {99999992.0f, "  99999992.    "},  {1.0e8f, " 1.00000000E+08"},  {-0.00001f, "-9.99999975E-06"},
        {inf, "      +Infinity"},      {-inf, "      -Infinity"},      {nan, "            NaN"},
        {-0.0f, " -0.0000000    "},   {3.0f, "  3.0000000    "},      {1234567.0f, "  1234567.0    "},  {9.9999990f, "  9.9999990    "},
        {0x1p-14f, " 6.10351563E-05"},  {-0x1p-14f, "-6.10351563E-05"},  {123456790528.0f, " 1.23456791E+11"},
        {0.0009f, " 8.99999985E-04"},   {9.99999995f, "  10.000000    "},  {0x1p-149f, " 1.40129846E-45"},
        {3.40282347e38f, " 3.40282347E+38"},
    };
    for (const auto& [v, text] : cases) EXPECT_EQ(shown(append_free_real, v), text) << v;
}

TEST(FreeForm, SeparatesValuesButJoinsTexts) {
    const std::array<value, 2> text_int{make_value(texto{"Digitar dado numero "}), make_value(3)};
    EXPECT_EQ(shown(append_free_line, text_int, "|"), " Digitar dado numero            3|");
    const std::array<value, 2> texts{make_value(texto{"ab"}), make_value(texto{"cd"})};
    EXPECT_EQ(shown(append_free_line, texts, "|"), " abcd|");
    const std::array<value, 3> int_text{make_value(-42), make_value(texto{"x"}), make_value(-2147483647 - 1)};
    EXPECT_EQ(shown(append_free_line, int_text, "|"), "         -42 x -2147483648|");
    EXPECT_EQ(shown(append_free_line, std::span<const value>{}, "|"), "|");
}

std::string layout(layout_view p, std::initializer_list<value> values) {
    return shown(append_layout, p, std::span<const value>(values.begin(), values.size()), "|\n");
}

// A layout string of the program is parsed when it is built, into one constant
// of its own size that every write with the same string shares.
TEST(Layout, EachLayoutStringIsStoredOnceAtItsOwnSize) {
    const layout_view first = decltype("(1x,\"a=\",i2,5x,\"b=\",I2,\" end\")"_layout)::parsed();
    const layout_view again = decltype("(1x,\"a=\",i2,5x,\"b=\",I2,\" end\")"_layout)::parsed();
    EXPECT_EQ(first.items.data(), again.items.data());
    EXPECT_EQ(first.items.size(), 7u);  // 1x "a=" i2 5x "b=" I2 " end": its own size
    EXPECT_EQ(layout(first, {make_value(1), make_value(22)}), " a= 1     b=22 end|\n");
    const layout_view group = decltype("(1x,2(f5.2, 3x),\"*\")"_layout)::parsed();
    EXPECT_EQ(layout(group, {make_value(1.5f), make_value(-2.0f)}), "  1.50   -2.00   *|\n");
}

// Blanks held back until something follows; missing commas and a field right
// before X; a stop at the first field with no value left (what comes before it
// is already out); groups of several items; slashes as line ends, but not
// inside texts; doubled quotes, apostrophes and accents; letters in either case.
TEST(Layout, WritesEachLayoutAsItsValuesFill) {
    const texto a = texto{"A = "}, b = texto{"B = "}, c = texto{"C = "}, blank = texto{" "}, ab = texto{"ab"};
    const std::tuple<const char*, std::vector<value>, std::string> cases[] = {
        {"( 1x,15x, \"Mediacol (\"   ,I2,  \") = \",   f6.2, 10x)", {make_value(3), make_value(4.5f)},
         "                Mediacol ( 3) =   4.50|\n"},
        {"(1x,\"*\",25x,\"Fc = \",F6.2, 26x, \"*\")", {make_value(1.96f)},
         " *" + std::string(25, ' ') + "Fc =   1.96" + std::string(26, ' ') + "*|\n"},
        {"(1x,\"* \",\"MEDa=\",F7.2,2x,\"VARa=\",f7.2,\" /// \",\"MEDb=\",f7.2x,\"VARb=\", f7.2,5x,\"*\")",
         {make_value(1.0f), make_value(2.0f), make_value(3.0f), make_value(4.0f)},
         " * MEDa=   1.00  VARa=   2.00 /// MEDb=   3.00 VARb=   4.00     *|\n"},
        {"(\"**\"4x\" GL =\",i2 \" *\", 12x \"*\")", {make_value(5)}, "**     GL = 5 *            *|\n"},
        {"(1x, 64(\"*\"), a1)", {}, " " + std::string(64, '*') + "|\n"},
        {"(1x, 64(\"*\"), a1)", {make_value(blank)}, " " + std::string(64, '*') + " |\n"},
        {"(1x,\"a=\",i2,5x,\"b=\",i2,\" end\")", {make_value(1)}, " a= 1     b=|\n"},
        {"(1x,\"*\",2x,3(a4, 1x, f9.2,2x),\"*\")",
         {make_value(a), make_value(1.0f), make_value(b), make_value(2.0f), make_value(c), make_value(-3.0f)},
         " *  A =       1.00  B =       2.00  C =      -3.00  *|\n"},
        {"(1x,\"**\",\" Voce escolheu \",a2,\"**\", /1x, \"** Confirma? \",\"(0 = Nao //// 1 = Sim)\",a1 )",
         {make_value(texto{"ok"}), make_value(blank)}, " ** Voce escolheu ok**|\n ** Confirma? (0 = Nao //// 1 = Sim) |\n"},
        {"(1x,\"a\"//1x,\"b\" 5x/)", {}, " a|\n|\n b|\n|\n"},
        {"(1x,\"say \"\"t\"\" 'x' APLICAÇÃO\")", {}, " say \"t\" 'x' APLICA\x80\xC7O|\n"},
        {"(1X,A2,I3,F5.1,2X,\"e\")", {make_value(ab), make_value(7), make_value(1.5f)}, " ab  7  1.5  e|\n"},
        {"(1x,a2,i3,f5.1,2x,\"e\")", {make_value(ab), make_value(7), make_value(1.5f)}, " ab  7  1.5  e|\n"},
    };
    for (const auto& [text, values, expected] : cases)
        EXPECT_EQ(shown(append_layout, parse_layout(text).view(), std::span<const value>(values), "|\n"), expected)
            << text;
    EXPECT_EQ(std::string(texto("APLICAÇÃO"_t).bytes).size(), 9u);
}

TEST(Layout, RejectsMalformedLayouts) {
    EXPECT_ANY_THROW(parse_layout("1x,\"a\""));
    EXPECT_ANY_THROW(parse_layout("(1x,\"a)"));
    EXPECT_ANY_THROW(parse_layout("(1x,q)"));
    EXPECT_ANY_THROW(parse_layout("(f5)"));
    EXPECT_ANY_THROW(parse_layout("(3(a1)"));
}

// Correctly rounded, an exact tie to even: 2^-34 is 5.82076609134674072265625e-11.
TEST(Decimal, TheStoredValueTo23Digits) {
    const std::tuple<float, std::string_view, int> cases[] = {
        {0.1f, "10000000149011611938477", 0},  // 0.100000001490116119384765625
        {1024.0f, "10240000000000000000000", 4},
        {0x1p-34f, "58207660913467407226562", -10},
        {0x1p-149f, "14012984643248170709237", -44},
        {-3.40282347e38f, "34028234663852885981170", 39},
    };
    for (const auto& [v, digits, exponent] : cases) {
        const decimal x = decimal_of(v);
        EXPECT_EQ(std::string_view(x.digits.data(), static_cast<std::size_t>(x.size)), digits) << v;
        EXPECT_EQ(x.exponent, exponent) << v;
    }
    EXPECT_EQ(decimal_of(0.0f).size, 0);
}

}  // namespace
}  // namespace lousa::console::detail
