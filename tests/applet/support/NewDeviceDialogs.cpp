#include "NewDeviceDialogs.h"

#include <gtest/gtest.h>

#include "AppletSession.h"
#include "TestWindows.h"
#include "resource.h"

using namespace testsupport;

namespace applettest {

HWND StartAdd(HWND devicesPage)
{
    ClickControl(devicesPage, IDC_DEV_ADD);
    return WaitDialogWith(IDC_NDT_TYPE_LIST);
}

HWND NextToNameDialog(HWND typeDialog)
{
    ClickControl(typeDialog, IDC_NDT_NEXT);
    EXPECT_TRUE(WaitWindowGone(typeDialog)) << "the type dialog stayed open";
    return WaitDialogWith(IDC_NDN_NAME);
}

void AcceptName(HWND nameDialog, const std::wstring& name, int segment)
{
    SetDlgItemTextW(nameDialog, IDC_NDN_NAME, name.c_str());
    if (segment >= 0)
        SendDlgItemMessageW(nameDialog, IDC_NDN_SEGMENT, CB_SETCURSEL, static_cast<WPARAM>(segment), 0);
    ClickControl(nameDialog, IDOK);
}

}  // namespace applettest
