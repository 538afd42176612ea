#pragma once
// A Windows console window that belongs to the program alone: Explorer opened
// it for a double-clicked lousa.exe and closes it the moment the program
// ends, taking the last screen and any report with it. Only there the run
// ends with a line asking for Enter. From cmd, PowerShell or Windows Terminal
// the shell shares the console; with input or output redirected the window is
// not where the session is read: nothing is added then.

#include <string_view>

namespace lousa::terminal {

inline constexpr std::string_view closing_prompt = "Tecle Enter para fechar esta janela.";

constexpr bool waits_before_closing(unsigned processes_on_console, bool input_console, bool output_console) {
    return processes_on_console == 1 && input_console && output_console;
}

}  // namespace lousa::terminal
