#include "tests/transcript.hpp"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

#include "console/console.hpp"
#include "shell/shell.hpp"
#include "tabela/tabela.hpp"

namespace lousa::testing {
namespace {

// Hands the typed lines to the program one at a time, checking first that the
// screen so far is what the transcript shows before that line.
class scripted_input final : public input_source {
public:
    scripted_input(const transcript& t, const string_sink& out) : t_(t), out_(out) {}

    std::size_t read_some(char* buffer, std::size_t capacity) override {
        if (next_ == t_.input.size()) return 0;
        const auto& typed = t_.input[next_++];
        check_screen_before(typed);
        const std::string line = typed.text + "\n";
        if (line.size() > capacity) {
            problems += "typed line " + std::to_string(next_) + " is longer than the reader's buffer (" +
                        std::to_string(capacity) + " bytes): it cannot be replayed\n";
            return 0;
        }
        line.copy(buffer, line.size());
        return line.size();
    }

    std::string problems;
    std::size_t consumed() const { return next_; }

private:
    void check_screen_before(const transcript::typed& typed) {
        const auto shown = screen_lines(out_.text, problems);
        const std::vector<std::string> expected(t_.screen.begin(),
                                                t_.screen.begin() + static_cast<long>(typed.screen_lines_before));
        if (shown != expected)
            problems += "the screen before typed line \"" + typed.text + "\" differs from the transcript (" +
                        std::to_string(shown.size()) + " lines shown, " + std::to_string(expected.size()) +
                        " expected)\n";
    }

    const transcript& t_;
    const string_sink& out_;
    std::size_t next_ = 0;
};

}  // namespace

transcript parse_transcript(const std::string& name, const std::string& text) {
    transcript t;
    t.name = name;
    for (const std::string& line : split_lines(text)) {
        if (line.starts_with("#")) continue;
        if (line.starts_with("! app ")) {
            t.app = std::stoi(line.substr(6));
        } else if (line == "! tabela") {
            t.table = true;
        } else if (line.starts_with("! stop: ")) {
            t.stop_message = line.substr(8);
        } else if (line == ">" || line.starts_with("> ")) {
            t.input.push_back({line.size() > 2 ? line.substr(2) : std::string{}, t.screen.size()});
        } else {
            t.screen.push_back(line);
        }
    }
    return t;
}

replay_result replay(const transcript& t) {
    string_sink out;
    scripted_input in(t, out);
    replay_result result;
    {
        console_io con(in, out);
        tabela::consulta table(con);
        resultados::canal channel;
        if (t.table) channel.escuta(table);
        try {
            if (t.app == 0) executa(con, channel);
            else aplicacao_de_codigo(t.app)(con, channel);
        } catch (const read_stop& stop) {
            result.stop_message = stop.what();
        }
    }
    result.problems = in.problems;
    result.screen = screen_lines(out.text, result.problems);
    if (in.consumed() < t.input.size())
        result.problems += "typed line \"" + t.input[in.consumed()].text + "\" was never read\n";
    return result;
}

std::vector<std::filesystem::path> transcript_files() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(LOUSA_TRANSCRIPTS))
        if (entry.is_regular_file() && entry.path().extension() == ".txt") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::filesystem::path> whole_run_files() {
    std::vector<std::filesystem::path> files;
    for (const auto& file : transcript_files())
        if (read_transcript(file).app == 0) files.push_back(file);
    return files;
}

std::filesystem::path source_root() { return std::filesystem::path(LOUSA_TRANSCRIPTS).parent_path().parent_path(); }

transcript read_transcript(const std::filesystem::path& file) {
    return parse_transcript(file.string(), read_file(file));
}

std::string typed_text(const transcript& t) {
    std::string typed;
    for (const auto& line : t.input) typed += line.text + "\n";
    return typed;
}

std::vector<std::string> screen_lines(std::string_view cp850, std::string& problems) {
    const std::string text = utf8_from_cp850(cp850);
    std::vector<std::string> lines = split_lines(text, line_end);
    if (!text.empty() && !text.ends_with(line_end))
        problems += "the screen's last line has no line end: \"" + lines.back() + "\"\n";
    return lines;
}

std::string read_file(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<std::string> split_lines(std::string_view text, std::string_view end_of_line) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(end_of_line, start)) != std::string_view::npos;
         start = end + end_of_line.size())
        lines.emplace_back(text.substr(start, end - start));
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

std::string join_lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

std::string transcript_name(const std::filesystem::path& file) {
    std::string name = std::filesystem::relative(file, LOUSA_TRANSCRIPTS).replace_extension().string();
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
}

}  // namespace lousa::testing
