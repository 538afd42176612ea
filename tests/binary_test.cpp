// End-to-end runs of the built program: exit status, the screen on standard
// output and the report of a failed read on standard error.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/run_binary.hpp"
#include "tests/transcript.hpp"

namespace {

namespace fs = std::filesystem;
using lousa::testing::join_lines;
using lousa::testing::platform_lines;
using lousa::testing::run_binary;
using lousa::testing::run_result;

// The line of `needle` in a source file, counting from 1.
int line_of(const std::string& file, const std::string& needle) {
    const std::vector<std::string> lines =
        lousa::testing::split_lines(lousa::testing::read_file(lousa::testing::source_root() / file));
    for (std::size_t n = 0; n < lines.size(); ++n)
        if (lines[n].find(needle) != std::string::npos) return static_cast<int>(n) + 1;
    return -1;
}

std::string report(const std::string& file, const std::string& needle, const std::string& message) {
    return platform_lines("At line " + std::to_string(line_of(file, needle)) + " of file " + file +
                          " (unit = 5, file = 'stdin')\nConsole error: " + message + "\n");
}

const std::string pairs_session = "3\n1\n4\n10 8\n12 11\n9 9\n11 8\n";

// A failed read: status 2, the report names the read in its source file, and
// the screen keeps what was written before it.
TEST(Binary, AFailedReadStopsWithStatusTwo) {
    struct stop {
        std::string typed, file, read, message, last_line;
    };
    const stop stops[] = {
        {"3\n1\n2\n10 x\n", "parametric/teste_t_pareado.cpp", "con.read(xa[j], xd[j])",
         "Bad real number in item 2 of list input", " Digitar o par (Xa e Xd) numero   1"},
        {pairs_session, "shell/shell.cpp", "con.read(k)", "End of file", " " + std::string(52, '*')},
        {"3\n1\n2147483648\n", "parametric/teste_t_pareado.cpp", "le_contagem(con, n",
         "Integer overflow while reading item 1", " ***** Quandos pares ser\xC6o digitados?  *****"},
    };
    for (const stop& s : stops) {
        const run_result r = run_binary(s.typed);
        EXPECT_EQ(r.status, 2) << s.typed;
        EXPECT_EQ(r.err, report(s.file, s.read, s.message));
        EXPECT_TRUE(r.out.ends_with(platform_lines(s.last_line + "\n"))) << s.typed;
    }
}

// The prompts written after the last wait for input are still held when the
// read fails: they must reach the terminal before the report does.
TEST(Binary, TheScreenComesBeforeTheReportOnOneTerminal) {
    const run_result apart = run_binary("3\n1\n2\n10 x\n");
    const run_result together = run_binary("3\n1\n2\n10 x\n", "", true);
    EXPECT_EQ(together.status, 2);
    EXPECT_EQ(together.out, apart.out + apart.err);
}

// ---------------------------------------------------------------------------
// The command line, through files as a script would use it.

// Options that show a text instead of the dialogue, or refuse to run.
TEST(Binary, ShowsTheVersionAndTheHelpOrRefusesAnUnknownOption) {
    struct run {
        std::string arguments;
        int status;
        std::string out_start, err;
    };
    const run runs[] = {
        // in code page 850 whatever the locale of the tests
        {"--version --cp850", 0, std::string("lousa ") + LOUSA_VERSION + "\nSoftware livre, licen\x87" "a MIT", ""},
        {"--help --cp850", 0, "Lousa: aplica\x87\xE4" "es de bioestat\xA1stica para o ensino.\n", ""},
        {"--ajuda", 64, "", "lousa: opcao desconhecida: --ajuda\nUse 'lousa --help' para ver as opcoes.\n"},
        {"--help x", 64, "", "lousa: opcao desconhecida: x\nUse 'lousa --help' para ver as opcoes.\n"},
    };
    for (const run& expected : runs) {
        const run_result r = run_binary(pairs_session + "0\n", expected.arguments);
        EXPECT_EQ(r.status, expected.status) << expected.arguments;
        EXPECT_TRUE(r.out.starts_with(platform_lines(expected.out_start))) << expected.arguments;
        EXPECT_EQ(r.err, platform_lines(expected.err)) << expected.arguments;
        if (expected.status == 64) {
            EXPECT_EQ(r.out, "") << expected.arguments;
        }
    }
}

TEST(Binary, Utf8OptionConvertsAFileBothWays) {
    // Kolmogorov-Smirnov with a class named in UTF-8 "Ação": read back as the
    // four characters it is, and shown again in UTF-8
    const run_result r =
        run_binary(platform_lines("10\n1\n2\nA\xC3\xA7\xC3\xA3o\nB\n0.5\n0.5\n30\n10\n0\n"), "--utf8");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find(platform_lines(" *          APLICA\xC3\x87\xC3\x83O                          CODIGO  *\n")),
              std::string::npos);
    EXPECT_NE(r.out.find(platform_lines(" ** Digitar a proporcao (%) teorica da classe =      A\xC3\xA7\xC3\xA3o       **\n")),
              std::string::npos);
}

// Today's Windows tools save an example's answers with a mark; the program
// still prints the example's screen. (The marks of UTF-16 are decoded by the
// same keyboard: see the keyboard's table in utf8_test.)
TEST(Binary, AnswersSavedByWindowsToolsPrintTheExamplesScreen) {
    const fs::path example = lousa::testing::source_root() / "examples" / "03-teste-t-pareado";
    const std::string answers = lousa::testing::read_file(example.string() + ".txt");
    const std::string screen = platform_lines(lousa::testing::read_file(example.string() + ".tela"));
    const run_result r = run_binary("\xEF\xBB\xBF" + answers);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out == screen);
}

// A folder that cannot be written costs neither the screen nor the dialogue:
// the run ends, and then says so with status 1. A writable one gets the file
// that standard error names; a result with no picture gets no file.
TEST(Binary, PicturesGoToTheirFolderOrFailAtTheEnd) {
    const std::string typed = lousa::testing::read_file(lousa::testing::source_root() / "examples/03-teste-t-pareado.txt");
    const auto plain = lousa::testing::run_binary(typed);
    const auto lost = lousa::testing::run_binary(typed, "--graficos /nonexistent-lousa-folder");
    EXPECT_EQ(lost.status, 1);
    EXPECT_EQ(lost.out, plain.out);
    EXPECT_NE(lost.err.find("os graficos nao puderam ser gravados: /nonexistent-lousa-folder/03-"), std::string::npos)
        << lost.err;

    const fs::path folder = fs::temp_directory_path() / "lousa-graficos-test";
    fs::remove_all(folder);
    fs::create_directory(folder);
    std::ofstream(folder / "03-teste-t-pareado.svg") << std::string(200000, 'x');  // an older, longer file
    const auto drawn = lousa::testing::run_binary(typed, "--graficos " + folder.string());
    EXPECT_EQ(drawn.status, 0);
    EXPECT_EQ(drawn.out, plain.out);
    const std::string named = "lousa: grafico gravado: " + folder.string() + "/";
    ASSERT_EQ(drawn.err.find(named), 0u) << drawn.err;
    const std::string file = drawn.err.substr(named.size(), drawn.err.find_first_of("\r\n") - named.size());
    const std::string picture = lousa::testing::read_file(folder / file);
    ASSERT_GE(picture.size(), 7u) << file;
    EXPECT_EQ(picture.find("<svg"), 0u) << file;
    EXPECT_EQ(picture.substr(picture.size() - 7), "</svg>\n") << "the older file's tail is left";

    // The sample size is one number: said so, and no empty file left behind.
    const auto none = lousa::testing::run_binary(
        lousa::testing::read_file(lousa::testing::source_root() / "examples/01-dimensionamento-de-amostras.txt"),
        "--graficos " + folder.string());
    EXPECT_EQ(none.status, 0);
    EXPECT_EQ(none.err.find("lousa: sem grafico: o dimensionamento de amostras"), 0u) << none.err;
    EXPECT_FALSE(fs::exists(folder / "01-dimensionamento-de-amostras.svg"));
    fs::remove_all(folder);
}

}  // namespace
