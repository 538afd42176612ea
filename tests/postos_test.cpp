// The ranking shared by the signed-rank, Mann-Whitney and Kruskal-Wallis tests:
// the exchange sort and the average ranks of ties, checked directly.

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "nonparametric/postos.hpp"

namespace lousa {
namespace {

constexpr int cap = 200;

template <class T = real>
vetor<T, cap> de(const std::vector<double>& valores) {
    vetor<T, cap> v;
    int j = 0;
    for (double x : valores) v[++j] = static_cast<T>(x);
    return v;
}

template <class T>
std::vector<double> primeiros(const vetor<T, cap>& v, int n) {
    std::vector<double> r;
    for (int j = 1; j <= n; ++j) r.push_back(double(v[j]));
    return r;
}

std::vector<double> postos_de(vetor<real, cap> v, int n, double (*chave)(real)) {
    vetor<real, cap> posto;
    for (int j = 1; j <= n; ++j) posto[j] = j;
    postos::media_dos_empates(v, posto, n, chave);
    return primeiros(posto, n);
}

// By magnitude, equal magnitudes keep their order (3 was typed before -3, and
// -2 before 2); no value or a count below one leaves the list alone.
TEST(OrdenaPorTrocas, SortsTheFirstNByTheKey) {
    const std::tuple<std::vector<double>, int, double (*)(real), std::vector<double>> cases[] = {
        {{5, -1, 3, 0, 2.5, -7}, 6, postos::valor, {-7, -1, 0, 2.5, 3, 5}},
        {{3, -2, -1, 0, -3, 2, 5}, 7, postos::magnitude, {0, -1, -2, 2, 3, -3, 5}},
        {{2, 1}, 1, postos::valor, {2, 1}},
        {{2, 1}, 0, postos::valor, {2, 1}},
        {{2, 1}, -5, postos::valor, {2, 1}},
    };
    for (const auto& [valores, n, chave, esperado] : cases) {
        auto v = de(valores);
        postos::ordena_por_trocas(v, n, chave);
        EXPECT_EQ(primeiros(v, static_cast<int>(esperado.size())), esperado) << n;
    }
}

TEST(OrdenaPorTrocas, EqualKeysKeepThePooledOrderOfTheirMarks) {
    // Three 4s and two 1s, marked in pooled order; a sort that moved equal
    // keys past each other would scramble the marks.
    auto v = de({4, 1, 4, 4, 1, 0});
    auto marca = de<std::int32_t>({1, 2, 3, 4, 5, 6});
    postos::ordena_por_trocas(v, marca, 6, postos::valor);
    EXPECT_EQ(primeiros(v, 6), (std::vector<double>{0, 1, 1, 4, 4, 4}));
    EXPECT_EQ(primeiros(marca, 6), (std::vector<double>{6, 2, 5, 1, 3, 4}));
}

TEST(OrdenaPorTrocas, FullPassesSortReverseOrder) {
    // Reverse order needs every one of the n - 1 passes.
    vetor<real, cap> v;
    for (int j = 1; j <= cap; ++j) v[j] = cap + 1 - j;
    postos::ordena_por_trocas(v, cap, postos::valor);
    for (int j = 1; j <= cap; ++j) EXPECT_EQ(double(v[j]), j);
}

TEST(OrdenaPorTrocas, IntegersByTheirValues) {
    // The runs test sorts its data in units of the last decimal place.
    auto v = de<std::int32_t>({7, -3, 2147483647, 0, -2147483648.0, 7, 2});
    postos::ordena_por_trocas(v, 7);
    EXPECT_EQ(primeiros(v, 7), (std::vector<double>{-2147483648.0, -3, 0, 2, 7, 7, 2147483647}));
}

TEST(OrdenaPorTrocas, RealsByTheirValuesAsWithTheValueKey) {
    // A NaN compares false both ways, so where it stops depends on the passes:
    // the sort without a key must move it exactly as the sort by valor does.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    auto sem_chave = de({3, nan, -1, 2, nan, 0.5, -4});
    auto com_chave = sem_chave;
    postos::ordena_por_trocas(sem_chave, 7);
    postos::ordena_por_trocas(com_chave, 7, postos::valor);
    for (int j = 1; j <= 7; ++j) {
        EXPECT_EQ(std::isnan(sem_chave[j]), std::isnan(com_chave[j])) << j;
        if (!std::isnan(com_chave[j])) {
            EXPECT_EQ(double(sem_chave[j]), double(com_chave[j])) << j;
        }
    }
    EXPECT_EQ(double(sem_chave[1]), 3);  // nothing passes the NaN in position 2
}

// Runs of ties get their average rank: at the end (2 2 2 at positions 2-4: 3;
// 5 5 at 5-6: 5.5), at the start (7 7: 1.5; 8 8 8 8: 4.5); by magnitude -2
// and 2 tie, by value they do not; a NaN ties with nothing.
TEST(MediaDosEmpates, RunsOfTiesGetTheirAverageRank) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::tuple<std::vector<double>, double (*)(real), std::vector<double>> cases[] = {
        {{1, 2, 3, 4}, postos::valor, {1, 2, 3, 4}},
        {{1, 2, 2, 2, 5, 5}, postos::valor, {1, 3, 3, 3, 5.5, 5.5}},
        {{7, 7, 8, 8, 8, 8, 9}, postos::valor, {1.5, 1.5, 4.5, 4.5, 4.5, 4.5, 7}},
        {{-2, 2, 5}, postos::magnitude, {1.5, 1.5, 3}},
        {{-2, 2, 5}, postos::valor, {1, 2, 3}},
        {{1, nan, nan, 4}, postos::valor, {1, 2, 3, 4}},
    };
    for (const auto& [valores, chave, esperado] : cases)
        EXPECT_EQ(postos_de(de(valores), static_cast<int>(valores.size()), chave), esperado);
}

TEST(MediaDosEmpates, AFullListOfEqualValues) {
    // 200 equal values: every rank (1 + 200) / 2, restarts inside the run included.
    vetor<real, cap> v;
    for (int j = 1; j <= cap; ++j) v[j] = 3.25;
    for (double p : postos_de(v, cap, postos::valor)) EXPECT_EQ(p, 100.5);
}

TEST(MediaDosEmpates, EmptyOrNegativeCountRanksNothing) {
    EXPECT_TRUE(postos_de(de({1, 1}), 0, postos::valor).empty());
    vetor<real, cap> posto;
    postos::media_dos_empates(de({1, 1}), posto, -3, postos::valor);
    EXPECT_EQ(double(posto[1]), 0);
}

}  // namespace
}  // namespace lousa
