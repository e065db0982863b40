// The Status page in the real sheet: one row per device with the state the driver reports, and
// Re-Initialize reaching the selected device only.
#include <windows.h>
#include <commctrl.h>
#include <unknwn.h>

#include "SheetTest.h"
#include "StandinClient.h"
#include "TestWindows.h"

using namespace applettest;
using namespace testsupport;

namespace {
using Cells = std::vector<std::wstring>;

size_t CountRequests(DWORD code, standin::Driver driver, unsigned instance)
{
    return standin::Select(standin::ReadLog(), driver, instance, code).size();
}
}  // namespace

class StatusPageTest : public SheetTest {};

TEST_F(StatusPageTest, RowsShowActiveInactiveAndUnpluggedDevices)
{
    Install({Serial(1, L"Active Panel"), Serial(2, L"Idle Panel"), Usb(1, L"Unplugged Pad")}, L"Idle Panel");
    ASSERT_TRUE(standin::SetStateReply(standin::Driver::Rilo, 1, {1, 3, 4}));
    ASSERT_TRUE(standin::SetStateReply(standin::Driver::Rilo, 2, {0, 7, 8}));   // counts of an idle device are not shown
    ASSERT_TRUE(standin::Unplug(standin::Driver::Meka, 1));
    OPEN_SHEET(IDC_DEV_LIST);
    ASSERT_TRUE(standin::ClearLog());
    ASSERT_NE(ShowPage(IDC_ST_LIST), nullptr);

    std::vector<ListRow> rows = Rows(IDC_ST_LIST);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].cells, (Cells{L"", L"Active Panel", L"3", L"4"}));
    EXPECT_EQ(rows[0].image, 1);
    EXPECT_EQ(rows[1].cells, (Cells{L"", L"Idle Panel", L"NA", L"NA"}));
    EXPECT_EQ(rows[1].image, 0);
    EXPECT_EQ(rows[2].cells, (Cells{L"", L"Unplugged Pad", L"NA", L"NA"}));
    EXPECT_EQ(rows[2].image, 0);
    EXPECT_TRUE(rows[1].selected) << "the current device's row is selected";
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, IDC_ST_REINITIALIZE)));
    EXPECT_EQ(CountRequests(standin::ioctl::kDeviceState, standin::Driver::Rilo, 1), 1u);
    EXPECT_EQ(CountRequests(standin::ioctl::kDeviceState, standin::Driver::Rilo, 2), 1u);
    EXPECT_EQ(CountRequests(standin::ioctl::kDeviceState, standin::Driver::Meka, 1), 0u);
    Close(IDCANCEL);
}

TEST_F(StatusPageTest, FailingStateRequestIsReportedOnceAndShownAsNotAvailable)
{
    Install({Serial(1, L"Front Panel"), Usb(1, L"Desk Pad")}, L"Front Panel");
    ASSERT_TRUE(standin::SetStateReply(standin::Driver::Meka, 1, {1, 2, 2}));
    ASSERT_TRUE(standin::FailRequests(standin::Driver::Rilo, 1, standin::ioctl::kDeviceState,
                                      static_cast<LONG>(0xC00000A3)));
    OPEN_SHEET(IDC_DEV_LIST);
    int status = TabIndex(L"Status");
    ASSERT_GE(status, 0);
    PostMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(status), 0);
    MessageBoxInfo box = WaitMessageBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(box.text, L"Status failed from the Driver");
    ASSERT_TRUE(DismissMessageBox(box, IDOK));
    ASSERT_TRUE(WaitUntil([&] { return GetDlgItem(CurrentPage(sheet), IDC_ST_LIST) && Rows(IDC_ST_LIST).size() == 2; }));
    std::vector<ListRow> rows = Rows(IDC_ST_LIST);
    EXPECT_EQ(rows[0].cells, (Cells{L"", L"Front Panel", L"NA", L"NA"}));
    EXPECT_EQ(rows[1].cells, (Cells{L"", L"Desk Pad", L"2", L"2"}));
    WaitIdle();
    EXPECT_FALSE(WaitMessageBox(0)) << "one message only";
    standin::FailRequests(standin::Driver::Rilo, 1, 0, 0);
    Close(IDCANCEL);
}

TEST_F(StatusPageTest, DeviceMarkedForRemovalIsNotListed)
{
    Install({Serial(1, L"First Panel"), Usb(1, L"Second Pad")}, L"First Panel");
    OPEN_SHEET(IDC_DEV_LIST);
    ClickControl(page, IDC_DEV_REMOVE);
    MessageBoxInfo box = WaitMessageBox();
    ASSERT_TRUE(box);
    ASSERT_TRUE(DismissMessageBox(box, IDYES));
    ASSERT_TRUE(WaitUntil([&] { return Names(IDC_DEV_LIST).size() == 1; }));

    ASSERT_NE(ShowPage(IDC_ST_LIST), nullptr);
    std::vector<ListRow> rows = Rows(IDC_ST_LIST);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].cells[1], L"Second Pad");
    EXPECT_TRUE(rows[0].selected);
    Close(IDCANCEL);
}

TEST_F(StatusPageTest, ReinitializeReachesOnlyTheSelectedDeviceAndRebuildsTheList)
{
    Install({Serial(1, L"Front Panel"), Serial(2, L"Rear Panel"), Usb(1, L"Desk Pad")}, L"Front Panel");
    for (auto [driver, instance] : {std::pair{standin::Driver::Rilo, 1u}, std::pair{standin::Driver::Rilo, 2u},
                                    std::pair{standin::Driver::Meka, 1u}})
        ASSERT_TRUE(standin::SetStateReply(driver, instance, {1, 0, 0}));
    OPEN_SHEET(IDC_DEV_LIST);
    ASSERT_NE(ShowPage(IDC_ST_LIST), nullptr);
    SelectRow(IDC_ST_LIST, 1);
    ASSERT_TRUE(WaitUntil([&] { return ProductValue(L"Device Name") == L"Rear Panel"; }));
    ASSERT_TRUE(standin::SetStateReply(standin::Driver::Rilo, 2, {1, 5, 6}));

    ASSERT_TRUE(standin::ClearLog());
    ClickControlSync(page, IDC_ST_REINITIALIZE);
    std::vector<standin::LoggedRequest> log = standin::ReadLog();
    std::vector<standin::LoggedRequest> reinit;
    for (const standin::LoggedRequest& request : log)
        if (request.code == standin::ioctl::kReinitializeDevice)
            reinit.push_back(request);
    ASSERT_EQ(reinit.size(), 1u) << standin::Describe(log);
    EXPECT_EQ(reinit[0].driver, standin::Driver::Rilo);
    EXPECT_EQ(reinit[0].instance, 2u);
    EXPECT_EQ(reinit[0].inputSize, 0u);
    EXPECT_EQ(CountRequests(standin::ioctl::kDeviceState, standin::Driver::Meka, 1), 1u) << "the list is rebuilt";

    std::vector<ListRow> rows = Rows(IDC_ST_LIST);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].cells, (Cells{L"", L"Rear Panel", L"5", L"6"}));
    EXPECT_TRUE(rows[1].selected);
    Close(IDCANCEL);
}

TEST_F(StatusPageTest, TheListAloneDestroysItsImageListWhenTheSheetCloses)
{
    Install({Serial(1, L"Front Panel")}, L"Front Panel");
    OPEN_SHEET(IDC_DEV_LIST);
    ASSERT_NE(ShowPage(IDC_ST_LIST), nullptr);
    HWND list = GetDlgItem(page, IDC_ST_LIST);
    // Without LVS_SHAREIMAGELISTS the list view destroys its image lists with its window, so
    // nobody else may.
    EXPECT_FALSE(GetWindowLongPtrW(list, GWL_STYLE) & LVS_SHAREIMAGELISTS);
    auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(images), 3);

    // An image list is a COM object and each destroy releases a reference. Two references of
    // the test's own keep it alive through up to two destroys; what is left of them once the
    // sheet and its pages have gone tells how many there were.
    auto* object = reinterpret_cast<IUnknown*>(images);
    object->AddRef();
    const ULONG held = object->AddRef();
    Close(IDCANCEL);
    const ULONG left = object->Release();
    EXPECT_EQ(static_cast<int>(held) - 1 - static_cast<int>(left), 1) << "times the image list was destroyed";
    if (left > 0)
        object->Release();
}
