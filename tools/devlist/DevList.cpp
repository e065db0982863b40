// TivenDevList: lists every touch device of the registry with its settings as loaded (values the
// key does not hold are marked as defaults), then applies every settings group of every device,
// which sends each settings control code to the drivers, and, when the stand-in drivers run,
// prints the requests they received.
//
//   TivenDevList            list, apply, print the driver requests
//   TivenDevList --list     list only
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "AppletContext.h"
#include "DeviceAccess.h"
#include "DeviceKeys.h"
#include "DeviceSchema.h"

#ifdef TIVEN_DEVLIST_STANDIN
#include "StandinClient.h"
#endif

namespace {
std::string Utf8(const std::wstring& text)
{
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0], size, nullptr, nullptr);
    return out;
}

bool KeyHolds(HKEY key, const wchar_t* valueName)
{
    return RegQueryValueExW(key, valueName, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

void ListDevice(const CAppletContext& ctx, const CDeviceSettings& d)
{
    std::printf("%s\n", Utf8(d.Str_DeviceName).c_str());
    std::printf("  %-24s %s\n", "Controller Type", Utf8(d.ControllerProtocol).c_str());
    std::printf("  %-24s %s (%s)\n", "device file", Utf8(DeviceFilePath(d.ControllerProtocol, d.Str_SubKey)).c_str(),
                IsValidDeviceHandle(d.hDevice) ? "open" : "not present");
    // Name and type head the entry; the segment code is not a setting of its own.
    for (const DeviceValue& row : DeviceValues()) {
        if (row.rule == DeviceDefault::Required || row.kind == DeviceValueKind::SegmentCode ||
            (row.serialOnly && !d.IsSerial()))
            continue;
        std::string value;
        if (row.kind == DeviceValueKind::Text)
            value = "\"" + Utf8(d.*row.text) + "\"";
        else if (row.kind == DeviceValueKind::ButtonMode)
            value = std::to_string(d.*row.number + 1) + " " + Utf8(ctx.ButtonModeNames.Name(d.*row.number));
        else
            value = std::to_string(d.*row.number);
        if (row.kind == DeviceValueKind::Segment)
            value += " " + Utf8(ctx.SegmentNames.Name(d.Str_DesktopSegment));
        std::printf("  %-24s %s%s\n", Utf8(row.name).c_str(), value.c_str(),
                    KeyHolds(d.hSubKey.Get(), row.name) ? "" : "   (default)");
    }
}

void PrintDriverRequests()
{
#ifdef TIVEN_DEVLIST_STANDIN
    if (!standin::Running()) {
        std::printf("\nstand-in drivers not running: no request log\n");
        return;
    }
    bool overflow = false;
    std::vector<standin::LoggedRequest> log = standin::ReadLog(&overflow);
    std::printf("\n%u requests reached the drivers%s:\n", static_cast<unsigned>(log.size()),
                overflow ? " (log overflowed)" : "");
    std::printf("%s", standin::Describe(log).c_str());
#else
    std::printf("\nbuilt without the stand-in client: no request log\n");
#endif
}
}  // namespace

int wmain(int argc, wchar_t** argv)
{
    bool listOnly = argc > 1 && std::wstring(argv[1]) == L"--list";
#ifdef TIVEN_DEVLIST_STANDIN
    if (!listOnly && standin::Running())
        standin::ClearLog();
#endif
    CAppletContext ctx;
    std::vector<CDeviceSettings*> devices;
    ctx.deviceCollection.GetDevices(devices);
    std::printf("Controller %lu, installed in \"%s\", %u touch devices\n\n",
                static_cast<unsigned long>(ctx.controllerKind), Utf8(ctx.installDir).c_str(),
                static_cast<unsigned>(devices.size()));
    for (CDeviceSettings* d : devices)
        ListDevice(ctx, *d);
    if (listOnly)
        return 0;

    // Every group of every device, with its enable state, goes to the registry and the driver.
    for (CDeviceSettings* d : devices) {
        d->bIdentityChanged = d->bAdvancedChanged = d->bEnableChanged = d->bCalibrationChanged = true;
        d->bEventsChanged = d->bSettingsChanged = true;
        d->bHardwareChanged = d->IsSerial();
    }
    ctx.deviceCollection.ApplyChanges();
    std::printf("\napplied %u devices\n", static_cast<unsigned>(devices.size()));
    PrintDriverRequests();
    return 0;
}
