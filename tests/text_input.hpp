#pragma once
// The page's keyboard test (tests/web) includes the doubles by this name.
#include "tests/doubles.hpp"
