#include "CommandLine.h"

namespace calib {

std::wstring DeviceNameFromCommandLine(const wchar_t* p)
{
    if (!p)
        return std::wstring();
    if (*p == L'"') {
        ++p;
        while (*p && *p != L'"')
            ++p;
        if (*p == L'"')
            ++p;
    } else {
        while (*p && *p != L' ' && *p != L'\t')
            ++p;
    }
    while (*p == L' ' || *p == L'\t')
        ++p;
    return std::wstring(p);
}

}  // namespace calib
