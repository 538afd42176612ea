// The standard streams on Windows.

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <atomic>
#include <cstring>
#include <string>

#include "terminal/console_window.hpp"
#include "terminal/terminal.hpp"

namespace lousa::terminal {
namespace {

constexpr UINT code_page_850 = 850;
constexpr char ctrl_z = '\x1A';

// The console's code pages before the run. A console control handler is
// called with no context, so what it must put back on Ctrl-C is kept here:
// written once, before the handler is installed.
UINT previous_output_code_page = 0;
UINT previous_input_code_page = 0;
std::atomic<bool> code_pages_switched{false};

void restore_code_pages() {
    if (!code_pages_switched.exchange(false)) return;
    SetConsoleOutputCP(previous_output_code_page);
    SetConsoleCP(previous_input_code_page);
}

// Ctrl-C, Ctrl-Break, a closed console window: put the code pages back and
// let the default handler end the program.
BOOL WINAPI restore_on_interrupt(DWORD) {
    restore_code_pages();
    return FALSE;
}

bool is_console(DWORD which) {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(which), &mode) != 0;
}

std::string system_message(DWORD error) {
    char text[512] = {};
    const DWORD flags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    DWORD n = FormatMessageA(flags, nullptr, error, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), text,
                             sizeof text, nullptr);
    if (n == 0) n = FormatMessageA(flags, nullptr, error, 0, text, sizeof text, nullptr);
    if (n == 0) return "Windows error " + std::to_string(error);
    while (n > 0 && (text[n - 1] == '\r' || text[n - 1] == '\n' || text[n - 1] == ' ')) --n;
    return std::string(text, n);
}

// A double-clicked program's window closes as soon as it ends: keep the last
// screen and any report readable until Enter is pressed.
void wait_if_window_is_ours() {
    DWORD processes[2] = {};
    const DWORD sharing = GetConsoleProcessList(processes, 2);
    if (!waits_before_closing(sharing, is_console(STD_INPUT_HANDLE), is_console(STD_OUTPUT_HANDLE))) return;
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    DWORD n = 0;
    if (!WriteFile(output, closing_prompt.data(), static_cast<DWORD>(closing_prompt.size()), &n, nullptr)) return;
    FlushConsoleInputBuffer(input);  // answers typed ahead must not close the window unread
    // Key presses rather than a read: after Ctrl-Z a console read may give
    // the end of the input again at once.
    INPUT_RECORD event{};
    while (ReadConsoleInputA(input, &event, 1, &n) && n == 1) {
        const KEY_EVENT_RECORD& key = event.Event.KeyEvent;
        if (event.EventType == KEY_EVENT && key.bKeyDown && key.wVirtualKeyCode == VK_RETURN) break;
    }
}

}  // namespace

session::session() {
    // Every byte leaves exactly as the program wrote it: its lines already
    // end in CR LF, and a text-mode stream would add a second CR.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    kinds_.input_terminal = is_console(STD_INPUT_HANDLE);  // typed in code page 850: never guessed
    if (!is_console(STD_OUTPUT_HANDLE)) return;  // redirected: the bytes are the code page 850 screen
    previous_output_code_page = GetConsoleOutputCP();
    previous_input_code_page = GetConsoleCP();
    code_pages_switched = true;
    SetConsoleCtrlHandler(restore_on_interrupt, TRUE);
    SetConsoleOutputCP(code_page_850);
    SetConsoleCP(code_page_850);
}

session::~session() {
    wait_if_window_is_ours();
    restore_code_pages();
    SetConsoleCtrlHandler(restore_on_interrupt, FALSE);
}

standard_input::standard_input() : console_(is_console(STD_INPUT_HANDLE)) {}

std::size_t standard_input::read_some(char* buffer, std::size_t capacity) {
    if (ended_) return 0;
    const DWORD wanted = capacity > MAXDWORD ? MAXDWORD : static_cast<DWORD>(capacity);
    DWORD n = 0;
    while (!ReadFile(GetStdHandle(STD_INPUT_HANDLE), buffer, wanted, &n, nullptr)) {
        const DWORD error = GetLastError();
        if (error == ERROR_BROKEN_PIPE || error == ERROR_HANDLE_EOF) return 0;  // the writer is gone
        if (error != ERROR_OPERATION_ABORTED) throw input_failure(system_message(error));
        n = 0;  // a console read cut off by Ctrl-C: its handler ends the program
    }
    if (console_) {
        // Ctrl-Z then Enter ends the input at a Windows console, as in every
        // console program there. Pipes and files keep every byte.
        if (const void* stop = std::memchr(buffer, ctrl_z, n)) {
            ended_ = true;
            n = static_cast<DWORD>(static_cast<const char*>(stop) - buffer);
        }
    }
    return n;
}

}  // namespace lousa::terminal
