#include "tests/comma_locale.hpp"

#ifndef _WIN32

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace lousa::testing {

#ifdef __EMSCRIPTEN__
comma_locale find_comma_locale() { return {}; }  // the browser's C library knows the C locale only
#else
namespace {

bool has_decimal_comma(const std::string& name, const std::string& locpath) {
    const std::string command = (locpath.empty() ? "" : "LOCPATH='" + locpath + "' ") + "LC_ALL=" + name +
                                " locale decimal_point 2>/dev/null";
    FILE* p = ::popen(command.c_str(), "r");
    if (p == nullptr) return false;
    char answer[16] = {};
    const bool read = std::fgets(answer, sizeof answer, p) != nullptr;
    ::pclose(p);
    return read && std::string(answer) == ",\n";
}

}  // namespace

comma_locale find_comma_locale() {
    for (const char* name : {"pt_BR.UTF-8", "de_DE.UTF-8"})
        if (has_decimal_comma(name, "")) return {name, ""};
    const std::string dir = "/tmp/lousa_locales_" + std::to_string(::getpid());
    const std::string generate = "mkdir -p '" + dir + "' && localedef -i pt_BR -f UTF-8 '" + dir +
                                 "/pt_BR.UTF-8' >/dev/null 2>&1";
    (void)std::system(generate.c_str());  // warnings give a non-zero status; the check below decides
    if (has_decimal_comma("pt_BR.UTF-8", dir)) return {"pt_BR.UTF-8", dir};
    return {};
}
#endif

}  // namespace lousa::testing

#endif
