#include "AppletFixture.h"

#include <gtest/gtest.h>

#include <cwctype>

#include "TestPaths.h"
#include "TestWindows.h"

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

Labels LabelsFor(const std::vector<LabelledText>& texts)
{
    Labels labels;
    for (const LabelledText& text : texts)
        labels.emplace_back(text.key, std::wstring(L"Label of ") + text.key);
    return labels;
}

void ExpectTexts(HWND page, const std::vector<LabelledText>& texts, bool labelled)
{
    for (const LabelledText& text : texts) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(text.key)));
        if (labelled)
            EXPECT_EQ(ControlText(page, text.id), std::wstring(L"Label of ") + text.key);
        else if (text.builtIn)
            EXPECT_EQ(ControlText(page, text.id), text.builtIn);
        else
            EXPECT_FALSE(ControlText(page, text.id).empty());
    }
}

std::string AsciiName(const wchar_t* text)
{
    std::string name;
    for (const wchar_t* p = text; *p; ++p)
        if (iswalnum(*p) && *p < 0x80)
            name += static_cast<char>(*p);
    return name;
}

}  // namespace applettest
