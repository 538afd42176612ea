// The number and text types every application is written in.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "codepage/texto.hpp"
#include "common/vetores.hpp"
#include "console/real.hpp"

namespace lousa {
namespace {

TEST(Real, RoundsOnStoreButEvaluatesFormulasInDouble) {
    real a = 16777216.0f;  // 2^24: adding 1 in single precision is lost
    real b = 1;
    real sum = a + b - a;  // one formula in double: exact
    EXPECT_EQ(double(sum), 1.0);
    real stored = a + b;  // stored: rounded back to 2^24
    EXPECT_EQ(double(stored - a), 0.0);
    real third = 1.0 / 3.0;
    EXPECT_EQ(third.value(), 1.0f / 3.0f);
    third = third * 3;
    EXPECT_EQ(third.value(), 1.0f);
}

TEST(Real, ConstantsAreSinglePrecision) {
    real z = 1.96f;
    EXPECT_FALSE(z > 1.96f);
    EXPECT_TRUE(double(z) > 1.96);  // 1.96f is stored as 1.960000038...
}

TEST(Inteiro, TruncatesAndGivesTheIndefiniteValueOutOfRange) {
    EXPECT_EQ(inteiro(2.9), 2);
    EXPECT_EQ(inteiro(-2.9), -2);
    EXPECT_EQ(inteiro(2147483647.0), 2147483647);
    EXPECT_EQ(inteiro(-2147483648.0), -2147483647 - 1);
    EXPECT_EQ(inteiro(2147483648.0), -2147483647 - 1);
    EXPECT_EQ(inteiro(std::numeric_limits<double>::quiet_NaN()), -2147483647 - 1);
    EXPECT_EQ(inteiro(std::numeric_limits<double>::infinity()), -2147483647 - 1);
}

TEST(Vetor, IndexesFromOne) {
    vetor<real, 3> v;
    v[1] = 1;
    v[3] = 3;
    EXPECT_EQ(double(v[1]) + double(v[3]), 4.0);
    EXPECT_EQ(double(v[2]), 0.0);
    matriz<std::int32_t, 2, 3> m;
    m(2, 3) = 7;
    m(1, 1) = 1;
    EXPECT_EQ(m(2, 3) + m(1, 1), 8);
}

TEST(VetorDeathTest, AnIndexOutsideTheCapacityIsAProgramFault) {
    vetor<real, 3> v;
    EXPECT_DEATH_IF_SUPPORTED(v[4] = 1, "");
    EXPECT_DEATH_IF_SUPPORTED(v[0] = 1, "");
    matriz<real, 2, 2> m;
    EXPECT_DEATH_IF_SUPPORTED(m(3, 1) = 1, "");
}

TEST(Texts, AreCodePage850WithTheirExactLengths) {
    constexpr texto_fixo<12> t = "Ação";
    EXPECT_EQ(std::string(t.view()), std::string("A\x87\xC6o") + std::string(8, ' '));
    EXPECT_EQ(utf8_from_cp850(t.view()), "Ação        ");
    EXPECT_EQ("é"_t.size(), 1u);
}

}  // namespace
}  // namespace lousa
