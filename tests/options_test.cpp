// The command line, and the texts shown instead of the dialogue.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/opcoes.hpp"
#include "shell/programa.hpp"
#include "tests/text_input.hpp"
#include "tests/transcript.hpp"

namespace {

lousa::opcoes parse(std::vector<const char*> arguments) { return lousa::le_opcoes(arguments); }

TEST(Opcoes, EachCommandLineMeansWhatItSays) {
    using lousa::pedido;
    using lousa::terminal::conversion;
    struct line {
        std::vector<const char*> arguments;
        pedido o_que;
        conversion acentos;
        std::string desconhecida;
    };
    const std::vector<line> lines = {
        {{}, pedido::executar, conversion::automatic, ""},
        {{"--help"}, pedido::ajuda, conversion::automatic, ""},
        {{"--version"}, pedido::versao, conversion::automatic, ""},
        {{"--version", "--help"}, pedido::ajuda, conversion::automatic, ""},
        {{"--cp850"}, pedido::executar, conversion::cp850, ""},
        {{"--utf8"}, pedido::executar, conversion::utf8, ""},
        {{"--cp850", "--utf8"}, pedido::executar, conversion::utf8, ""},
        {{"--utf8", "--help"}, pedido::ajuda, conversion::utf8, ""},
        {{"--x"}, pedido::opcao_desconhecida, conversion::automatic, "--x"},
        {{"-h"}, pedido::opcao_desconhecida, conversion::automatic, "-h"},
        {{"--help", "3"}, pedido::opcao_desconhecida, conversion::automatic, "3"},
        {{""}, pedido::opcao_desconhecida, conversion::automatic, ""},
        {{"--HELP"}, pedido::opcao_desconhecida, conversion::automatic, "--HELP"},
        {{"--utf8", "--a", "--b"}, pedido::opcao_desconhecida, conversion::utf8, "--a"},
    };
    for (const line& l : lines) {
        const lousa::opcoes got = parse(l.arguments);
        std::string shown;
        for (const char* a : l.arguments) shown += std::string("[") + a + "]";
        EXPECT_EQ(got.o_que, l.o_que) << shown;
        EXPECT_EQ(got.acentos, l.acentos) << shown;
        EXPECT_EQ(got.desconhecida, l.desconhecida) << shown;
    }
}

TEST(Opcoes, TheHelpIsCodePage850LinesWithinEightyColumns) {
    const std::string help = lousa::texto_ajuda();
    EXPECT_NE(help.find("Op\x87\xE4" "es:"), std::string::npos);  // Opções, in code page 850
    for (const char* needed : {"--help", "--version", "--cp850", "--utf8", "  64  ", "ponto (1.5)"})
        EXPECT_NE(help.find(needed), std::string::npos) << needed;
    std::size_t start = 0;
    for (std::size_t end; (end = help.find(lousa::line_end, start)) != std::string::npos;
         start = end + lousa::line_end.size())
        EXPECT_LE(end - start, 79u) << help.substr(start, end - start);
    EXPECT_EQ(start, help.size());  // it ends with a line end
}

TEST(Opcoes, ShowingATextReportsAScreenThatCannotBeWritten) {
    lousa::testing::failing_sink full;
    lousa::testing::string_sink err;
    EXPECT_EQ(lousa::mostra_texto("x", full, err), lousa::status_output_failed);
    EXPECT_EQ(err.text, "lousa: a tela nao pode ser escrita: No space left on device" + std::string(lousa::line_end));
    lousa::testing::string_sink out;
    EXPECT_EQ(lousa::mostra_texto("x", out, err), lousa::status_normal);
    EXPECT_EQ(out.text, "x");
}

}  // namespace
