// Front end for the browser page: the keyboard is the page's input line, the
// screen is the page's terminal. The program above the console is the same
// as on a terminal; only these two ends differ.
//
// The page (web/terminal.js) provides on the module object:
//   lousaNextLine()       a promise of the next typed line (a string), or of
//                         null when there is no more input;
//   lousaShow(text, kind) shows UTF-8 text of an output_kind (web/page.hpp).
// and, on its body element, data-paineis: the panels the student switched on
// ("tabela", "grafico"), read when a run starts.

#include <emscripten.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "console/console.hpp"
#include "terminal/utf8.hpp"
#include "shell/programa.hpp"
#include "web/keyboard.hpp"
#include "web/page.hpp"

namespace {

// Waits (the page keeps running: Asyncify unwinds the stack) until the student
// sends a line. Returns a UTF-8 copy the caller frees, or null at the end of
// input.
// clang-format off
EM_ASYNC_JS(char*, next_typed_line, (), {
    const line = await Module.lousaNextLine();
    if (line === null || line === undefined) return 0;
    const size = lengthBytesUTF8(line) + 1;
    const copy = _malloc(size);
    stringToUTF8(line, copy, size);
    return copy;
});

EM_JS(int, panels_switched_on, (), {
    const on = (document.body.dataset.paineis || '').split(' ');
    return (on.includes('tabela') ? 1 : 0) | (on.includes('grafico') ? 2 : 0);
});

EM_JS(void, show_on_page, (const char* text, int length, int kind), {
    Module.lousaShow(UTF8ToString(text, length), kind);
});
// clang-format on

// UTF-8 text shown on the page; the screen reaches it converted from code page
// 850 by the same sink as on a UTF-8 terminal.
class page final : public lousa::output_sink {
public:
    explicit page(lousa::web::output_kind kind) : kind_(kind) {}
    void put(std::string_view text) override {
        show_on_page(text.data(), static_cast<int>(text.size()), static_cast<int>(kind_));
    }

private:
    lousa::web::output_kind kind_;
};

// The panels' pieces, asked of the run only for the switches that are on:
// with both off the run listens to nothing and computes nothing for them.
struct panels {
    page table_area{lousa::web::output_kind::table};
    lousa::terminal::utf8_output table{table_area};
    page distributions{lousa::web::output_kind::distribution};
    page pictures{lousa::web::output_kind::picture};
    page numbers{lousa::web::output_kind::numbers};
    lousa::run_extras extras;

    explicit panels(int switched_on) {
        if ((switched_on & 1) != 0) {
            extras.table = &table;
            extras.distributions = &distributions;
        }
        // The file name goes with the picture, for the page to save it under;
        // an empty picture (code 1 has none) is handed on too, for the page to
        // say so.
        if ((switched_on & 2) != 0) {
            extras.picture_files = [this](std::int32_t, const std::string& name,
                                          const lousa::graficos::desenho& picture) {
                pictures.put(name + '\n' + picture.inteiro());
            };
            extras.picture_numbers = &numbers;
        }
    }
};

}  // namespace

// One run of the program; the page awaits the exit status.
extern "C" EMSCRIPTEN_KEEPALIVE int lousa_executa() {
    lousa::web::typed_lines in([]() -> std::optional<std::string> {
        char* typed = next_typed_line();
        if (typed == nullptr) return std::nullopt;
        std::string line(typed);
        std::free(typed);
        return line;
    });
    page screen_area(lousa::web::output_kind::screen);
    page report_area(lousa::web::output_kind::report);
    lousa::terminal::utf8_output screen(screen_area);
    lousa::terminal::utf8_output report(report_area);
    const panels beside(panels_switched_on());
    return lousa::run_program(in, screen, report, beside.extras);
}
