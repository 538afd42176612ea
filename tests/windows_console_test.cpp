// When a run ends by asking for Enter before its console window closes.

#include <gtest/gtest.h>

#include "terminal/console_window.hpp"

namespace {

struct started {
    const char* how;
    unsigned processes_on_console;
    bool input_console, output_console;
    bool waits;
};

TEST(ConsoleWindow, OnlyADoubleClickedProgramWaitsForEnter) {
    const started cases[] = {
        {"double-clicked: the window is the program's alone", 1, true, true, true},
        {"from cmd or PowerShell, which share the window", 2, true, true, false},
        {"double-clicked shortcut with input from a file", 1, false, true, false},
        {"output into a file", 1, true, false, false},
        {"no console at all", 0, false, false, false},
    };
    for (const started& c : cases)
        EXPECT_EQ(lousa::terminal::waits_before_closing(c.processes_on_console, c.input_console, c.output_console),
                  c.waits)
            << c.how;
}

}  // namespace
