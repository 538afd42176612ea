#pragma once
// One run of the program on any pair of streams: the terminal, a browser page,
// a fuzzer's bytes or a test's script. Every front end calls this, so the
// dialogue and the way a run ends are the same everywhere.

#include "console/console.hpp"

namespace lousa {

// Exit statuses of a run.
inline constexpr int status_normal = 0;         // the end question answered with zero
inline constexpr int status_output_failed = 1;  // the screen could not be written
inline constexpr int status_read_failed = 2;    // an answer could not be read (two-line report)
inline constexpr int status_internal_error = 3; // anything else that stopped the run

// Runs the shell on `in` and `out`; reports on `err` how a run that did not
// end normally ended. Returns the exit status. Never throws.
int executa_programa(console::input_source& in, output_sink& out, output_sink& err) noexcept;

}  // namespace lousa
