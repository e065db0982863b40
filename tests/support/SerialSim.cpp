#include "SerialSim.h"

#include <cstdlib>
#include <sstream>

#include "TestPaths.h"
#include "TestProcess.h"

namespace testsupport {
namespace {

class FileHandle {
public:
    explicit FileHandle(HANDLE h) : h_(h) {}
    ~FileHandle()
    {
        if (h_ != INVALID_HANDLE_VALUE)
            CloseHandle(h_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE Get() const { return h_; }
    bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE h_;
};

// The whole file; the simulator appends to it while we read, so readers share everything.
bool ReadWholeFile(const std::wstring& path, std::string& data)
{
    FileHandle f(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f.Valid())
        return false;
    data.clear();
    char buffer[8192];
    DWORD got = 0;
    while (ReadFile(f.Get(), buffer, sizeof(buffer), &got, nullptr) && got > 0)
        data.append(buffer, got);
    return true;
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));   // a last line without '\n' is incomplete
    return lines;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::string HexEscape(unsigned char c)
{
    char hex[8];
    wsprintfA(hex, "\\x%02X", c);
    return hex;
}

}  // namespace

SerialSim::SerialSim(const std::wstring& port) : port_(port) {}

std::wstring SerialSim::Folder() const
{
    std::wstring lower = port_;
    for (auto& c : lower)
        c = static_cast<wchar_t>(towlower(c));
    return L"C:\\serialsim\\" + lower;
}

bool SerialSim::Request(const std::string& line, std::vector<std::string>* lines, std::string* error,
                        DWORD deadlineMs) const
{
    // Wine hands out process ids again soon, so the id alone would let this request find the
    // late answer to an earlier process's request of the same name: the process's start time
    // joins it, and an answer already there under the name is removed first.
    static const ULONGLONG started = [] {
        LARGE_INTEGER now{};
        QueryPerformanceCounter(&now);
        return static_cast<ULONGLONG>(now.QuadPart);
    }();
    static LONG counter = 0;
    std::wstring base = Folder() + L"\\control\\" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                        std::to_wstring(started) + L"-" + std::to_wstring(InterlockedIncrement(&counter));
    std::wstring tmp = base + L".tmp", req = base + L".req", ack = base + L".ack";
    DeleteFileW(ack.c_str());
    std::string text = line + "\n";
    // Written under another name and renamed, so the simulator never reads half a request.
    // Wine renames the file and then looks the new name up again; when the simulator has already
    // taken the request away, the rename reports a failure (error 8) although it was done. The
    // request counts as sent once the file under its first name has gone.
    bool written = WriteFileBytes(tmp, text.data(), text.size());
    bool sent = written && (MoveFileExW(tmp.c_str(), req.c_str(), MOVEFILE_REPLACE_EXISTING) ||
                            GetFileAttributesW(tmp.c_str()) == INVALID_FILE_ATTRIBUTES);
    if (!sent) {
        DWORD code = GetLastError();
        DeleteFileW(tmp.c_str());
        if (error) {
            std::wstring folder = Folder();
            *error = "cannot write the request into " + std::string(folder.begin(), folder.end()) +
                     " (error " + std::to_string(code) + ")";
        }
        return false;
    }
    bool answered = WaitUntil([&] { return GetFileAttributesW(ack.c_str()) != INVALID_FILE_ATTRIBUTES; }, deadlineMs);
    std::string answer;
    if (!answered || !ReadWholeFile(ack, answer)) {
        DeleteFileW(req.c_str());
        if (error)
            *error = "no answer";
        return false;
    }
    DeleteFileW(ack.c_str());
    std::vector<std::string> all = SplitLines(answer);
    if (all.empty() || all[0] != "ok") {
        if (error)
            *error = all.empty() ? "empty answer" : (all[0].rfind("error ", 0) == 0 ? all[0].substr(6) : all[0]);
        return false;
    }
    if (lines)
        lines->assign(all.begin() + 1, all.end());
    return true;
}

bool SerialSim::Running() const
{
    return Request("ping", nullptr, nullptr, 2000);
}

bool SerialSim::Reset() const
{
    return Request("reset");
}

bool SerialSim::ClearLog() const
{
    return Request("clear");
}

bool SerialSim::SetMode(const std::string& mode, int count) const
{
    return Request("mode " + mode + (count > 0 ? " " + std::to_string(count) : std::string()));
}

bool SerialSim::Set(const std::string& name, const std::string& value) const
{
    return Request("set " + name + (value.empty() ? std::string() : " " + value));
}

bool SerialSim::Set(const std::string& name, long value) const
{
    return Set(name, std::to_string(value));
}

bool SerialSim::Touch() const
{
    return Request("touch");
}

bool SerialSim::LeaveStale(const std::string& bytes) const
{
    std::string text = Escape(bytes);
    // The simulator trims blanks at the end of a request line.
    if (!text.empty() && text.back() == ' ')
        text.replace(text.size() - 1, 1, HexEscape(' '));
    return Request("stale " + text);
}

std::map<std::string, std::string> SerialSim::State() const
{
    std::map<std::string, std::string> state;
    std::vector<std::string> lines;
    if (!Request("state", &lines))
        return state;
    for (const auto& l : lines) {
        size_t blank = l.find(' ');
        state[l.substr(0, blank)] = blank == std::string::npos ? std::string() : l.substr(blank + 1);
    }
    return state;
}

std::vector<SerialSimEntry> SerialSim::ReadLog() const
{
    std::vector<SerialSimEntry> log;
    std::string data;
    if (!ReadWholeFile(Folder() + L"\\log.txt", data))
        return log;
    for (const auto& line : SplitLines(data)) {
        size_t tab1 = line.find('\t');
        size_t tab2 = tab1 == std::string::npos ? tab1 : line.find('\t', tab1 + 1);
        if (tab2 == std::string::npos)
            continue;
        SerialSimEntry e;
        e.timeMs = std::strtoll(line.substr(0, tab1).c_str(), nullptr, 10);
        e.kind = line.substr(tab1 + 1, tab2 - tab1 - 1);
        e.text = Unescape(line.substr(tab2 + 1));
        log.push_back(e);
    }
    return log;
}

bool SerialSim::WaitForEntry(const std::string& kind, const std::string& text, DWORD deadlineMs,
                             SerialSimEntry* found, size_t occurrence) const
{
    return WaitUntil(
        [&] {
            size_t seen = 0;
            for (const auto& e : ReadLog()) {
                if (e.kind == kind && (text.empty() || e.text == text) && ++seen == occurrence) {
                    if (found)
                        *found = e;
                    return true;
                }
            }
            return false;
        },
        deadlineMs);
}

std::vector<SerialSimEntry> SerialSim::Select(const std::vector<SerialSimEntry>& log, const std::string& kind)
{
    std::vector<SerialSimEntry> out;
    for (const auto& e : log)
        if (e.kind == kind)
            out.push_back(e);
    return out;
}

std::vector<std::string> SerialSim::Commands(const std::vector<SerialSimEntry>& log)
{
    std::vector<std::string> out;
    for (const auto& e : Select(log, "cmd"))
        out.push_back(e.text);
    return out;
}

std::string SerialSim::Describe(const std::vector<SerialSimEntry>& log)
{
    std::ostringstream out;
    long long first = log.empty() ? 0 : log.front().timeMs;
    for (const auto& e : log)
        out << "  +" << (e.timeMs - first) << " ms " << e.kind << " " << Escape(e.text) << "\n";
    return log.empty() ? "  (empty log)\n" : out.str();
}

std::string SerialSim::Escape(const std::string& bytes)
{
    std::string out;
    for (unsigned char c : bytes) {
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\\')
            out += "\\\\";
        else if (c >= 0x20 && c < 0x7F)
            out += static_cast<char>(c);
        else
            out += HexEscape(c);
    }
    return out;
}

std::string SerialSim::Unescape(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        char c = text[++i];
        if (c == 'r')
            out += '\r';
        else if (c == 'n')
            out += '\n';
        else if (c == 't')
            out += '\t';
        else if (c == '\\')
            out += '\\';
        else if (c == 'x' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 && HexDigit(text[i + 2]) >= 0) {
            out += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
            i += 2;
        } else {
            out += '\\';   // not an escape the simulator writes: kept as it stands
            out += c;
        }
    }
    return out;
}

long long SerialSim::NowMs()
{
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    ULARGE_INTEGER t;
    t.LowPart = ft.dwLowDateTime;
    t.HighPart = ft.dwHighDateTime;
    return static_cast<long long>((t.QuadPart - 116444736000000000ULL) / 10000ULL);
}

}  // namespace testsupport
