// Compiled by the tests for 32-bit x86: with arithmetic in SSE2 registers it
// compiles; with the x87 unit (-mfpmath=387) it must be refused with a message
// that says how to build. Every number goes through console/real.hpp.

#include "console/console.hpp"

lousa::real media(lousa::real soma, std::int32_t n) { return soma / n; }
