#include "TestNames.h"

#include <cctype>

namespace testsupport {

std::string CaseName(const char* what)
{
    std::string name;
    for (const char* p = what; *p; ++p) {
        if (std::isalnum(static_cast<unsigned char>(*p)))
            name += *p;
    }
    return name;
}

}  // namespace testsupport
