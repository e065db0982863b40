#include "StateWaits.h"

#include <sstream>

#include "TestWindows.h"

namespace testsupport {

namespace {
std::string Narrow(const std::wstring& text)
{
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                    nullptr);
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0], bytes, nullptr, nullptr);
    return out;
}

// "window 0x1234 (Button "&Back")", for the failure message.
std::string Describe(HWND window)
{
    std::ostringstream out;
    out << "window 0x" << std::hex << reinterpret_cast<UINT_PTR>(window);
    if (!IsWindow(window))
        out << " (gone)";
    else
        out << " (" << Narrow(ClassNameOf(window)) << " \"" << Narrow(WindowText(window)) << "\")";
    return out.str();
}

::testing::AssertionResult WaitFlag(HWND window, BOOL(WINAPI* read)(HWND), bool wanted, const char* yes,
                                    const char* no, DWORD deadlineMs)
{
    if (WaitUntil([&] { return IsWindow(window) && (read(window) != FALSE) == wanted; }, deadlineMs))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << Describe(window) << " is still " << (wanted ? no : yes) << " after "
                                         << std::dec << deadlineMs << " ms";
}
}  // namespace

::testing::AssertionResult WaitEnabled(HWND window, bool enabled, DWORD deadlineMs)
{
    return WaitFlag(window, IsWindowEnabled, enabled, "enabled", "disabled", deadlineMs);
}

::testing::AssertionResult WaitVisible(HWND window, bool visible, DWORD deadlineMs)
{
    return WaitFlag(window, IsWindowVisible, visible, "visible", "hidden", deadlineMs);
}

::testing::AssertionResult WaitWindowText(HWND window, const std::wstring& text, DWORD deadlineMs)
{
    std::wstring seen;
    if (WaitUntil([&] { return (seen = WindowText(window)) == text; }, deadlineMs))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << Describe(window) << " reads \"" << Narrow(seen) << "\", not \""
                                         << Narrow(text) << "\", after " << deadlineMs << " ms";
}

}  // namespace testsupport
