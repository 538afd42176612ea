#include "tests/run_binary.hpp"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include "tests/transcript.hpp"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
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

constexpr auto time_limit = std::chrono::seconds(30);

std::vector<std::string> words(const std::string& arguments) {
    std::vector<std::string> list{LOUSA_BINARY};
    std::istringstream in(arguments);
    for (std::string word; in >> word;) list.push_back(word);
    return list;
}

#ifdef _WIN32

// The exit status of the program on these files, or -1 at the time limit.
int run_on_files(const std::vector<std::string>& argv, const fs::path& in, const fs::path& out, const fs::path& err) {
    std::string command = "\"" + fs::absolute(argv[0]).make_preferred().string() + "\"";
    for (std::size_t k = 1; k < argv.size(); ++k) command += " " + argv[k];  // none holds a blank or a quote
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    const auto open = [&inherited](const fs::path& file, bool write) {
        return ::CreateFileW(file.c_str(), write ? GENERIC_WRITE : GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             &inherited, write ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    STARTUPINFOA start{};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = open(in, false);
    start.hStdOutput = open(out, true);
    start.hStdError = err == out ? start.hStdOutput : open(err, true);
    PROCESS_INFORMATION child{};
    DWORD status = static_cast<DWORD>(-1);
    if (::CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start, &child)) {
        const auto limit = std::chrono::duration_cast<std::chrono::milliseconds>(time_limit).count();
        if (::WaitForSingleObject(child.hProcess, static_cast<DWORD>(limit)) == WAIT_TIMEOUT)
            ::TerminateProcess(child.hProcess, status);
        else
            ::GetExitCodeProcess(child.hProcess, &status);
        ::WaitForSingleObject(child.hProcess, INFINITE);
        for (const HANDLE h : {child.hThread, child.hProcess}) ::CloseHandle(h);
    }
    for (const HANDLE h : {start.hStdInput, start.hStdOutput}) ::CloseHandle(h);
    if (start.hStdError != start.hStdOutput) ::CloseHandle(start.hStdError);
    return static_cast<int>(status);
}

int process_id() { return static_cast<int>(::GetCurrentProcessId()); }

#else

// The exit status of the program on these files, or -1 at the time limit.
int run_on_files(const std::vector<std::string>& argv, const fs::path& in, const fs::path& out, const fs::path& err) {
    std::vector<char*> pointers;
    for (const std::string& word : argv) pointers.push_back(const_cast<char*>(word.c_str()));  // NOLINT: execv's type
    pointers.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {  // only async-signal-safe calls from here on
        const int written = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(::open(in.c_str(), O_RDONLY), 0);
        ::dup2(written, 1);
        ::dup2(err == out ? written : ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
        ::execv(pointers[0], pointers.data());
        ::_exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + time_limit;
    int raw = 0;
    while (::waitpid(pid, &raw, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &raw, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

int process_id() { return static_cast<int>(::getpid()); }

#endif

// A scratch directory of the run's own (each test runs in its own process).
fs::path scratch_directory() {
    static int runs = 0;
    const fs::path dir = fs::temp_directory_path() /
                         ("lousa_e2e_" + std::to_string(process_id()) + "_" + std::to_string(++runs));
    fs::create_directories(dir);
    return dir;
}

}  // namespace

run_result run_binary(const std::string& typed, const std::string& arguments, bool one_stream) {
    const fs::path dir = scratch_directory();
    std::ofstream(dir / "in", std::ios::binary) << typed;
    run_result r;
    r.status = run_on_files(words(arguments), dir / "in", dir / "out", dir / (one_stream ? "out" : "err"));
    r.out = read_file(dir / "out");
    if (!one_stream) r.err = read_file(dir / "err");
    fs::remove_all(dir);
    return r;
}

}  // namespace lousa::testing
