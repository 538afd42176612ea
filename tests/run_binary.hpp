#pragma once
// Runs of the built program as a user's shell would start it: typed answers
// or an answer file on standard input, standard output and standard error
// kept byte for byte. Works on POSIX and, under Wine, on Windows.

#include <filesystem>
#include <string>
#include <string_view>

namespace lousa::testing {

// Expectations are written with "\n"; the program writes each as the
// platform's line end (CR LF on Windows), on standard output and error.
std::string platform_lines(std::string_view text);

struct run_result {
    int status = -1;
    std::string out, err;
};

// The program with `arguments` (already quoted for the shell) and `typed` on
// standard input. With `one_stream`, standard output and standard error go to
// one file, as both are on one terminal: `out` holds both, in the order they
// were written.
run_result run_program(const std::string& typed, const std::string& arguments = "", bool one_stream = false);

}  // namespace lousa::testing
