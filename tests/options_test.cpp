// The command line, and the texts shown instead of the dialogue.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/opcoes.hpp"
#include "shell/programa.hpp"
#include "tests/text_input.hpp"
#include "tests/transcript.hpp"

namespace {

lousa::options parse(std::vector<const char*> arguments) { return lousa::parse_options(arguments); }

TEST(Options, EachCommandLineMeansWhatItSays) {
    using lousa::request;
    using lousa::terminal::conversion;
    struct line {
        std::vector<const char*> arguments;
        request what;
        conversion accents;
        std::string unknown;
    };
    const std::vector<line> lines = {
        {{}, request::run, conversion::automatic, ""},
        {{"--help"}, request::help, conversion::automatic, ""},
        {{"--version"}, request::version, conversion::automatic, ""},
        {{"--version", "--help"}, request::help, conversion::automatic, ""},
        {{"--cp850"}, request::run, conversion::cp850, ""},
        {{"--utf8"}, request::run, conversion::utf8, ""},
        {{"--cp850", "--utf8"}, request::run, conversion::utf8, ""},
        {{"--utf8", "--help"}, request::help, conversion::utf8, ""},
        {{"--x"}, request::unknown_option, conversion::automatic, "--x"},
        {{"-h"}, request::unknown_option, conversion::automatic, "-h"},
        {{"--help", "3"}, request::unknown_option, conversion::automatic, "3"},
        {{""}, request::unknown_option, conversion::automatic, ""},
        {{"--HELP"}, request::unknown_option, conversion::automatic, "--HELP"},
        {{"--utf8", "--a", "--b"}, request::unknown_option, conversion::utf8, "--a"},
    };
    for (const line& l : lines) {
        const lousa::options got = parse(l.arguments);
        std::string shown;
        for (const char* a : l.arguments) shown += std::string("[") + a + "]";
        EXPECT_EQ(got.what, l.what) << shown;
        EXPECT_EQ(got.accents, l.accents) << shown;
        EXPECT_EQ(got.unknown, l.unknown) << shown;
    }
}

TEST(Options, TheHelpIsCodePage850LinesWithinEightyColumns) {
    const std::string help = lousa::help_text();
    EXPECT_NE(help.find("Op\x87\xE4" "es:"), std::string::npos);  // Opções, in code page 850
    for (const char* needed : {"--help", "--version", "--cp850", "--utf8", "  64  ", "ponto (1.5)"})
        EXPECT_NE(help.find(needed), std::string::npos) << needed;
    std::size_t start = 0;
    for (std::size_t end; (end = help.find(lousa::line_end, start)) != std::string::npos;
         start = end + lousa::line_end.size())
        EXPECT_LE(end - start, 79u) << help.substr(start, end - start);
    EXPECT_EQ(start, help.size());  // it ends with a line end
}

TEST(Options, ShowingATextReportsAScreenThatCannotBeWritten) {
    lousa::testing::failing_sink full;
    lousa::testing::string_sink err;
    EXPECT_EQ(lousa::show_text("x", full, err), lousa::status_output_failed);
    EXPECT_EQ(err.text, "lousa: a tela nao pode ser escrita: No space left on device" + std::string(lousa::line_end));
    lousa::testing::string_sink out;
    EXPECT_EQ(lousa::show_text("x", out, err), lousa::status_normal);
    EXPECT_EQ(out.text, "x");
}

}  // namespace
