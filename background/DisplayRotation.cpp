#include "DisplayRotation.h"

#include "DeviceAccess.h"
#include "DeviceFinder.h"
#include "DeviceKeys.h"
#include "ProductSchema.h"
#include "RegistryKey.h"
#include "ScopedAttach.h"

#include <string>

static_assert(sizeof(DEVMODEA) == 156, "the display mode is queried with a size field of 156");

namespace segmenta {

bool RotationSendsOrientation(DWORD rotation)
{
    return rotation == kRotationAsReported || rotation == kRotationSwapped;
}

DWORD OrientationCode(DWORD displayOrientation, DWORD rotation, DWORD lastCode)
{
    if (displayOrientation > DMDO_270)
        return lastCode;
    if (rotation == kRotationSwapped && (displayOrientation == DMDO_90 || displayOrientation == DMDO_270))
        return displayOrientation == DMDO_90 ? DMDO_270 : DMDO_90;
    return displayOrientation;
}

DEVMODEA CurrentDisplayMode()
{
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    ::EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
    return mode;
}

bool ApplyRotation(const DEVMODEA& mode, DisplayOrientationRequest& request)
{
    std::string deviceName;
    DWORD rotation = kRotationAsReported;
    {
        CRegistryKey registry;
        CScopedAttach product(registry, kProductKeyPathA.data());
        if (product) {
            ReadProductText(registry, ProductValueId::CurrentDevice, deviceName);
            rotation = ReadProductNumber(registry, ProductValueId::Rotation);
        }
    }
    CDeviceFinderA finder;
    std::unique_ptr<CDeviceRecordA> device = finder.FindDevice(deviceName.c_str());
    if (device && RotationSendsOrientation(rotation)) {
        request.orientation = OrientationCode(mode.dmDisplayOrientation, rotation, request.orientation);
        request.width = mode.dmPelsWidth;
        request.height = mode.dmPelsHeight;
        DeviceIoctl(device.get(), IOCTL_DISPLAY_ORIENTATION, &request, sizeof request);
    }
    return true;   // the record closes its driver handle, the finder the device key
}

}  // namespace segmenta
