// Reading input of any size: one pass over the bytes, memory that does not
// grow with a line or a value, exact conversions of very long values,
// waiting, and independence from the C locale.

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>
#include <random>
#include <string>
#include <vector>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "console/reader.hpp"
#include "tests/comma_locale.hpp"
#include "tests/doubles.hpp"

namespace lousa::console {
namespace {

// Bytes allocated from the heap, large blocks included (0 where unknown, as
// under the address sanitizer).
std::size_t heap_in_use() {
#ifdef __GLIBC__
    const auto info = mallinfo2();
    return info.uordblks + info.hblkhd;
#else
    return 0;
#endif
}

// A long run of one pattern, made up as it is handed out (the test itself must
// not hold the line), between a head and a tail, in chunks of a fixed size.
class generated_input final : public input_source {
public:
    generated_input(std::string head, std::string pattern, std::size_t repeats, std::string tail, std::size_t chunk)
        : head_(std::move(head)), pattern_(std::move(pattern)), tail_(std::move(tail)), chunk_(chunk),
          total_(head_.size() + pattern_.size() * repeats + tail_.size()) {}

    std::size_t read_some(char* buffer, std::size_t capacity) override {
        const std::size_t n = std::min({capacity, chunk_, total_ - delivered_});
        for (std::size_t k = 0; k < n; ++k) buffer[k] = at(delivered_ + k);
        delivered_ += n;
        peak_heap_ = std::max(peak_heap_, heap_in_use());
        return n;
    }

    std::size_t delivered() const { return delivered_; }
    std::size_t total() const { return total_; }
    // How far the heap grew above what it was when the input was made (0
    // where unknown).
    std::size_t heap_growth() const {
        return heap_at_start_ == 0 ? 0 : peak_heap_ - std::min(peak_heap_, heap_at_start_);
    }

private:
    char at(std::size_t k) const {
        if (k < head_.size()) return head_[k];
        k -= head_.size();
        const std::size_t middle = total_ - head_.size() - tail_.size();
        if (k < middle) return pattern_[k % pattern_.size()];
        return tail_[k - middle];
    }

    std::string head_, pattern_, tail_;
    std::size_t chunk_, total_, delivered_ = 0;
    std::size_t heap_at_start_ = heap_in_use(), peak_heap_ = 0;
};

constexpr std::size_t sixteen_mib = 16u << 20;

struct long_line_case {
    const char* what;
    std::string head, pattern, tail;
    read_error error;
    std::int32_t first, second;
};

// A 16 MiB line read in chunks of 1000 bytes: the first read takes its value
// from it (or fails, and the line goes with it), the next read the value of
// the following line. Each byte is looked at a bounded number of times (a
// reader that searched its line again after each chunk would look at some
// 10^11 bytes), and the heap does not grow with the line. The integers of 16
// MiB digits keep only what the result needs.
TEST(LongLines, ReadInOnePassAndBoundedMemory) {
    const long_line_case cases[] = {
        {"blanks", "", " ", "7\n9\n", read_error::none, 7, 9},
        {"values", "", "3 ", "\n9\n", read_error::none, 3, 9},
        {"blanks then a value, no final line end", "", "\t ", "7 ", read_error::none, 7, 0},
        {"values, no final line end", "5", " 1", "", read_error::none, 5, 0},
        {"a failed value consumes its whole line", "7x ", "1 ", "\n9\n", read_error::bad_integer, 0, 9},
        {"one long integer", "-", "0", "42 ", read_error::none, -42, 0},
        {"one integer too long", "", "9", "\n", read_error::integer_overflow, 0, 0},
    };
    for (const auto& c : cases) {
        generated_input in(c.head, c.pattern, sixteen_mib / c.pattern.size(), c.tail, 1000);
        list_reader reader(in, [] {});
        std::int32_t first = 0, second = 0;
        const read_target a[] = {&first};
        const read_target b[] = {&second};
        EXPECT_EQ(reader.read(a).error, c.error) << c.what;
        const read_outcome next = reader.read(b);
        EXPECT_EQ(first, c.first) << c.what;
        EXPECT_EQ(second, c.second) << c.what;
        EXPECT_EQ(next.error, c.second == 0 ? read_error::end_of_file : read_error::none) << c.what;
        EXPECT_EQ(in.delivered(), in.total()) << c.what;
        EXPECT_LE(reader.bytes_examined(), 2 * in.total() + 64) << c.what;
        EXPECT_LT(in.heap_growth(), 1u << 20) << c.what;
    }
}

// One real and one text of 16 MiB: the conversion keeps only what the result
// needs (0.000...00015 times 10^(n+1) is 1.5).
TEST(LongValues, ConvertExactlyInBoundedMemory) {
    generated_input digits("0.", "0", sixteen_mib, "15e" + std::to_string(sixteen_mib + 1) + "\n", 1000);
    list_reader reader(digits, [] {});
    real x = 0.0;
    const read_target real_target[] = {&x};
    EXPECT_EQ(reader.read(real_target).error, read_error::none);
    EXPECT_EQ(x.value(), 1.5f);
    EXPECT_LE(reader.bytes_examined(), 2 * digits.total() + 64);
    EXPECT_LT(digits.heap_growth(), 1u << 20);

    generated_input letters("", "ab", sixteen_mib, ",c\n", 1000);
    list_reader text_reader(letters, [] {});
    char text[5];
    const read_target text_target[] = {std::span<char>(text)};
    EXPECT_EQ(text_reader.read(text_target).error, read_error::none);
    EXPECT_EQ(std::string(text, 5), "ababa");
}

// Rounding of long digit strings: the digits far beyond what is kept still
// decide which way a value exactly between two floats would go.
TEST(ParseReal, LongDigitStringsRoundExactly) {
    const std::string zeros(3000, '0');
    // 16777217 lies exactly between the floats 16777216 and 16777218.
    EXPECT_EQ(parse_real("16777217." + zeros).value, 16777216.0f);
    EXPECT_EQ(parse_real("16777217." + zeros + "1").value, 16777218.0f);
    EXPECT_EQ(parse_real("16777216." + std::string(3000, '9')).value, 16777216.0f);
    EXPECT_EQ(parse_real("-16777217." + zeros + "1").value, -16777218.0f);
    // 2^-150, half the smallest subnormal: a tie that goes to zero, and just
    // above it the smallest subnormal.
    const std::string half_smallest =
        "7.00649232162408535461864791644958065640130970938257885878534141944895541342930300743319094181060791015625";
    EXPECT_EQ(parse_real(half_smallest + "e-46").value, 0.0f);
    EXPECT_EQ(parse_real(half_smallest + zeros + "1e-46").value, std::numeric_limits<float>::denorm_min());
    // 2^128 - 2^103, halfway between the largest float and the next power of
    // two: a tie that goes to infinity; just below it the largest float.
    EXPECT_EQ(parse_real("340282356779733661637539395458142568448").value, std::numeric_limits<float>::infinity());
    EXPECT_EQ(parse_real("340282356779733661637539395458142568447." + std::string(3000, '9')).value,
              std::numeric_limits<float>::max());
    // The midpoint with the most digits, 113: (2^25 - 1) times 2^-150, a tie
    // that goes up to 2^-125 (even), and just below it.
    const std::string deepest = "2.3509886315796517996966195282580121911415245495310779491917148247034203244199002114100949256680905818939208984375";
    EXPECT_EQ(parse_real(deepest + "e-38").value, 0x1p-125f);
    EXPECT_EQ(parse_real(deepest.substr(0, 113) + "e-38").value, std::nextafter(0x1p-125f, 0.0f));
    EXPECT_EQ(parse_real("0." + zeros + "1e3001").value, 1.0f);
    EXPECT_EQ(parse_real("1e-99999999999999999999999999").value, 0.0f);
    EXPECT_EQ(parse_real("0e99999999999999999999999999").value, 0.0f);
    EXPECT_EQ(parse_real("1e+99999999999999999999999999").value, std::numeric_limits<float>::infinity());
    EXPECT_TRUE(std::signbit(parse_real("-0.0").value));
    EXPECT_TRUE(std::signbit(parse_real("-1e-60").value));
}

// The conversion against the C library's in the "C" locale: short answers
// ("12.5", "0.05", "3e8"), and values around random floats and around the
// midpoints between neighbours, written with up to 200 digits (beyond those
// kept) and moved a little above.
TEST(ParseReal, AgreesWithTheCLibrary) {
    ASSERT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    std::mt19937 random(2024);
    int compared = 0;
    const auto check = [&](const std::string& t) {
        const float expected = std::strtof(t.c_str(), nullptr);
        const real_result got = parse_real(t);
        ASSERT_EQ(got.error, read_error::none) << t;
        ASSERT_EQ(std::memcmp(&got.value, &expected, sizeof expected), 0) << t;
        ++compared;
    };
    for (int scale = -12; scale <= 12; ++scale)
        for (int k = 0; k < 2000; ++k) check(std::to_string(random() >> (k % 4 * 8)) + "e" + std::to_string(scale));
    for (int k = 0; k < 4000; ++k) {
        const std::uint32_t bits = random() & 0x7FFFFFFFu;
        float f;
        std::memcpy(&f, &bits, sizeof f);
        const double next = std::nextafter(f, std::numeric_limits<float>::infinity());
        if (!std::isfinite(next)) continue;
        for (const double v : {double(f), (double(f) + next) / 2}) {
            char text[220];
            std::snprintf(text, sizeof text, "%.*e", static_cast<int>(random() % 200), v);
            std::string s = text;
            const std::size_t e = s.find('e');
            for (const std::string& t : {s, s.substr(0, e) + "000000000001" + s.substr(e), "-" + s}) check(t);
        }
    }
    EXPECT_GT(compared, 50000 + 23000);
}

// The screen is flushed before every read that may wait, and only then: the
// k-th flush comes before the k-th wait, and a read that finds its line in
// the buffer neither waits nor flushes.
TEST(Waiting, TheScreenIsShownBeforeEachWait) {
    for (const std::size_t piece : {std::size_t{1}, std::size_t{4096}}) {
        lousa::testing::text_input in("1 2\n\n3,4\r\n5", piece);
        std::vector<int> waits_at_flush;
        list_reader reader(in, [&] { waits_at_flush.push_back(in.waits); });
        std::int32_t v[3] = {};
        const read_target targets[] = {&v[0], &v[1], &v[2]};
        EXPECT_EQ(reader.read(targets).error, read_error::none);
        EXPECT_EQ(reader.read(std::span(targets, 1)).error, read_error::none);
        EXPECT_EQ(reader.read(std::span(targets, 1)).error, read_error::end_of_file);
        EXPECT_EQ(v[0], 5);
        EXPECT_EQ(v[1], 2);
        EXPECT_EQ(v[2], 3);
        std::vector<int> expected(static_cast<std::size_t>(in.waits));
        for (std::size_t k = 0; k < expected.size(); ++k) expected[k] = static_cast<int>(k);
        EXPECT_EQ(waits_at_flush, expected) << piece;
        // a byte at a time: every byte and the end of the input waited for once;
        // all at once: one wait for the text, one for its end
        EXPECT_EQ(in.waits, piece == 1 ? 12 : 2) << piece;
    }
}

// Sets a locale whose decimal mark is a comma, when one is installed or can be
// made.
bool set_decimal_comma_locale() {
#ifdef _WIN32
    for (const char* name : {"pt-BR", "de-DE", "Portuguese_Brazil.1252", "German_Germany.1252"})
        if (std::setlocale(LC_ALL, name) != nullptr) return true;
    return false;
#else
    const lousa::testing::comma_locale locale = lousa::testing::find_comma_locale();
    if (locale.name.empty()) return false;
    if (!locale.locpath.empty()) ::setenv("LOCPATH", locale.locpath.c_str(), 1);
    const bool made = std::setlocale(LC_ALL, locale.name.c_str()) != nullptr;
    if (!locale.locpath.empty()) {
        ::unsetenv("LOCPATH");
        std::filesystem::remove_all(locale.locpath);  // the locale stays loaded
    }
    return made;
#endif
}

TEST(Locale, ReadingDoesNotDependOnTheCLocale) {
    if (!set_decimal_comma_locale()) GTEST_SKIP() << "no locale with a decimal comma could be made";
    const bool comma = std::strcmp(std::localeconv()->decimal_point, ",") == 0;
    const float c_library = std::strtof("1.5", nullptr);
    const real_result half = parse_real("1.5");
    const real_result big = parse_real("2.5E3");
    const real_result infinity = parse_real("INFINITY");
    const integer_result integer = parse_integer("-12");

    lousa::testing::text_input in("0.25 1,5\n");
    list_reader reader(in, [] {});
    real a = 0.0, b = 0.0;
    const read_target targets[] = {&a, &b};
    const read_outcome outcome = reader.read(targets);
    std::setlocale(LC_ALL, "C");

    ASSERT_TRUE(comma) << "the locale set has no decimal comma";
    EXPECT_EQ(c_library, 1.0f);  // the C library itself stops at the point there
    EXPECT_EQ(half.value, 1.5f);
    EXPECT_EQ(big.value, 2500.0f);
    EXPECT_EQ(infinity.value, std::numeric_limits<float>::infinity());
    EXPECT_EQ(integer.value, -12);
    EXPECT_EQ(outcome.error, read_error::none);
    EXPECT_EQ(a.value(), 0.25f);
    EXPECT_EQ(b.value(), 1.0f);  // a comma separates values in every locale
}

}  // namespace
}  // namespace lousa::console
