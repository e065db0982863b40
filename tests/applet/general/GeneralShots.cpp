// Not a check: shows the General page, its clone and dump reports, the About page, its support
// box and the licence window one after the other for screenshots (take-shots.sh runs it).
#include "GeneralTestBase.h"
#include "Shots.h"

using namespace applettest;
using namespace generaltest;
using namespace testsupport;

class GeneralShots : public GeneralTest {};

TEST_F(GeneralShots, DISABLED_GeneralAndAboutPages)
{
    ASSERT_FALSE(ShotDir().empty()) << "TIVEN_SHOT_DIR is not set";
    InstallDevices({Serial(1, L"Front Panel"), Usb(1, L"Conference Room Left Wall Touch Panel 01")},
                   {{LabelKey::LAB_COMPANY, L"Tiven Touch Systems"},
                    {LabelKey::LAB_SUPPORT_TEXT, L"Support: support@tiven.example\nTelephone: 0800 123 456"},
                    {LabelKey::LAB_SUPPORT_INFO, L"Support information"},
                    {LabelKey::LAB_LICENSE_TEXT, L"LICENCE AGREEMENT\n\nThis software is licensed, not sold.\n"
                                                 L"You may install it on the computers that the touch panels are "
                                                 L"attached to.\n\n1. Use\n2. Copies\n3. Warranty"}});
    registry.SetString(kProductKeyPath, L"Dump File Path", installDir + L"\\TivenSettings.txt");
    registry.SetDword(kProductKeyPath, L"System Tray Icons", 1);
    registry.SetDword(kProductKeyPath, L"Check Calibration", 1);
    registry.SetDword(kProductKeyPath, L"Calibration Beeps", 0);
    OPEN_GENERAL_PAGE();
    WaitIdle();
    ASSERT_TRUE(Shoot(L"general-page", {sheet}));

    MessageBoxInfo box = PressForBox(IDC_GEN_COPY_OF_SETTINGS);
    ASSERT_TRUE(box);
    ASSERT_TRUE(Shoot(L"clone-report", {sheet, box.window}));
    ASSERT_TRUE(DismissMessageBox(box, IDOK));
    box = PressForBox(IDC_GEN_DUMP_SETTINGS);
    ASSERT_TRUE(box);
    ASSERT_TRUE(Shoot(L"dump-report", {sheet, box.window}));
    ASSERT_TRUE(DismissMessageBox(box, IDOK));
    WaitIdle();

    ASSERT_NE(ShowPage(IDC_AB_DRIVER), nullptr);
    WaitIdle();
    ASSERT_TRUE(Shoot(L"about-page", {sheet}));
    ClickControl(page, IDC_AB_SUPPORT);
    box = WaitMessageBox();
    ASSERT_TRUE(box);
    ASSERT_TRUE(Shoot(L"support-box", {sheet, box.window}));
    ASSERT_TRUE(DismissMessageBox(box, IDOK));
    ClickControl(page, IDC_AB_LICENCE);
    HWND licence = WaitDialogWith(IDC_AGR_TEXT);
    ASSERT_NE(licence, nullptr);
    ASSERT_TRUE(Shoot(L"licence-window", {sheet, licence}));
    ClickControl(licence, IDCANCEL);
    ASSERT_TRUE(DialogDone(licence));
    Close(IDCANCEL);
}
