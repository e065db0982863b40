#pragma once
// Label files for the applet tests; the product and device keys come from DeviceKeyFixture.h.
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

}  // namespace applettest
