// The standard streams on Linux, macOS and other POSIX systems.

#include <langinfo.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <clocale>
#include <cstring>
#include <string>

#include "terminal/terminal.hpp"

namespace lousa::terminal {
namespace {

// "UTF-8", "utf8", "UTF8": the spellings systems give the code set.
bool names_utf8(const std::string& codeset) {
    std::string letters;
    for (const char c : codeset)
        if (c != '-') letters += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return letters == "utf8";
}

// The locale the environment names for the character type, as the C library
// picks it: LC_ALL, then LC_CTYPE, then LANG, the first one set.
std::string named_locale() {
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') return value;
    }
    return "";
}

// The code set in a locale's name: "pt_BR.UTF-8@variant" gives "UTF-8".
std::string codeset_in_name(const std::string& name) {
    const std::size_t dot = name.find('.');
    if (dot == std::string::npos) return "";
    return name.substr(dot + 1, name.find('@', dot) - dot - 1);
}

bool user_locale_uses_utf8() {
    // A locale this system has no files for (always so for a statically
    // linked program on another distribution) is judged by its name.
    if (std::setlocale(LC_CTYPE, "") == nullptr) return names_utf8(codeset_in_name(named_locale()));
    const std::string codeset = nl_langinfo(CODESET);
    // Only the code set was wanted: reading and layouts never follow the
    // user's locale.
    std::setlocale(LC_CTYPE, "C");
    return names_utf8(codeset);
}

}  // namespace

session::session() {
    const bool output_terminal = ::isatty(STDOUT_FILENO) == 1;
    const bool input_terminal = ::isatty(STDIN_FILENO) == 1;
    kinds_.locale_utf8 = user_locale_uses_utf8();
    kinds_.output_utf8_terminal = output_terminal && kinds_.locale_utf8;
    kinds_.input_utf8_terminal = input_terminal && kinds_.locale_utf8;
    kinds_.input_terminal = input_terminal;
}

session::~session() = default;

standard_input::standard_input() = default;

std::size_t standard_input::read_some(char* buffer, std::size_t capacity) {
    ssize_t n = 0;
    do n = ::read(STDIN_FILENO, buffer, capacity);
    while (n < 0 && errno == EINTR);
    if (n < 0) throw input_failure(std::strerror(errno));
    return static_cast<std::size_t>(n);
}

}  // namespace lousa::terminal
