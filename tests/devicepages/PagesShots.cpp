// Not a check: shows every page of the sheet in turn for screenshots (take-shots.sh runs it).
// For the page at tab i it creates "<i>.ready" in the folder named by TIVEN_SHOT_DIR and goes on
// when "<i>.done" appears there; "pages.txt" lists the tab captions, one a line.
#include "PagesTestBase.h"
#include "TestPaths.h"

using namespace pagestest;

namespace {
std::wstring ShotDir()
{
    wchar_t dir[MAX_PATH] = L"";
    GetEnvironmentVariableW(L"TIVEN_SHOT_DIR", dir, MAX_PATH);
    return dir;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
}  // namespace

class PagesShots : public PagesTest {};

TEST_F(PagesShots, DISABLED_EveryPage)
{
    const std::wstring dir = ShotDir();
    ASSERT_FALSE(dir.empty()) << "TIVEN_SHOT_DIR is not set";
    DeviceRow front = Distinct(Serial(1, L"Front Panel"));
    front.segment = 0;
    DeviceRow desk = Usb(2, L"Conference Room Left Wall Touch Panel 01");
    Install({front, desk}, front.name, 1);
    OPEN_SHEET(IDC_DEV_LIST);

    const std::vector<std::wstring> tabs = TabCaptions();
    std::wstring list;
    for (const std::wstring& tab : tabs)
        list += tab + L"\n";
    WriteFileBytes(dir + L"\\pages.txt", list.data(), list.size() * sizeof(wchar_t));
    for (size_t i = 0; i < tabs.size(); ++i) {
        SendMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(i), 0);
        RedrawWindow(sheet, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        // Let the sheet's thread finish painting before the picture is taken.
        SendMessageW(sheet, WM_NULL, 0, 0);
        const std::wstring base = dir + L"\\" + std::to_wstring(i);
        WriteFileBytes(base + L".ready", "", 0);
        ASSERT_TRUE(WaitUntil([&] { return Exists(base + L".done"); }, 60000)) << "no picture taken of tab " << i;
    }
    EXPECT_TRUE(session->Close(IDCANCEL));
}
