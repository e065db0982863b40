#include "DisplayMode.h"

#include <utility>

namespace calib {

namespace {
constexpr WORD kClassicDevModeSize = 220;
static_assert(sizeof(DEVMODEW) >= kClassicDevModeSize, "DEVMODEW holds the classic fields");

void SwapSize(DEVMODEW& mode) { std::swap(mode.dmPelsWidth, mode.dmPelsHeight); }
}  // namespace

bool ReadCurrentDisplayMode(DEVMODEW& mode)
{
    ZeroMemory(&mode, sizeof mode);
    mode.dmSize = kClassicDevModeSize;
    return EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode) != FALSE;
}

bool PrepareNaturalOrientation(DEVMODEW& mode, int& savedOrientation)
{
    savedOrientation = 0;
    if (mode.dmDisplayOrientation == DMDO_DEFAULT)
        return false;
    savedOrientation = static_cast<int>(mode.dmDisplayOrientation);
    mode.dmDisplayOrientation = DMDO_DEFAULT;
    if (mode.dmPelsHeight > mode.dmPelsWidth)
        SwapSize(mode);
    return true;
}

int OrientationToRestore(DWORD rotationSetting, int savedOrientation)
{
    if (rotationSetting >= 10 && rotationSetting <= 13)
        return static_cast<int>(rotationSetting - 10);
    return savedOrientation;
}

void PrepareRestoredOrientation(DEVMODEW& mode, int orientation)
{
    switch (orientation) {
    case 1: mode.dmDisplayOrientation = DMDO_90; SwapSize(mode); break;
    case 2: mode.dmDisplayOrientation = DMDO_180; break;
    case 3: mode.dmDisplayOrientation = DMDO_270; SwapSize(mode); break;
    default: mode.dmDisplayOrientation = DMDO_DEFAULT; break;
    }
}

}  // namespace calib
