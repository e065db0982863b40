#pragma once
// Base of the tests of the Settings, Windows, Events and Calibration pages: the sheet opened in
// the test process on its first page, a page chosen by its tab, and readers for what Apply
// leaves in the registry and sends to the stand-in drivers. Several pages share control ids,
// so a page is always found by its tab, never by a control.
#include <cstdint>
#include <string>
#include <vector>

#include "AppletTestBase.h"
#include "StandinClient.h"
#include "TestWindows.h"

namespace pagestest {

using namespace applettest;
using namespace testsupport;

class PagesTest : public AppletTest {
protected:
    // Product key (controller kind, current device, label file with `labels`) and the devices.
    void Install(const std::vector<DeviceRow>& devices, const std::wstring& current, DWORD controllerKind = 1,
                 const Labels& labels = {});
    // Opens the sheet and shows the tab whose caption is `caption`; the page goes to `page`.
    // Use through SHOW_PAGE, which stops the test when it fails.
    void ShowPage(const std::wstring& caption, const char* file, int line);
    // The captions of the sheet's tabs, in order.
    std::vector<std::wstring> TabCaptions() const;
    // Chooses the device of that name in the page's device list, as the user would.
    void ChooseDevice(int listId, const std::wstring& name);
    // The texts of a combo box's items.
    std::vector<std::wstring> ComboItems(int id) const;
    int ComboSelection(int id) const;
    LRESULT DefaultButton() const { return SendMessageW(page, DM_GETDEFID, 0, 0); }
    std::wstring ProductValue(const wchar_t* name) const { return registry.Read(kProductKeyPath, name).AsString(); }
};

// The mode request's twelve bytes: both mode codes (4 bytes each), click, tap, lift-off, zero.
std::vector<uint8_t> ModeBytes(DWORD primaryCode, DWORD secondaryCode, BYTE click, BYTE tap, BYTE liftOff);

// The pixels of a bitmap, to tell which of the applet's pictures a control shows.
std::vector<uint8_t> BitmapBits(HBITMAP bitmap);
// The pixels of one of the applet's bitmap resources.
std::vector<uint8_t> AppletBitmapBits(int id);

}  // namespace pagestest

#define SHOW_PAGE(caption) ASSERT_NO_FATAL_FAILURE(ShowPage(caption, __FILE__, __LINE__))
