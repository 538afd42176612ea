#include "tests/run_binary.hpp"

#include <cstdlib>
#include <fstream>

#include "tests/transcript.hpp"

#ifdef _WIN32
#include <process.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace lousa::testing {

namespace fs = std::filesystem;

std::string platform_lines(std::string_view text) {
    std::string bytes;
    for (const char c : text) {
        if (c == '\n') bytes += line_end;
        else bytes += c;
    }
    return bytes;
}

namespace {

int process_id() {
#ifdef _WIN32
    return ::_getpid();
#else
    return static_cast<int>(::getpid());
#endif
}

// A path as one word of the system's command line: single quotes for the
// POSIX shell, double quotes for cmd.exe (where a file name holds no quote).
std::string quoted(const fs::path& p) {
#ifdef _WIN32
    return "\"" + fs::absolute(p).make_preferred().string() + "\"";
#else
    std::string word = "'";
    for (const char c : p.string()) word += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return word + "'";
#endif
}

// The exit status of the program that std::system ran.
int exit_status(int raw) {
#ifdef _WIN32
    return raw;  // cmd.exe ends with the status of its last command
#else
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
}

// Runs the built program on an answer file; its output and errors are kept
// in `dir`, then read back byte for byte.
run_result run_in(const fs::path& dir, const fs::path& answers, const std::string& arguments, bool one_stream = false) {
    std::string command = quoted(LOUSA_BINARY) + (arguments.empty() ? "" : " " + arguments) + " < " +
                          quoted(answers) + " > " + quoted(dir / "out") +
                          (one_stream ? std::string(" 2>&1") : " 2> " + quoted(dir / "err"));
#ifdef _WIN32
    command = "\"" + command + "\"";  // cmd /c drops the outer pair of quotes and keeps the rest
#endif
    const int raw = std::system(command.c_str());
    run_result r;
    r.status = exit_status(raw);
    r.out = read_file(dir / "out");
    r.err = read_file(dir / "err");
    return r;
}

// A scratch directory of the run's own (each test runs in its own process).
fs::path scratch_directory() {
    static int runs = 0;
    const fs::path dir = fs::temp_directory_path() /
                         ("lousa_e2e_" + std::to_string(process_id()) + "_" + std::to_string(++runs));
    fs::create_directories(dir);
    return dir;
}

}  // namespace

run_result run_program(const std::string& typed, const std::string& arguments, bool one_stream) {
    const fs::path dir = scratch_directory();
    std::ofstream(dir / "in", std::ios::binary) << typed;
    run_result r = run_in(dir, dir / "in", arguments, one_stream);
    fs::remove_all(dir);
    return r;
}

}  // namespace lousa::testing
