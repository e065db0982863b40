#pragma once
// Label files for the applet tests, and the checks of the texts labels give a page's controls;
// the product and device keys come from DeviceKeyFixture.h.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "DeviceKeyFixture.h"
#include "LabelKeys.h"

namespace applettest {

using namespace testsupport;

using Labels = std::vector<std::pair<std::wstring, std::wstring>>;
// Writes a label file (UTF-8) with these entries and returns its path.
std::wstring WriteLabelFile(const Labels& labels);

// A control whose text a label replaces: its id, the label key and the template's text (null:
// any text that is not empty).
struct LabelledText {
    int id;
    const wchar_t* key;
    const wchar_t* builtIn;
};
// Labels that give each control the text "Label of <key>".
Labels LabelsFor(const std::vector<LabelledText>& texts);
// Each control shows its label text (`labelled`) or its template text.
void ExpectTexts(HWND page, const std::vector<LabelledText>& texts, bool labelled);

// A text's letters and digits, for the name of a parameterised test ("Tap Time" -> "TapTime").
std::string AsciiName(const wchar_t* text);

}  // namespace applettest
