#pragma once
// Names of the cases of a test table as GoogleTest takes them.
#include <string>

namespace testsupport {

// The case's description with every character that is no letter or digit left out.
std::string CaseName(const char* what);

}  // namespace testsupport
