#pragma once
// The program's standard streams on the platform it runs on: what they are
// connected to, the bytes crossing them, and what a run must set up there and
// put back afterwards. The platform's own part lives in terminal_posix.cpp
// and terminal_windows.cpp.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "console/streams.hpp"

namespace lousa::terminal {

// What the standard streams turned out to be, found once at start.
struct streams {
    bool output_utf8_terminal = false;  // standard output is a terminal whose locale uses UTF-8
    bool input_utf8_terminal = false;   // the same for standard input
    bool input_terminal = false;        // standard input is a terminal (a person types), whatever its locale
    bool locale_utf8 = false;           // the user's locale uses UTF-8, whatever the streams are
};

// Readies the standard streams for one run and puts back what it changed when
// it is destroyed. POSIX: the user's locale is consulted for its code set
// only, and the C locale is restored at once, so that reading and layouts
// never follow the locale. Windows: binary mode on the three streams (the
// program writes its own CR LF), and on a console the code pages 850 for the
// run, put back on every way out, Ctrl-C included.
class session {
public:
    session();
    ~session();
    session(const session&) = delete;
    session& operator=(const session&) = delete;

    const streams& kinds() const { return kinds_; }

private:
    streams kinds_;
};

// How screen and keyboard bytes cross the terminal.
enum class conversion : std::uint8_t {
    automatic,  // UTF-8 only where a terminal's locale asks for it
    cp850,      // never converted (--cp850)
    utf8,       // always converted, pipes and files too (--utf8)
};

// Which directions are converted between code page 850 and UTF-8. The help,
// the version and the one-line reports are documents, not screens: they
// follow the locale even into a pipe (`lousa --help | less`).
struct conversions {
    bool screen = false;
    bool keyboard = false;
    bool documents = false;
    bool keyboard_guessed = false;  // a file or pipe without a mark: UTF-8 if it looks so
};
conversions choose(conversion asked, const streams& kinds);

// Standard input, byte for byte. A system error that prevents reading throws
// input_failure with the system's text; an interrupted read is retried. At a
// Windows console, Ctrl-Z ends the input (the bytes typed before it count).
class standard_input final : public input_source {
public:
    standard_input();
    std::size_t read_some(char* buffer, std::size_t capacity) override;

#ifdef _WIN32
private:
    bool console_ = false;  // a Windows console (Ctrl-Z means the end)
    bool ended_ = false;
#endif
};

// Standard output or standard error: each put reaches the stream before it
// returns; a write that fails throws output_failure with the system's text.
class standard_stream final : public output_sink {
public:
    explicit standard_stream(std::FILE* stream) : stream_(stream) {}
    void put(std::string_view bytes) override;

private:
    std::FILE* stream_;
};

}  // namespace lousa::terminal
