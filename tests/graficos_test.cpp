// The pictures of the results. Each kind is drawn here from a small result;
// GraficosArquivos writes them all into a folder, where
// tests/graficos_xml.py reads them with a real XML parser and finds the
// points at the coordinates their axes give.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "codepage/cp850.hpp"
#include "graficos/graficos.hpp"
#include "graficos/svg.hpp"

namespace lousa::graficos {
namespace {

using namespace resultados;

std::string cp850(const lousa::texto t) { return std::string(t.bytes); }

ajustes pontos_e_retas() {
    return {{1, 2, 3, 4, 5}, {2.1, 3.9, 6.2, 7.8, 10.1},
            {{forma::reta, cp850("Linha reta"_t), 0.05, 1.99, 0}, {forma::potencial, cp850("Curva potencial"_t), 2.0, 0.98, 0}}};
}

estatistica estatistica_de(lei l, std::string nome, double valor, double gl1, double gl2 = 0) {
    estatistica e;
    e.distribuicao = l;
    e.nome = std::move(nome);
    e.valor = valor;
    e.gl1 = gl1;
    e.gl2 = gl2;
    return e;
}

// One result of each kind of picture, under the name its file takes.
std::vector<std::pair<std::string, std::string>> um_de_cada() {
    std::vector<std::pair<std::string, std::string>> svgs;
    const auto junta = [&svgs](std::int32_t codigo, std::vector<dados> d) {
        svgs.emplace_back(nome_do_arquivo(codigo), desenha(codigo, d));
    };
    junta(2, {amostras{centro::media, {{cp850("Fêmeas & <jovens>"_t), {12.1, 13.4, 11.8, 12.9, 14.2, 12.1}, 12.75},
                                       {"Machos", {10.2, 11.1, 9.8, 10.5}, 10.4}}}});
    junta(3, {amostras{centro::media, {{"", {0.5, -0.2, 1.1, 0.8}, 0.55}}}});
    junta(6, {medias_de_celulas{2, 3, {10, 12, 15, 11, 11.5, 12}}});
    junta(7, {pontos_e_retas()});
    junta(8, {sequencia{{3, 7, 8, 2, 1, 9, 9, 4, 5, 6, 2, 8, 7, 1, 3, 9, 5, 5, 2, 8}, 5}});
    junta(9, {frequencias{1, 3, {"A", "B", "C"}, {30, 50, 20}, {25, 50, 25}}});
    svgs.emplace_back("09-qui-quadrado-tabela.svg", desenha(9, {frequencias{2, 3, {}, {10, 20, 30, 20, 10, 10}, {15, 15, 20, 15, 15, 20}}}));
    junta(10, {acumuladas{{"machos", "femeas"}, {0.25, 1}, {0.5, 1}, 0.25, 0}});
    junta(11, {proporcao{0.6, 0.5, 0.402, 0.598}});
    junta(14, {pares_de_postos{{1, 2, 3, 4, 5}, {2, 1, 4, 3, 5}}});
    junta(15, {amostras{centro::posto_medio, {{"A", {1, 2, 3}, 2}, {"B", {4, 5, 6}, 5}, {"C", {7, 8, 9}, 8}}}});
    junta(16, {ajustes{{1, 2, 3, 4}, {1, 4, 9, 16}, {{forma::parabola, "", 0, 0, 1}, {forma::gaussiana, "", 16, 1.1, 4}}}});
    svgs.emplace_back("t.svg", distribuicao(estatistica_de(lei::t_student, "t", 2.5, 9)));
    svgs.emplace_back("f.svg", distribuicao(estatistica_de(lei::f_snedecor, "Fc", 5.1, 2, 12)));
    svgs.emplace_back("qui.svg", distribuicao(estatistica_de(lei::qui_quadrado, "Qui", 3.2, 1)));
    return svgs;
}

TEST(GraficosArquivos, EveryKindIsDrawnAndWrittenForTheXmlCheck) {
    const char* pasta = std::getenv("LOUSA_GRAFICOS_SAIDA");
    const auto saida = pasta ? std::filesystem::path(pasta) : std::filesystem::temp_directory_path() / "lousa-graficos";
    std::filesystem::create_directories(saida);
    for (const auto& [nome, svg] : um_de_cada()) {
        ASSERT_EQ(svg.rfind("<svg ", 0), 0u) << nome;
        std::ofstream(saida / nome, std::ios::binary) << svg;
        EXPECT_EQ(std::filesystem::file_size(saida / nome), svg.size()) << nome;
    }
}

TEST(Graficos, FilesAreNamedAsTheExamples) {
    EXPECT_EQ(nome_do_arquivo(1), "01-dimensionamento-de-amostras.svg");
    EXPECT_EQ(nome_do_arquivo(7), "07-correlacao-e-regressao.svg");
    EXPECT_EQ(nome_do_arquivo(16), "16-regressoes-curvilineas.svg");
}

TEST(Graficos, NoPictureForTheSampleSizeNorForAResultNeverReported) {
    EXPECT_EQ(desenha(1, {proporcao{0.5, 0.5, 0.4, 0.6}}), "");
    EXPECT_EQ(desenha(7, {}), "");
    EXPECT_EQ(desenha(4, {amostras{}}), "");
    EXPECT_EQ(distribuicao(estatistica_de(lei::mann_whitney, "U", 13, 0, 0)), "");
    EXPECT_EQ(distribuicao(estatistica_de(lei::t_student, "t", 2.0, 0)), "");  // no degrees of freedom
}

TEST(Graficos, SameResultSameBytes) {
    const auto a = um_de_cada(), b = um_de_cada();
    EXPECT_EQ(a, b);
}

TEST(Graficos, TypedNamesAreUtf8AndEscaped) {
    const std::string svg = desenha(2, {amostras{centro::media, {{cp850("Fêmeas & <jovens>"_t), {1, 2}, 1.5}}}});
    EXPECT_NE(svg.find("Fêmeas &amp; &lt;jovens&gt;"), std::string::npos);
    EXPECT_EQ(svg.find("<jovens>"), std::string::npos);
}

// The text alternative: a typed name's tab cannot split a cell; a contingency
// table keeps its shape, each cell with its expected frequency.
TEST(Graficos, TheNumbersAreATableOfWhatThePictureShows) {
    EXPECT_EQ(numeros(4, {amostras{centro::media, {{"A\tB", {1, 2.5}, 1.75}}}}),
              "Grupo\tn\tMédia\tValores\nA B\t2\t1.75\t1; 2.5\n");
    EXPECT_EQ(numeros(9, {frequencias{2, 2, {}, {10, 20, 30, 40}, {12, 18, 28, 42.5}}}),
              "Observada (esperada)\tColuna 1\tColuna 2\nLinha 1\t10 (12)\t20 (18)\nLinha 2\t30 (28)\t40 (42.5)\n");
    EXPECT_EQ(numeros(1, {amostras{}}), "");
}

TEST(Graficos, ExpectedTicksOnlyWhereTheBarsHaveRoomAndTheDescriptionSaysSo) {
    const std::string pequena = desenha(9, {frequencias{2, 2, {}, {1, 2, 3, 4}, {1, 2, 3, 4}}});
    const std::string grande = desenha(9, {frequencias{50, 50, {}, std::vector<double>(2500, 5), std::vector<double>(2500, 5)}});
    EXPECT_NE(pequena.find("class=\"esperada\""), std::string::npos);
    EXPECT_EQ(grande.find("class=\"esperada\""), std::string::npos);
    EXPECT_NE(grande.find("finas demais para marcar a frequência esperada"), std::string::npos);
    EXPECT_NE(grande.find(">Linha 17<"), std::string::npos);  // the legend: what fits, then how many more
    EXPECT_EQ(grande.find(">Linha 18<"), std::string::npos);
    EXPECT_NE(grande.find(">… e mais 33<"), std::string::npos);
}

TEST(Graficos, EachFittedCurveOnceWhenTheSessionReportsAfterEachFit) {
    auto um = pontos_e_retas(), dois = pontos_e_retas();
    um.curvas.pop_back();
    const std::string svg = desenha(7, {um, dois});
    std::size_t curvas = 0;
    for (auto k = svg.find("class=\"curva\""); k != std::string::npos; k = svg.find("class=\"curva\"", k + 1)) ++curvas;
    EXPECT_EQ(curvas, 2u);
}

// The y coordinates of every path of a class.
std::vector<double> alturas_dos_caminhos(const std::string& svg, const std::string& classe) {
    std::vector<double> ys;
    for (auto k = svg.find("class=\"" + classe + "\""); k != std::string::npos; k = svg.find("class=\"" + classe + "\"", k + 1)) {
        const auto d = svg.find(" d=\"", k) + 4, fim = svg.find('"', d);
        for (auto v = svg.find(',', d); v < fim; v = svg.find(',', v + 1)) ys.push_back(std::stod(svg.substr(v + 1)));
    }
    return ys;
}

TEST(Graficos, ACurveIsCutAtItsPoleAndAtTheEdgesOfThePlot) {
    const std::string svg =
        desenha(7, {ajustes{{-2, -1, 1, 2}, {-1, -2, 2, 1}, {{forma::hiperbole, "", 0, 2, 0}}}});
    const auto ys = alturas_dos_caminhos(svg, "curva");
    ASSERT_GT(ys.size(), 20u);
    for (const double y : ys) EXPECT_TRUE(y >= 44 && y <= 348) << y;  // the plot box
    const auto d = svg.find("class=\"curva\"");
    EXPECT_EQ(std::count(svg.begin() + static_cast<long>(d), svg.begin() + static_cast<long>(svg.find("/>", d)), 'M'), 2);
}

TEST(Graficos, ValuesThatAreNotNumbersAreLeftOut) {
    const std::string svg = desenha(4, {amostras{centro::media, {{"A", {1, NAN, 3, INFINITY}, 2}}}});
    std::size_t pontos = 0;
    for (auto k = svg.find("class=\"ponto\""); k != std::string::npos; k = svg.find("class=\"ponto\"", k + 1)) ++pontos;
    EXPECT_EQ(pontos, 2u);
    EXPECT_EQ(svg.find("nan"), std::string::npos);
    EXPECT_EQ(svg.find("inf"), std::string::npos);
}

TEST(Graficos, TheListenerHandsEachResultOnceAndStartsAfresh) {
    std::vector<std::pair<std::string, std::size_t>> entregues;
    desenhista d([&](std::int32_t, const std::string& nome, const desenho& figura, const std::string&) {
        entregues.emplace_back(nome, figura.inteiro().size());
    });
    resultados::canal canal;
    canal.escuta(d);
    canal.informa(dados{pares_de_postos{{1, 2}, {2, 1}}});
    canal.encerra(14);
    canal.encerra(1);
    ASSERT_EQ(entregues.size(), 2u);
    EXPECT_EQ(entregues[0].first, "14-spearman.svg");
    EXPECT_GT(entregues[0].second, 0u);
    EXPECT_EQ(entregues[1], std::make_pair(std::string("01-dimensionamento-de-amostras.svg"), std::size_t{0}));
}

// A picture sent on as it is drawn (to a file) is the same picture, in
// pieces of a few kilobytes; a result with no picture sends nothing.
TEST(Graficos, APictureInPiecesIsTheWholePicture) {
    std::vector<dados> tabela{frequencias{50, 50, {}, std::vector<double>(2500, 5), std::vector<double>(2500, 7)}};
    std::vector<std::size_t> pedacos;
    std::string junto;
    EXPECT_TRUE(desenho(9, tabela).em_partes([&](std::string_view p) { pedacos.push_back(p.size()), junto += p; }));
    EXPECT_EQ(junto, desenha(9, tabela));
    EXPECT_GT(pedacos.size(), 2u);
    EXPECT_LT(*std::max_element(pedacos.begin(), pedacos.end()), 16384u);
    std::vector<dados> nada{proporcao{0.5, 0.5, 0.4, 0.6}};
    EXPECT_FALSE(desenho(1, nada).em_partes([&](std::string_view) { ADD_FAILURE() << "a piece of no picture"; }));
}

TEST(Graficos, LabelsHaveAPointAndFixedDecimals) {
    const std::vector<std::pair<std::string, std::string>> casos = {
        {numero(2.5, 2), "2.50"},    {numero(-0.004, 2), "0.00"}, {numero(1234567, 0), "1234567"},
        {numero(0.05, 3), "0.050"},  {breve(12.75), "12.75"},     {breve(3.0), "3"},
        {breve(-0.00001), "0"},      {como_na_tela(0.45, 1), "0.4"}, {numero(NAN, 2), "NaN"},
    };
    for (const auto& [feito, esperado] : casos) EXPECT_EQ(feito, esperado);
}

TEST(Graficos, TicksAreRoundAndCoverTheData) {
    const auto m = marcas_de(0.37, 9.2, 6);
    EXPECT_EQ(m.valores.front(), 0);
    EXPECT_EQ(m.valores.back(), 10);
    EXPECT_EQ(m.valores.size(), 6u);
    EXPECT_EQ(marcas_de(0.01, 0.048, 4).casas, 2);
    EXPECT_EQ(marcas_de(-1.7e308, 1.7e308, 4).valores, (std::vector<double>{0, 0.5, 1}));  // beyond doubles
}

TEST(Graficos, TheStatisticIsMarkedBeyondTheTabledValue) {
    const std::string svg = distribuicao(estatistica_de(lei::t_student, "t", 2.5, 9));
    EXPECT_NE(svg.find(">crítico 2.262<"), std::string::npos);  // t(0.975; 9) = 2.262
    EXPECT_NE(svg.find("t = 2.50"), std::string::npos);
    EXPECT_NE(svg.find("cai na região de rejeição"), std::string::npos);
}

TEST(Graficos, PearsonsRIsDrawnThroughItsT) {
    auto r = estatistica_de(lei::correlacao, "r", 0.6, 0);
    r.n1 = 10;  // t = 0.6 sqrt(8 / 0.64) = 2.12 with 8 gl
    const std::string svg = distribuicao(r);
    EXPECT_NE(svg.find("t de r = 2.12"), std::string::npos);
    EXPECT_NE(svg.find("t de Student com 8 gl"), std::string::npos);
}

}  // namespace
}  // namespace lousa::graficos
