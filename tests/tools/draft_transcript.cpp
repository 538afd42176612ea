// Drafts a transcript file: replays typed lines (standard input) through an
// application and prints screen and typed lines interleaved, in transcript
// format. A draft is only a starting point: every line of it must be checked
// against what the screen should show before it is kept as a test.
//
//   draft_transcript APP < typed.txt            (APP 0: the whole shell)
//   draft_transcript APP --tabela < typed.txt   (with the table blocks)

#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

#include "console/console.hpp"
#include "shell/shell.hpp"
#include "tabela/tabela.hpp"
#include "tests/transcript.hpp"

namespace {

using lousa::testing::string_sink;

class interleaving_input final : public lousa::input_source {
public:
    interleaving_input(std::istream& in, string_sink& out) : in_(in), out_(out) {}
    std::size_t read_some(char* buffer, std::size_t capacity) override {
        std::string line;
        if (!std::getline(in_, line)) return 0;
        std::cout << lousa::utf8_from_cp850(out_.text);
        out_.text.clear();
        std::cout << (line.empty() ? ">" : "> " + line) << "\n";
        line += "\n";
        if (line.size() > capacity) return 0;
        line.copy(buffer, line.size());
        return line.size();
    }

private:
    std::istream& in_;
    string_sink& out_;
};

}  // namespace

int main(int argc, char** argv) {
    const int app = argc > 1 ? std::atoi(argv[1]) : 0;
    const bool table = argc > 2 && std::string(argv[2]) == "--tabela";
    string_sink out;
    interleaving_input in(std::cin, out);
    std::cout << "! app " << app << "\n" << (table ? "! tabela\n" : "");
    {
        lousa::console_io con(in, out);
        lousa::tabela::consulta blocks(con);
        lousa::resultados::canal channel;
        if (table) channel.escuta(blocks);
        try {
            if (app == 0) lousa::executa(con, channel);
            else lousa::aplicacao_de_codigo(app)(con, channel);
        } catch (const lousa::read_stop& stop) {
            con.flush();
            std::cout << lousa::utf8_from_cp850(out.text) << "! stop: " << stop.what() << "\n";
            return 0;
        }
    }
    std::cout << lousa::utf8_from_cp850(out.text);
}
