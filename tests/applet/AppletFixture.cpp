#include "AppletFixture.h"

#include "TestPaths.h"

using namespace testsupport;

namespace applettest {

namespace {
std::wstring Escaped(const std::wstring& text)
{
    std::wstring out;
    for (wchar_t c : text) {
        if (c == L'&')
            out += L"&amp;";
        else if (c == L'<')
            out += L"&lt;";
        else if (c == L'>')
            out += L"&gt;";
        else
            out += c;
    }
    return out;
}

std::string Utf8(const std::wstring& text)
{
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0], size, nullptr, nullptr);
    return out;
}
}  // namespace

std::wstring WriteLabelFile(const Labels& labels)
{
    std::wstring xml = L"<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<labels>\n  <applet>\n";
    for (const auto& label : labels)
        xml += L"    <entry><key>" + label.first + L"</key><text>" + Escaped(label.second) + L"</text></entry>\n";
    xml += L"  </applet>\n</labels>\n";
    std::string bytes = Utf8(xml);
    std::wstring path = MakeTempDir(L"applet-labels") + L"\\labels.xml";
    WriteFileBytes(path, bytes.data(), bytes.size());
    return path;
}

}  // namespace applettest
