// What the page's script must know of the program, printed as JSON when the
// page is built (web/monta.js puts it in the page): the version, the exit
// statuses, the kinds of output, the code page 850 characters above 127 (to
// read old answer files) and the menu's titles by code.
//
//   node build-web/lousa_dados.js

#include <cstdio>
#include <string>
#include <string_view>

#include "common/textos.hpp"
#include "codepage/cp850.hpp"
#include "shell/programa.hpp"
#include "web/page.hpp"

namespace {

// A JSON string of UTF-8 text.
std::string json(std::string_view utf8) {
    std::string out = "\"";
    for (const char c : utf8) {
        if (c == '"' || c == '\\') out += '\\';
        if (c == '<') out += "\\u003c";  // no "</script>" inside the page's data
        else out += c;
    }
    return out + '"';
}

std::string trimmed(std::string_view text) {
    const auto end = text.find_last_not_of(' ');
    return std::string(text.substr(0, end == std::string_view::npos ? 0 : end + 1));
}

}  // namespace

int main() {
    using namespace lousa;
    std::string cp850_upper;
    for (int byte = 128; byte < 256; ++byte) cp850_upper += static_cast<char>(byte);
    std::string titles;
    for (std::size_t code = 1; code < textos::aplic.size(); ++code) {
        const std::string title = trimmed(utf8_from_cp850(textos::aplic[code].view()));
        if (title.empty()) continue;
        titles += (titles.empty() ? "" : ",") + json(std::to_string(code)) + ":" + json(title);
    }
    std::printf(
        "{\"version\":%s,\"status\":{\"normal\":%d,\"outputFailed\":%d,\"readFailed\":%d,\"internalError\":%d},"
        "\"kind\":{\"screen\":%d,\"report\":%d,\"table\":%d,\"picture\":%d,\"distribution\":%d,\"numbers\":%d},\"cp850\":%s,\"titles\":{%s}}\n",
        json(LOUSA_VERSION).c_str(), status_normal, status_output_failed, status_read_failed, status_internal_error,
        static_cast<int>(web::output_kind::screen), static_cast<int>(web::output_kind::report),
        static_cast<int>(web::output_kind::table), static_cast<int>(web::output_kind::picture),
        static_cast<int>(web::output_kind::distribution), static_cast<int>(web::output_kind::numbers),
        json(utf8_from_cp850(cp850_upper)).c_str(), titles.c_str());
}
