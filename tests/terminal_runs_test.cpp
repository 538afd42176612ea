// The built program on a pseudo-terminal and on pipes whose other end
// misbehaves (POSIX): the conversions chosen by the terminal's locale and the
// options, and how a run ends when a stream fails.

#ifndef _WIN32

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "shell/opcoes.hpp"
#include "tests/comma_locale.hpp"
#include "tests/transcript.hpp"

namespace {

struct child_result {
    int status = -1;     // exit status, or -1 when ended by a signal
    int signal = 0;      // the signal that ended it
    std::string out;     // what reached the terminal or the output pipe
    std::string err;
    bool timed_out = false;
};

// A pipe: [0] its read end, [1] its write end.
struct pipe_ends {
    int fd[2] = {-1, -1};
    pipe_ends() { EXPECT_EQ(::pipe(fd), 0); }
};

// How the child's standard streams are connected.
struct wiring {
    int in = -1, out = -1, err = -1;  // descriptors the child gets as 0, 1, 2
    std::vector<int> close_in_child;  // the parent's ends
    bool ignore_sigpipe = false;
};

pid_t start(const std::vector<std::string>& arguments, const std::vector<std::string>& environment,
            const wiring& w) {
    std::vector<std::string> args{LOUSA_BINARY};
    args.insert(args.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv, envp;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<std::string> env = environment;
    for (auto& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {  // only async-signal-safe calls from here on
        for (const int fd : w.close_in_child) ::close(fd);
        if (w.ignore_sigpipe) ::signal(SIGPIPE, SIG_IGN);  // stays ignored across exec
        ::dup2(w.in, 0);
        ::dup2(w.out, 1);
        ::dup2(w.err, 2);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    return pid;
}

// Reads the given descriptors to their end (EIO on a pseudo-terminal whose
// other side has closed), for at most ten seconds, closes them, then waits
// for the child.
child_result collect(pid_t pid, int out_fd, int err_fd) {
    child_result r;
    std::vector<pollfd> open{{out_fd, POLLIN, 0}, {err_fd, POLLIN, 0}};
    std::string* target[] = {&r.out, &r.err};
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (open[0].fd >= 0 || open[1].fd >= 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            r.timed_out = true;
            ::kill(pid, SIGKILL);
            break;
        }
        if (::poll(open.data(), open.size(), static_cast<int>(left.count())) < 0 && errno != EINTR) break;
        for (std::size_t k = 0; k < open.size(); ++k) {
            if (open[k].fd < 0 || open[k].revents == 0) continue;
            char buffer[4096];
            const ssize_t n = ::read(open[k].fd, buffer, sizeof buffer);
            if (n > 0) target[k]->append(buffer, static_cast<std::size_t>(n));
            else if (n == 0 || errno != EINTR) open[k].fd = -1;
        }
    }
    for (const int fd : {out_fd, err_fd})
        if (fd >= 0) ::close(fd);
    int raw = 0;
    ::waitpid(pid, &raw, 0);
    if (WIFEXITED(raw)) r.status = WEXITSTATUS(raw);
    if (WIFSIGNALED(raw)) r.signal = WTERMSIG(raw);
    return r;
}

std::vector<std::string> locale_environment(const std::string& locale, const std::string& locpath = "") {
    std::vector<std::string> env{"LC_ALL=" + locale, "LANG=" + locale, "PATH=/usr/bin:/bin"};
    if (!locpath.empty()) env.push_back("LOCPATH=" + locpath);
    return env;
}

// The program with standard input and output on a pseudo-terminal that
// neither echoes nor changes line ends, so that what is read back is exactly
// what the program wrote; standard error on a pipe.
child_result run_on_terminal(const std::vector<std::string>& arguments, const std::vector<std::string>& environment,
                             const std::string& typed) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    EXPECT_GE(master, 0);
    EXPECT_EQ(::grantpt(master), 0);
    EXPECT_EQ(::unlockpt(master), 0);
    const int slave = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
    EXPECT_GE(slave, 0);
    termios mode{};
    EXPECT_EQ(::tcgetattr(slave, &mode), 0);
    mode.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL);  // line editing (ICANON) stays, as at a terminal
    mode.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    EXPECT_EQ(::tcsetattr(slave, TCSANOW, &mode), 0);
    const pipe_ends err;
    const pid_t pid = start(arguments, environment, {slave, slave, err.fd[1], {master, err.fd[0]}});
    ::close(slave);
    ::close(err.fd[1]);
    EXPECT_EQ(::write(master, typed.data(), typed.size()), static_cast<ssize_t>(typed.size()));
    return collect(pid, master, err.fd[0]);
}

// The program on pipes: `typed` on standard input, `arguments` on its command line.
child_result run_on_pipes(const std::vector<std::string>& arguments, const std::vector<std::string>& environment,
                          const std::string& typed) {
    const pipe_ends in, out, err;
    const pid_t pid = start(arguments, environment, {in.fd[0], out.fd[1], err.fd[1], {in.fd[1], out.fd[0], err.fd[0]}});
    for (const int fd : {in.fd[0], out.fd[1], err.fd[1]}) ::close(fd);
    EXPECT_EQ(::write(in.fd[1], typed.data(), typed.size()), static_cast<ssize_t>(typed.size()));
    ::close(in.fd[1]);
    return collect(pid, out.fd[0], err.fd[0]);
}

// The program in the C locale on the given standard input and output (closed
// here once the program has them), standard error on a pipe; what it writes
// is read back from `read_out` where that is the other end of `out`.
child_result run_on(int in, int out, int read_out, bool ignore_sigpipe = false) {
    const pipe_ends err;
    std::vector<int> parents_ends{err.fd[0]};
    if (read_out >= 0) parents_ends.push_back(read_out);
    const pid_t pid = start({}, locale_environment("C"), {in, out, err.fd[1], parents_ends, ignore_sigpipe});
    for (const int fd : {in, out, err.fd[1]}) ::close(fd);
    return collect(pid, read_out, err.fd[0]);
}

// A Kolmogorov-Smirnov session with two accented class names, "Ação" and
// "Pé€" (code page 850 has no euro sign, so it comes back as '?'), where the
// screen and the keyboard are converted (a UTF-8 terminal, --utf8) and where
// both stay code page 850. Texts are laid out before they are converted: the
// accented name takes four of the fifteen columns of its field.
TEST(Terminal, EachStreamAndOptionGetsItsConversion) {
    const std::string typed = "10\n1\n2\nAção\nPé€\n0.5\n0.5\n30\n10\n0\n";
    const std::string prompt = " ** Digitar a proporcao (%) teorica da classe = ";
    const std::vector<std::string> converted = {" *          APLICAÇÃO                          CODIGO  *\n",
                                                prompt + "     Ação       **\n", prompt + "     Pé?        **\n"};
    // typed bytes are not converted either: the six bytes of "Ação" stand as
    // six code page 850 characters in the ten-character name
    const std::vector<std::string> unconverted = {" *          APLICA\x80\xC7O                          CODIGO  *\n",
                                                  prompt + "     A\xC3\xA7\xC3\xA3o     **\n"};
    struct way {
        const char* what;
        bool on_terminal;
        std::vector<std::string> arguments;
        const char* locale;
        bool converted;
    };
    const way ways[] = {
        {"a UTF-8 terminal", true, {}, "C.UTF-8", true},
        {"--utf8 on pipes", false, {"--utf8"}, "C", true},
        {"a terminal in the C locale", true, {}, "C", false},
        {"--cp850 on a UTF-8 terminal", true, {"--cp850"}, "C.UTF-8", false},
        {"pipes under a UTF-8 locale", false, {}, "C.UTF-8", false},
    };
    for (const way& w : ways) {
        const auto run = w.on_terminal ? run_on_terminal : run_on_pipes;
        const child_result r = run(w.arguments, locale_environment(w.locale), typed);
        EXPECT_FALSE(r.timed_out) << w.what;
        EXPECT_EQ(r.status, 0) << w.what;
        EXPECT_EQ(r.err, "") << w.what;
        for (const std::string& line : w.converted ? converted : unconverted)
            EXPECT_NE(r.out.find(line), std::string::npos) << w.what << " does not show " << line;
    }
}

// The help, the version and the refusal of an option are documents: they
// follow the locale's code set, even into a pipe. Ending the input at the
// terminal (Ctrl-D) stops the read as the end of a file does.
TEST(Terminal, DocumentsFollowTheLocaleAndCtrlDEndsTheInput) {
    const std::string help = lousa::help_text();
    struct run {
        bool on_terminal;
        std::vector<std::string> arguments;
        const char* locale;
        std::string typed;
        int status;
        std::string out, err;
    };
    const run runs[] = {
        {true, {"--help"}, "C.UTF-8", "", 0, lousa::utf8_from_cp850(help), ""},
        {false, {"--help"}, "C.UTF-8", "", 0, lousa::utf8_from_cp850(help), ""},
        {false, {"--help", "--cp850"}, "C.UTF-8", "", 0, help, ""},
        {false, {"--help"}, "C", "", 0, help, ""},
        {true, {"--version"}, "C.UTF-8", "", 0, std::string("lousa ") + LOUSA_VERSION + "\n", ""},
        {true, {"--utf-8"}, "C.UTF-8", "3\n1\n", 64, "",
         "lousa: opcao desconhecida: --utf-8\nUse 'lousa --help' para ver as opcoes.\n"},
        {true, {}, "C.UTF-8", "3\n1\n\x04", 2, "", "Console error: End of file\n"},
    };
    for (const run& expected : runs) {
        const auto how = expected.on_terminal ? run_on_terminal : run_on_pipes;
        const child_result r = how(expected.arguments, locale_environment(expected.locale), expected.typed);
        const std::string what = expected.arguments.empty() ? expected.typed : expected.arguments[0];
        EXPECT_EQ(r.status, expected.status) << what;
        if (expected.status != 2) {
            EXPECT_EQ(r.out, expected.out) << what;
        }
        EXPECT_TRUE(r.err.ends_with(expected.err) && (expected.status == 2 || r.err == expected.err))
            << what << ": " << r.err;
    }
}

TEST(Terminal, ALocaleWithADecimalCommaDoesNotChangeHowNumbersAreRead) {
    const lousa::testing::comma_locale locale = lousa::testing::find_comma_locale();
    ASSERT_FALSE(locale.name.empty()) << "no locale with a decimal comma: install Debian's `locales`";
    // paired t test: differences 2.5, 0.5, 0.5, 2.5 -> mean 1.5, t = 2.60 with 3 degrees
    // of freedom; read as integers (1.5 -> 1) they would give other digits
    const std::string typed = "3\n1\n4\n10.5 8\n11.5 11\n9.5 9\n10.5 8\n0\n";
    const child_result r = run_on_terminal({}, locale_environment(locale.name, locale.locpath), typed);
    if (!locale.locpath.empty()) std::filesystem::remove_all(locale.locpath);
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("APLICAÇÃO"), std::string::npos);  // the locale was in force: UTF-8 screen
    EXPECT_NE(r.out.find(" *********** 't' =   2.60 /// Graus de liberdade =   3 **********\n"), std::string::npos)
        << r.out;
}

// A screen that cannot be written (a full disk; a pipe nobody reads, where
// SIGPIPE ends the program as it ends any other, or where it is ignored the
// failed write does) and input that is a directory end with the system's error.
TEST(Terminal, AFailedStreamEndsTheRunWithTheSystemsError) {
    const std::string unwritable = "lousa: a tela nao pode ser escrita: ";
    const child_result full = run_on(::open("/dev/null", O_RDONLY), ::open("/dev/full", O_WRONLY), -1);
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err, unwritable + std::strerror(ENOSPC) + "\n");
    for (const bool ignore_sigpipe : {false, true}) {
        const pipe_ends out;
        ::close(out.fd[0]);
        const child_result r = run_on(::open("/dev/null", O_RDONLY), out.fd[1], -1, ignore_sigpipe);
        EXPECT_EQ(r.status, ignore_sigpipe ? 1 : -1);
        EXPECT_EQ(r.signal, ignore_sigpipe ? 0 : SIGPIPE);
        EXPECT_EQ(r.err, ignore_sigpipe ? unwritable + std::strerror(EPIPE) + "\n" : "");
    }
    const pipe_ends out;
    const child_result r = run_on(::open("/", O_RDONLY | O_DIRECTORY), out.fd[1], out.fd[0]);
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.starts_with("At line ")) << r.err;
    EXPECT_TRUE(r.err.ends_with(" of file shell/shell.cpp (unit = 5, file = 'stdin')\nConsole error: " +
                                std::string(std::strerror(EISDIR)) + "\n"))
        << r.err;
    EXPECT_NE(r.out.find("** CONSULTE O TUTORIAL E DIGITE O CODIGO DA APLICACAO**"), std::string::npos);
}

}  // namespace

#endif  // _WIN32
