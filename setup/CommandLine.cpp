#include "CommandLine.h"

#include <vector>

namespace setup {

namespace {
constexpr size_t kBufferBytes = 1000;
constexpr size_t kTokenSlots = 5;

bool SameSwitch(const std::string& token, const char* name)
{
    return lstrcmpiA(token.c_str(), name) == 0;
}

// 8-bit text widened back, one unit per byte.
std::wstring Widen(const std::string& text)
{
    std::wstring wide;
    for (char c : text)
        wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return wide;
}

std::vector<std::string> Tokens(const std::string& text)
{
    std::vector<std::string> tokens;
    size_t pos = 0;
    while (tokens.size() < kTokenSlots) {
        pos = text.find_first_not_of(' ', pos);
        if (pos == std::string::npos)
            break;
        size_t end = text.find(' ', pos);
        tokens.push_back(text.substr(pos, end == std::string::npos ? std::string::npos : end - pos));
        pos = end;
    }
    return tokens;
}
}  // namespace

std::string NarrowCommandLine(const std::wstring& commandLine)
{
    std::string buffer;
    if (commandLine.size() >= kBufferBytes - 1)
        return buffer;
    for (wchar_t unit : commandLine)
        buffer.push_back(static_cast<char>(unit & 0xFF));
    // A unit whose low byte is 0 ends the text, as it would in a NUL-terminated buffer.
    return buffer.substr(0, buffer.find('\0'));
}

bool ParseCommandLine(const std::string& text, CommandLineOptions& options)
{
    std::vector<std::string> tokens = Tokens(text);
    if (tokens.size() != 3 && tokens.size() != 5)
        return false;

    CommandLineOptions parsed;
    if (!SameSwitch(tokens[0], "-s"))
        return false;
    parsed.silent = true;

    struct Language {
        const char* name;
        DWORD index;
    };
    // Tested in this order.
    static constexpr Language kLanguages[] = {{"-en", 0}, {"-tch", 2}, {"-sch", 3}, {"-ja", 1}, {"-kr", 4}};
    bool known = false;
    for (const Language& language : kLanguages) {
        if (SameSwitch(tokens[1], language.name)) {
            parsed.languageIndex = language.index;
            known = true;
            break;
        }
    }
    if (!known)
        return false;

    if (SameSwitch(tokens[2], "-eig"))
        parsed.wireType = 0;
    else if (SameSwitch(tokens[2], "-fiv"))
        parsed.wireType = 1;
    else
        return false;

    if (tokens.size() == 5) {
        if (SameSwitch(tokens[3], "-usb")) {
            parsed.usbClonePath = Widen(tokens[4]);
            parsed.usbRestorePending = true;
        } else if (SameSwitch(tokens[3], "-ser")) {
            parsed.serialClonePath = Widen(tokens[4]);
            parsed.serialRestorePending = true;
        } else {
            return false;
        }
    }
    options = parsed;
    return true;
}

}  // namespace setup
