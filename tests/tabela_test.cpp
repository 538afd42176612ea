// The "Consulta à tabela" blocks read from the statistics alone, the options
// that ask for them and for the pictures, and the picture files of a real run.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "common/resultados.hpp"
#include "shell/opcoes.hpp"
#include "shell/programa.hpp"
#include "tabela/tabela.hpp"
#include "tests/doubles.hpp"
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
         {"F = +Inf com", "sem tabela: variância nula"}},
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

// Every worked example with the blocks on the screen: take the blocks away
// and the screen is the example's own; the blocks hold what the printed
// tables give (checked against them: t(0.975; 5) = 2.571, F(0.95; 2, 3) =
// 9.55, F(2, 2) has p = 1/(1 + F), chi-square(0.95; 3) = 7.815, 1.36/sqrt(40)
// = 0.215, runs 10 and 10: R = 20 has probability 1/92378, ...).
TEST(TableRun, EachWorkedExampleShowsItsBlocks) {
    const std::vector<std::pair<int, std::vector<std::string>>> examples = {
        {2, {"Fc = 1.67 com 3 e 2 g.l.", "5 % = 19.164   1 % = 99.166", "5 % = 2.571   1 % = 4.032", "p = 0.01172"}},
        {3, {"5 % = 3.182   1 % = 5.841", "p = 0.1027", "Não se rejeita H0"}},
        {4, {"F = 7.00 com 2 e 3 g.l.", "5 % = 9.552   1 % = 30.817", "p = 0.07413"}},
        {5, {"F(colunas) = 21.00", "p = 0.04545", "5 % = 18.513"}},
        {6, {"F(lin x col) = 1.00", "5 % = 7.709", "p = 0.03994"}},
        {7, {"t de r = infinito com 1 grau", "5 % = 12.706", "p < 0.0001"}},
        {8, {"Z = 4.14", "R = 20 sequências com n1 = 10 e n2 = 10", "Conclusão da tela: rejeita-se H0"}},
        {9, {"5 % = 7.815   1 % = 11.345", "p = 0.9254"}},
        {10, {"N = 40", "5 % = 0.215   1 % = 0.258", "conservador", "p = 0.01090"}},
        {11, {"Z = 2.00", "p = 0.04550", "Conclusão da tela: rejeita-se H0"}},
        {12, {"T = 1.00 com N = 3", "5 % = nenhum", "p = 0.5000"}},
        {13, {"U = 0.00 com n1 = 3 e n2 = 3", "p = 0.1000"}},
        {14, {"t de rs = 5.95 com 8 graus", "5 % = 2.306   1 % = 3.355", "p = 0.0003436"}},
        {15, {"H = 4.57 com 2 graus", "5 % = 5.991   1 % = 9.210", "p = 0.1017"}},
    };
    for (const auto& [code, shown] : examples) {
        std::string typed;
        for (const auto& entry : fs::directory_iterator(lousa::testing::source_root() / "examples"))
            if (entry.path().extension() == ".txt" && std::stoi(entry.path().filename().string()) == code)
                typed = lousa::testing::read_file(entry.path());
        lousa::testing::string_sink plain, screen, err;
        lousa::testing::text_input in(typed), again(typed);
        lousa::run_program(in, plain, err);
        lousa::run_extras extras;
        extras.table_on_screen = true;
        EXPECT_EQ(lousa::run_program(again, screen, err, extras), 0) << code;
        std::string without, blocks;
        bool inside = false;
        for (const std::string& line : lousa::testing::split_lines(screen.text, lousa::line_end)) {
            if (line.find("Consulta \x85 tabela") != std::string::npos) inside = true;  // à in code page 850
            (inside ? blocks : without) += line + std::string(lousa::line_end);
            if (inside && line.find_first_not_of(" *") == std::string::npos && line.find('*') != std::string::npos &&
                line.size() > 60)
                inside = false;
        }
        EXPECT_EQ(without, plain.text) << code;
        for (const std::string& s : shown)
            EXPECT_NE(lousa::utf8_from_cp850(blocks).find(s), std::string::npos) << code << ": " << s;
    }
}

// The page's run: the screen as without extras, each block in one piece as
// soon as it is known, and the pictures as SVG documents.
TEST(TableRun, ThePagesExtrasLeaveTheScreenAlone) {
    using lousa::testing::string_sink;
    const std::string typed = lousa::testing::read_file(lousa::testing::source_root() / "examples/03-teste-t-pareado.txt");
    string_sink plain, out, err, table, pictures, distributions;
    lousa::testing::text_input in(typed), again(typed);
    EXPECT_EQ(lousa::run_program(in, plain, err), 0);
    lousa::run_extras extras;
    extras.table = &table;
    extras.pictures = &pictures;
    extras.distributions = &distributions;
    EXPECT_EQ(lousa::run_program(again, out, err, extras), 0);
    EXPECT_EQ(out.text, plain.text);
    EXPECT_EQ(table.text.find(" ****"), 0u) << table.text;
    EXPECT_NE(table.text.find("p = 0.1027"), std::string::npos) << table.text;
    EXPECT_EQ(pictures.text.find("<svg"), pictures.text.rfind("<svg")) << "one picture";
    EXPECT_NE(pictures.text.find("<svg"), std::string::npos);
    EXPECT_NE(distributions.text.find("<svg"), std::string::npos);
    EXPECT_EQ(err.text, "");
}

}  // namespace
