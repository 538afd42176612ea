#include "shell/programa.hpp"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <deque>
#include <exception>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "codepage/cp850.hpp"
#include "graficos/graficos.hpp"
#include "shell/opcoes.hpp"
#include "shell/shell.hpp"
#include "tabela/tabela.hpp"
#include "terminal/bom.hpp"
#include "terminal/utf8.hpp"

namespace lousa {
namespace {

// A report on standard error, from its pieces. Building it may run out of
// memory, and it may fail to reach a closed or full stream; there is nothing
// left to tell then, and the status still says what happened.
void report(output_sink& err, std::initializer_list<std::string_view> pieces) noexcept {
    try {
        std::string text;
        for (const std::string_view piece : pieces) text += piece;
        err.put(text);
    } catch (...) {  // NOLINT(bugprone-empty-catch)
    }
}

constexpr std::string_view unwritable = "lousa: a tela nao pode ser escrita: ";

// The console of the table blocks kept apart from the screen never reads.
class no_input final : public input_source {
public:
    std::size_t read_some(char* /*buffer*/, std::size_t /*capacity*/) override { return 0; }
};

// Each statistic's distribution picture, for the page.
class distribution_pictures final : public resultados::ouvinte {
public:
    explicit distribution_pictures(output_sink& out) : out_(out) {}
    void estatistica(const resultados::estatistica& e) override {
        const std::string svg = graficos::distribuicao(e);
        if (!svg.empty()) out_.put(svg);
    }

private:
    output_sink& out_;
};

// A picture is an extra: whatever goes wrong while drawing or handing it on
// is dropped, and the dialogue goes on.
class sheltered final : public resultados::ouvinte {
public:
    explicit sheltered(resultados::ouvinte& inner) : inner_(inner) {}
    void estatistica(const resultados::estatistica& e) override {
        shelter([&] { inner_.estatistica(e); });
    }
    void fim(std::int32_t codigo, const std::vector<resultados::dados>& dados) override {
        shelter([&] { inner_.fim(codigo, dados); });
    }

private:
    template <class F>
    static void shelter(F f) noexcept {
        try {
            f();
        } catch (...) {  // NOLINT(bugprone-empty-catch): an extra, never the screen
        }
    }
    resultados::ouvinte& inner_;
};

// The listeners a run's extras ask for, connected to its channel.
class listeners {
public:
    listeners(console_io& screen, const run_extras& extras) : screen_first_(screen) {
        // The page places each extra after the screen so far: the screen's
        // pending text goes out first (a flush changes no byte of it).
        if (extras.table != nullptr || extras.pictures != nullptr || extras.distributions != nullptr ||
            extras.picture_files)
            channel.escuta(screen_first_);
        // On the screen, the blocks fail as the screen does; apart, as an extra.
        if (extras.table_on_screen) channel.escuta(tables_.emplace_back(screen));
        if (extras.table != nullptr) {
            apart_.emplace(nothing_, *extras.table);
            channel.escuta(shelter_.emplace_back(tables_.emplace_back(*apart_)));
        }
        if (extras.pictures != nullptr || extras.picture_files) {
            drawer_.emplace(
                [&extras](std::int32_t code, const std::string& name, const graficos::desenho& picture,
                          const std::string& numbers) {
                    if (extras.pictures != nullptr) extras.pictures->put(picture.inteiro());
                    if (extras.picture_files) extras.picture_files(code, name, picture);
                    if (extras.picture_numbers != nullptr && !picture.inteiro().empty())
                        extras.picture_numbers->put(numbers);
                },
                extras.picture_numbers != nullptr);
            channel.escuta(shelter_.emplace_back(*drawer_));
        }
        if (extras.distributions != nullptr) {
            distributions_.emplace(*extras.distributions);
            channel.escuta(shelter_.emplace_back(*distributions_));
        }
    }
    resultados::canal channel;

private:
    // Flushes the screen before the listeners after it hear of a statistic or
    // of the result's end.
    class screen_flush final : public resultados::ouvinte {
    public:
        explicit screen_flush(console_io& con) : con_(con) {}
        void estatistica(const resultados::estatistica&) override { con_.flush(); }
        void fim(std::int32_t, const std::vector<resultados::dados>&) override { con_.flush(); }

    private:
        console_io& con_;
    };

    screen_flush screen_first_;
    no_input nothing_;
    std::optional<console_io> apart_;
    std::deque<tabela::consulta> tables_;  // a deque keeps each where the channel saw it
    std::optional<graficos::desenhista> drawer_;
    std::optional<distribution_pictures> distributions_;
    std::deque<sheltered> shelter_;
};

// One picture's file, opened when the first piece of the picture comes. A
// picture drawn again into the same folder (the same session run once more)
// overwrites the old file in place and then trims what is left of it:
// emptying the file first makes the file system free its blocks and
// allocate them again, which costs more than the drawing.
class picture_file {
public:
    explicit picture_file(std::string path) : path_(std::move(path)) {}
    picture_file(const picture_file&) = delete;
    picture_file& operator=(const picture_file&) = delete;
    ~picture_file() {
        if (file_ != nullptr) std::fclose(file_);
    }

    void put(std::string_view piece) {
        if (!why_.empty() || (file_ == nullptr && !open())) return;
        if (std::fwrite(piece.data(), 1, piece.size(), file_) != piece.size()) why_ = std::strerror(errno);
        size_ += static_cast<long>(piece.size());
    }

    // Why the picture is not whole in its file; "" when it is.
    std::string close() {
        if (file_ != nullptr && std::fclose(std::exchange(file_, nullptr)) != 0 && why_.empty())
            why_ = std::strerror(errno);
        if (why_.empty() && had_ > size_) {
            std::error_code failed;
            std::filesystem::resize_file(path_, static_cast<std::uintmax_t>(size_), failed);
            if (failed) why_ = failed.message();
        }
        return why_;
    }

private:
    bool open() {
        file_ = std::fopen(path_.c_str(), "r+b");
        if (file_ != nullptr && std::fseek(file_, 0, SEEK_END) == 0) had_ = std::ftell(file_), std::rewind(file_);
        if (file_ == nullptr) file_ = std::fopen(path_.c_str(), "wb");
        if (file_ == nullptr) return why_ = std::strerror(errno), false;
        std::setvbuf(file_, nullptr, _IONBF, 0);  // the pieces come a few kilobytes at a time
        return true;
    }

    std::string path_;
    std::FILE* file_ = nullptr;
    long had_ = 0, size_ = 0;
    std::string why_;
};

// --graficos PASTA: each picture in a file of its own, named on standard
// error as it is written. A file that cannot be written is told once, at the
// end of the run, so that the screen is never lost for a picture.
class picture_folder {
public:
    // `shown`: the folder as the reports show it (code page 850, like them).
    picture_folder(std::string folder, std::string shown, output_sink& err)
        : folder_(std::move(folder)), shown_(std::move(shown)), err_(err) {}

    void write(std::int32_t code, const std::string& name, const graficos::desenho& picture) {
        const std::string shown = shown_ + "/" + name;
        picture_file file(folder_ + "/" + name);
        std::string why;
        try {
            // nothing to draw: said, and no empty file left that claims to be a picture
            if (!picture.em_partes([&file](std::string_view piece) { file.put(piece); })) {
                report(err_, {"lousa: sem grafico: ", code == 1 ? sample_size_has_none : nothing_to_draw, line_end});
                return;
            }
            why = file.close();
        } catch (const std::exception& stopped) {  // a picture half drawn is not a picture
            why = stopped.what();
        }
        if (why.empty()) report(err_, {"lousa: grafico gravado: ", shown, line_end});
        else if (failure_.empty()) failure_ = shown + " (" + why + ")";
    }

    // The status of the whole run: a picture not written turns a normal end
    // into status 1, after the screen is complete.
    int finish(int status) const {
        if (failure_.empty()) return status;
        report(err_, {"lousa: os graficos nao puderam ser gravados: ", failure_, line_end});
        return status == status_normal ? status_output_failed : status;
    }

private:
    static constexpr std::string_view sample_size_has_none =
        "o dimensionamento de amostras da um numero so, o tamanho da amostra";
    static constexpr std::string_view nothing_to_draw = "este resultado nao tem dados para desenhar";

    std::string folder_, shown_;
    output_sink& err_;
    std::string failure_;
};

}  // namespace

int run_program(input_source& in, output_sink& out, output_sink& err) noexcept {
    return run_program(in, out, err, run_extras{});
}

int run_program(input_source& in, output_sink& out, output_sink& err, const run_extras& extras) noexcept {
    try {
        console_io con(in, out);
        try {
            listeners listening(con, extras);
            executa(con, listening.channel);
            con.flush();
            return status_normal;
        } catch (const read_stop& stop) {
            con.flush();  // the screen keeps what was written before the report
            report(err, {stop_report(stop)});
            return status_read_failed;
        }
    } catch (const output_failure& failure) {
        report(err, {unwritable, failure.what(), line_end});
        return status_output_failed;
    } catch (const std::exception& failure) {
        report(err, {"lousa: erro interno: ", failure.what(), line_end});
        return status_internal_error;
    } catch (...) {
        report(err, {"lousa: erro interno", line_end});
        return status_internal_error;
    }
}

int show_text(std::string_view text, output_sink& out, output_sink& err) noexcept {
    try {
        out.put(text);
        return status_normal;
    } catch (const output_failure& failure) {
        report(err, {unwritable, failure.what(), line_end});
        return status_output_failed;
    } catch (...) {
        report(err, {"lousa: erro interno", line_end});
        return status_internal_error;
    }
}

int refuse_option(std::string_view argument, output_sink& err) noexcept {
    try {
        report(err, {unknown_option_message(argument)});
    } catch (...) {  // NOLINT(bugprone-empty-catch): the status still says it
    }
    return status_unknown_option;
}

int run_command(std::span<const char* const> arguments, const terminal::streams& kinds,
                input_source& keyboard, output_sink& screen, output_sink& err_stream) {
    const options asked = parse_options(arguments);
    const terminal::conversions converted = terminal::choose(asked.accents, kinds);

    // The help, the version and the one-line reports are documents: UTF-8
    // wherever the locale asks for it, pipes included.
    terminal::utf8_output utf8_err(err_stream);
    output_sink& err = converted.documents ? static_cast<output_sink&>(utf8_err) : err_stream;
    if (asked.what == request::unknown_option) {
        // echoed as typed: in the locale's code set, which the report converts back to
        const std::string typed =
            converted.documents ? cp850_from_utf8(asked.unknown) : asked.unknown;
        return refuse_option(typed, err);
    }

    terminal::utf8_output utf8_screen(screen);
    output_sink& document = converted.documents ? static_cast<output_sink&>(utf8_screen) : screen;
    switch (asked.what) {
        case request::help: return show_text(help_text(), document, err);
        case request::version: return show_text(version_text(), document, err);
        case request::run:
        case request::unknown_option: break;
    }
    output_sink& out = converted.screen ? static_cast<output_sink&>(utf8_screen) : screen;
    // Answers files with a byte-order mark are decoded whatever the terminal is.
    terminal::marked_input answers(keyboard, converted.keyboard           ? terminal::unmarked::utf8
                                             : converted.keyboard_guessed ? terminal::unmarked::guessed
                                                                          : terminal::unmarked::bytes);
    run_extras extras;
    extras.table_on_screen = asked.table;
    if (asked.pictures_folder.empty()) return run_program(answers, out, err, extras);
    // named as typed: in the locale's code set, which the reports convert back to
    picture_folder folder(asked.pictures_folder,
                          converted.documents ? cp850_from_utf8(asked.pictures_folder) : asked.pictures_folder,
                          err);
    extras.picture_files = [&folder](std::int32_t code, const std::string& name, const graficos::desenho& picture) {
        folder.write(code, name, picture);
    };
    return folder.finish(run_program(answers, out, err, extras));
}

}  // namespace lousa
