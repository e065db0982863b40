#pragma once
// Base of the Devices page tests: the devices, the product key and the system's serial ports in
// the sheet test's private HKLM, and the texts of the page's dialogs and boxes.
#include <string>
#include <vector>

#include "NewDeviceDialogs.h"
#include "SheetTest.h"
#include "StandinClient.h"
#include "TestWindows.h"

namespace devicestest {

constexpr wchar_t kDialogTitle[] = L"New Pointer Device";
constexpr const wchar_t* kCaption = kPropertiesCaption;

class DevicesTest : public applettest::SheetTest {
protected:
    // Product key (controller kind 1, current device `current`), serial ports, devices.
    void Install(const std::vector<applettest::DeviceRow>& devices, const std::wstring& current,
                 const std::vector<std::wstring>& ports = {L"COM1", L"COM2"}, DWORD controllerKind = 1);
};

}  // namespace devicestest

// Opens the sheet on the Devices page.
#define OPEN_DEVICES_PAGE() OPEN_SHEET(IDC_DEV_LIST)
