#pragma once
// What the program tells the page besides the screen's text: the kind of each
// piece of output. web/dados.cpp hands these numbers (with the exit statuses,
// the code page and the menu's titles) to the page's script when it is built,
// so that the script restates none of them.

namespace lousa::web {

enum class output_kind : int {
    screen = 0,  // the program's screen, UTF-8
    report = 1,  // the report of a run that did not end normally
    // Beside the screen, only while the page's switches ask for them:
    table = 2,         // a statistic's "Consulta à tabela" block, UTF-8 lines
    picture = 3,       // a result's picture: its file name, a line end, the SVG
    distribution = 4,  // a statistic's distribution with its 5 % region, SVG
    numbers = 5,       // right after a picture, its numbers: tab-separated lines, headings first
};

}  // namespace lousa::web
