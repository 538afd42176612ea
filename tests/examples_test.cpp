// The example sessions of examples/: one answer file per application, each
// with the exact screen it prints beside it (NN-name.txt, NN-name.tela).
// Every example is run through the built program and compared byte for
// byte; a few key numbers of each are also checked against values worked
// out apart from the program (the course's worked examples, or
// tests/tools/exemplos_esperados.py in single precision), so a screen that
// merely recorded a wrong result cannot pass.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "shell/shell.hpp"
#include "tests/run_binary.hpp"
#include "tests/transcript.hpp"

namespace {

namespace fs = std::filesystem;

fs::path examples_dir() { return lousa::testing::source_root() / "examples"; }

// Example names (without extension), in code order.
std::vector<std::string> example_names() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(examples_dir()))
        if (entry.path().extension() == ".txt") names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

using lousa::testing::platform_lines;
using lousa::testing::run_result;
using lousa::testing::read_file;

// Result lines (or parts of them) that each example must show. The numbers
// come from the course's worked examples where they exist; the others were
// computed by tests/tools/exemplos_esperados.py.
const std::map<std::string, std::vector<std::string>> key_numbers = {
    // cholesterol pilot sample: mean 205, variance 641.26, cv 0.1235, n = 4 cv^2 / 0.05^2 = 24.41
    {"01-dimensionamento-de-amostras", {" * Erro maximo aceitavel =   0.05 // Tamanho da amostra =    24.*\n"}},
    // A = 5,6,7  B = 1,2,3,4
    {"02-teste-t-de-student",
     {" * MEDa=   6.00  VARa=   1.00 /// MEDb=   2.50 VARb=   1.67     *\n",
      " *                         Fc =   1.67                          *\n",
      "Graus de liberdade do numerador   =   3.", "Graus de liberdade do denominador =   2.",
      " *    t calculado =   3.87   ////  Graus de liberdade    5.     *\n"}},
    // differences 2, 1, 0, 3
    {"03-teste-t-pareado", {" *********** 't' =   2.32 /// Graus de liberdade =   3 **********\n"}},
    {"04-anova-um-criterio",
     {"F =  7.00", "GLCOL =  2", "GLRES =   3", "Desvio Padrao Residual =  1.41", "Mediacol ( 1) =   2.00\n",
      "Mediacol ( 2) =   3.00\n", "Mediacol ( 3) =   7.00\n"}},
    {"05-anova-dois-criterios",
     {" F(colunas)   =  21.00     GL(colunas)  =   2\n", " F(linhas)    =  12.00     GL(linhas)   =   1\n",
      " DPadrao Res. =   0.71     GL(residuo)  =   2\n", "Mediacol ( 2) =   3.50\n", "Mediacol ( 3) =   6.50\n",
      "Medialin ( 1) =   3.00\n", "Medialin ( 2) =   5.00\n"}},
    {"06-anova-com-repeticoes",
     {" F(colunas)   =   4.00     GL(colunas)  =   1\n", " F(linhas)    =   9.00     GL(linhas)   =   1\n",
      " F(lin x col) =   1.00     GL(lin x col)=   1\n", " DPadrao Res. =   1.41     GL(residuo)  =   4\n",
      "Mediacol ( 1) =   3.00\n", "Mediacol ( 2) =   5.00\n", "Medialin ( 1) =   2.50\n", "Medialin ( 2) =   5.50\n"}},
    // Y = 2X exactly: the line gives a = 0, b = 2; the power curve a = 2, b = 1
    {"07-correlacao-e-regressao",
     {"Coeficientes da Regressao: a =   0.00   b =   2.00 *\n",
      "Coeficientes da Regressao: a =   2.00   b =   1.00 *\n"}},
    // alternating 1, 9: R = 20, N1 = N2 = 10, MR = 11, SR = 2.1764288, Z = 4.1352143
    {"08-teste-de-aleatoriedade",
     {" VALOR DE Z =    4.1352143    \n", " N1 =          10   N2 =          10\n",
      " MR =   11.000000     SR =    2.1764288     R =    20.000000    \n",
      " Z > 1.96 REJEITAMOS H0. AMOSTRA NAO-ALEATORIA\n"}},
    // 9:3:3:1 segregation, 556 seeds: chi-square 0.470 with 3 degrees of freedom
    {"09-qui-quadrado", {" * Qui-Quadrado =   0.47    **     GL = 3 *\n"}},
    // n = 40 > 35: Dt = 1.36 / sqrt(40) = 0.21503
    {"10-kolmogorov-smirnov", {" *           Dc = 0.250 **  Dt  = 0.215            *\n"}},
    {"11-teste-z-proporcoes", {" **             Z =  2.00 /// Rejeitamos_Ho        **\n"}},
    // differences 3, -1, 5, 0: the zero dropped, T = rank of -1
    {"12-wilcoxon", {" *****  T =   1.00  *****  Ver Tabela para N =   3 ****\n"}},
    {"13-mann-whitney", {" **  U =   0.00  ***  Ver Tabela para N =   3 e   3  **\n"}},
    // sum of squared rank differences 16: rs = 1 - 96/990 = 0.903, t = 5.95 with 8 degrees of freedom
    {"14-spearman", {" ** Coeficiente de SPEARMAN = 0.903  *** t =  5.95 **\n"}},
    // R = 3, 7, 11: H = 12/42 * 89.5 - 21 = 4.57
    {"15-kruskal-wallis", {" ***  H =    4.57 ***  Graus de liberdade =  2    ***\n"}},
    // Y = 5 - 4X + X^2 = 1 + (X - 2)^2
    {"16-regressoes-curvilineas",
     {" *  A =       1.00  B =       2.00  C =       1.00  *\n", "Regressao =          0.00      *\n"}},
};

// One example per code of the menu, in code order, each starting from the
// menu with its code (its .tela file is checked below).
TEST(Examples, OneAnswerFileAndOneScreenPerApplication) {
    const std::vector<std::string> names = example_names();
    const auto codes = static_cast<std::int32_t>(names.size());
    EXPECT_NO_THROW(lousa::aplicacao_de_codigo(codes));
    EXPECT_THROW(lousa::aplicacao_de_codigo(codes + 1), std::out_of_range) << "a menu code without its example";
    for (int code = 1; code <= codes; ++code) {
        const std::string& name = names[code - 1];
        EXPECT_EQ(std::stoi(name), code) << name;
        EXPECT_EQ(std::stoi(read_file(examples_dir() / (name + ".txt"))), code) << name;
        EXPECT_EQ(key_numbers.count(name), 1u) << name << " has no key numbers";
    }
}

class Example : public ::testing::TestWithParam<std::string> {};

// The screen is its .tela file byte for byte (those keep the bytes a POSIX run
// prints; on Windows each line ends in CR LF), and that screen shows the key
// numbers.
TEST_P(Example, PrintsTheScreenBesideItWithItsKeyNumbers) {
    const run_result r = lousa::testing::run_binary(read_file(examples_dir() / (GetParam() + ".txt")));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    const std::string screen = read_file(examples_dir() / (GetParam() + ".tela"));
    ASSERT_FALSE(screen.empty());
    EXPECT_TRUE(r.out == platform_lines(screen)) << "the screen of " << GetParam() << " differs from its .tela file";
    const auto expected = key_numbers.find(GetParam());
    ASSERT_NE(expected, key_numbers.end());
    for (const std::string& part : expected->second)
        EXPECT_NE(screen.find(part), std::string::npos) << GetParam() << " does not show \"" << part << "\"";
}

std::string test_name(const ::testing::TestParamInfo<std::string>& info) {
    std::string name = "e" + info.param;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(Examples, Example, ::testing::ValuesIn(example_names()), test_name);

}  // namespace
