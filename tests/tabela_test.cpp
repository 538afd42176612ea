// The "Consulta à tabela" blocks read from the statistics alone, the options
// that ask for them and for the pictures, and the picture files of a real run.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/resultados.hpp"
#include "shell/opcoes.hpp"
#include "tabela/tabela.hpp"
#include "tests/run_binary.hpp"
#include "tests/transcript.hpp"

namespace {

namespace fs = std::filesystem;
using lousa::resultados::estatistica;
using lousa::resultados::lei;
using lousa::resultados::veredito;

std::string block_text(const estatistica& e) {
    std::string text;
    for (const std::string& line : lousa::tabela::bloco(e)) text += lousa::utf8_from_cp850(line) + "\n";
    return text;
}

// Published critical values, exact small-sample tables, ties, the screen's
// own verdict and statistics no table can read.
TEST(TableBlock, SaysWhatThePrintedTableWould) {
    const double inf = INFINITY, nan = NAN;
    struct row {
        estatistica e;
        std::vector<std::string> shown;
    };
    const std::vector<row> rows = {
        {{.distribuicao = lei::t_student, .nome = "t", .valor = 2.5, .gl1 = 9},
         {"t = 2.50 com 9 graus de liberdade", "5 % = 2.262   1 % = 3.250", "p = 0.03386", "Rejeita-se H0 a 5 %"}},
        {{.distribuicao = lei::f_snedecor, .nome = "F", .valor = 2, .gl1 = 2, .gl2 = 12},
         {"(cauda superior): 5 % = 3.885", "Não se rejeita H0"}},
        {{.distribuicao = lei::qui_quadrado, .nome = "X", .valor = 30, .gl1 = 4}, {"5 % = 9.488", "p < 0.0001"}},
        {{.distribuicao = lei::f_snedecor, .nome = "F", .valor = inf, .gl1 = 2, .gl2 = 12},
         {"F = +Inf", "sem tabela: variância nula"}},
        {{.distribuicao = lei::f_snedecor, .nome = "F", .valor = nan, .gl1 = 1, .gl2 = 1}, {"sem tabela: variância nula"}},
        {{.distribuicao = lei::t_student, .nome = "t", .valor = 1, .gl1 = 0}, {"graus de liberdade insuficientes"}},
        {{.distribuicao = lei::postos_sinalizados, .nome = "T", .valor = 8, .n1 = 10},
         {"5 % = 8   1 % = 3", "Rejeita-se H0"}},
        {{.distribuicao = lei::postos_sinalizados, .nome = "T", .valor = 8, .n1 = 10, .empates = true},
         {"Há empates", "Aproximação normal: Z = 1.99", "5 % = 1.960"}},
        {{.distribuicao = lei::mann_whitney, .nome = "U", .valor = 14, .n1 = 8, .n2 = 8},
         {"5 % = 13   1 % = 7", "Não se rejeita H0"}},
        {{.distribuicao = lei::postos_sinalizados, .nome = "T", .valor = 0, .n1 = 0}, {"sem tabela"}},
        {{.distribuicao = lei::kolmogorov, .nome = "Dc", .valor = 0.3, .casas = 3, .n1 = 10},
         {"Dc = 0.300 com N = 10", "5 % = 0.409", "conservador"}},
        {{.distribuicao = lei::spearman, .nome = "rs", .valor = 0.9, .casas = 3, .n1 = 7},
         {"(Spearman, exata)", "5 % = 0.786"}},
        {{.distribuicao = lei::correlacao, .nome = "r", .valor = 0.5, .n1 = 2}, {"ao menos 3 pares"}},
        {{.distribuicao = lei::t_tabelado, .nome = "t", .gl1 = 3, .gl2 = 4},
         {"3 g.l.: 5 % = 3.182   1 % = 5.841", "4 g.l.: 5 % = 2.776   1 % = 4.604"}},
        // The screen compares in single precision with 1.96: its verdict holds.
        {{.distribuicao = lei::normal, .nome = "Z", .valor = 1.96f, .na_tela = veredito::nao_rejeita,
          .critico_na_tela = 1.96f},
         {"Conclusão da tela: não se rejeita H0", "Z igual ao valor crítico da tela (1.96): vale a tela."}},
        {{.distribuicao = lei::normal, .nome = "Z", .valor = 1.95998, .na_tela = veredito::nao_rejeita,
          .critico_na_tela = 1.96f},
         {"p = 0.05000", "A tela compara com 1.96 em precisão simples: vale a tela."}},
    };
    for (const row& r : rows) {
        const std::string text = block_text(r.e);
        for (const std::string& s : r.shown) EXPECT_NE(text.find(s), std::string::npos) << s << "\n" << text;
        const std::vector<std::string> lines = lousa::tabela::bloco(r.e);
        for (const std::string& line : lines) EXPECT_EQ(line.size(), lines.front().size()) << text;
    }
}

TEST(TableBlock, OnlyWithoutAScreenVerdictAreCriticalValuesOrAVerdictAdded) {
    const std::string text = block_text({.distribuicao = lei::normal, .nome = "Z", .valor = 3,
                                         .na_tela = veredito::rejeita, .critico_na_tela = 1.96f});
    EXPECT_EQ(text.find("Críticos"), std::string::npos) << text;
    EXPECT_EQ(text.find("\n* Rejeita-se"), std::string::npos) << text;
}

TEST(TableOptions, TabelaAndGraficosFolder) {
    const std::vector<const char*> both = {"--tabela", "--graficos", "figs"};
    const lousa::options asked = lousa::parse_options(both);
    EXPECT_EQ(asked.what, lousa::request::run);
    EXPECT_TRUE(asked.table);
    EXPECT_EQ(asked.pictures_folder, "figs");
    for (const std::vector<const char*>& refused : {std::vector<const char*>{"--graficos"}, {"--graficos", ""}})
        EXPECT_EQ(lousa::parse_options(refused).what, lousa::request::unknown_option);
    EXPECT_FALSE(lousa::parse_options(std::vector<const char*>{}).table);
}

// A folder that cannot be written costs neither the screen nor the dialogue:
// the run ends, and then says so with status 1. A writable one gets the file
// that standard error names.
TEST(TableBinary, PicturesGoToTheirFolderOrFailAtTheEnd) {
    const std::string typed = lousa::testing::read_file(lousa::testing::source_root() / "examples/03-teste-t-pareado.txt");
    const auto plain = lousa::testing::run_program(typed);
    const auto lost = lousa::testing::run_program(typed, "--graficos /nonexistent-lousa-folder");
    EXPECT_EQ(lost.status, 1);
    EXPECT_EQ(lost.out, plain.out);
    EXPECT_NE(lost.err.find("os graficos nao puderam ser gravados: /nonexistent-lousa-folder/03-"), std::string::npos)
        << lost.err;

    const fs::path folder = fs::temp_directory_path() / "lousa-graficos-test";
    fs::remove_all(folder);
    fs::create_directory(folder);
    const auto drawn = lousa::testing::run_program(typed, "--graficos " + folder.string());
    EXPECT_EQ(drawn.status, 0);
    EXPECT_EQ(drawn.out, plain.out);
    const std::string named = "lousa: grafico gravado: " + folder.string() + "/";
    ASSERT_EQ(drawn.err.find(named), 0u) << drawn.err;
    const std::string file = drawn.err.substr(named.size(), drawn.err.find_first_of("\r\n") - named.size());
    EXPECT_NE(lousa::testing::read_file(folder / file).find("<svg"), std::string::npos) << file;
    fs::remove_all(folder);
}

}  // namespace
