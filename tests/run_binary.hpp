#pragma once
// Runs of the built program as a user's shell would start it: typed answers
// or an answer file on standard input, standard output and standard error
// kept byte for byte. Works on POSIX and, under Wine, on Windows.

#include <string>
#include <string_view>

namespace lousa::testing {

// Expectations are written with "\n"; the program writes each as the
// platform's line end (CR LF on Windows), on standard output and error.
std::string platform_lines(std::string_view text);

struct run_result {
    int status = -1;  // -1: ended by a signal, or killed at the time limit
    std::string out, err;
};

// The program with `arguments` (separated by blanks) and `typed` on standard
// input, killed if it has not ended after 30 seconds, so that a program that
// never ends fails its test instead of hanging it. With `one_stream`,
// standard output and standard error go to one file, as both are on one
// terminal: `out` holds both, in the order they were written.
run_result run_binary(const std::string& typed, const std::string& arguments = "", bool one_stream = false);

}  // namespace lousa::testing
