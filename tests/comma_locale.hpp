#pragma once
// A locale whose decimal point is a comma, for the tests that show reading
// never follows the locale: an installed one, or one generated with localedef
// from the sources of Debian's `locales` into a scratch directory (LOCPATH).
// POSIX only.

#include <string>

namespace lousa::testing {

struct comma_locale {
    std::string name;     // empty: none could be found or made
    std::string locpath;  // the scratch directory to set as LOCPATH, or empty
};

comma_locale find_comma_locale();

}  // namespace lousa::testing
