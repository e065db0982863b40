// Not a check: shows the Hardware page, its dialogs and the touch prompts one after the other
// for screenshots (take-shots.sh runs it). The modeless prompts are shot while the
// applet's thread waits on the serial port, so they show what was painted before it blocked.
#include "SerialSensitivityFixture.h"
#include "Shots.h"

using namespace applettest;
using namespace testsupport;

namespace {
// The prompts are centred on the screen, wholly over the centred sensitivity dialog. Wine's X11
// driver on a bare X server shows a caption-less popup that lies wholly inside another window
// of the program as a black rectangle (its Windows-side state is right: it is on top and has its
// texts), so the dialog is moved half out from under the prompt for the picture.
void MoveAside(HWND dialog)
{
    SetWindowPos(dialog, nullptr, 250, 350, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
}  // namespace

class HardwareShots : public SerialSensitivity {};

TEST_F(HardwareShots, DISABLED_SerialDevice)
{
    ASSERT_FALSE(ShotDir().empty()) << "TIVEN_SHOT_DIR is not set";
    ASSERT_TRUE(sim.SetValue(350));
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    Press(dialog, IDOK);
    ASSERT_TRUE(WaitWindowGone(dialog));
    ASSERT_TRUE(WaitToolsBack());
    WaitIdle(sheet);
    ASSERT_TRUE(Shoot(L"hardware-page-serial", {sheet}));

    Press(page, IDC_HW_ADVANCED);
    HWND advanced = WaitDialog(L"Advanced Serial Settings");
    ASSERT_NE(advanced, nullptr);
    WaitIdle(advanced);
    ASSERT_TRUE(Shoot(L"advanced-serial-settings", {sheet, advanced}));
    Press(advanced, IDCANCEL);
    ASSERT_TRUE(WaitWindowGone(advanced));

    Press(page, IDC_HW_SENSITIVE);
    dialog = WaitDialog(kSensitivityTitle);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(WaitButtonsBack());
    ASSERT_TRUE(Shoot(L"sensitivity-serial", {sheet, dialog}));

    ASSERT_TRUE(sim.Set("si-delay", -1));
    MoveAside(dialog);
    Press(dialog, IDC_SENS_AUTO_ADJUST);
    ASSERT_NE(WaitDialogWith(IDC_TOUCH_HERE_TEXT), nullptr);
    ASSERT_TRUE(sim.WaitForCommand("SI", 5000));
    ASSERT_TRUE(Shoot(L"touch-here", {}));
    // On a slow machine the watchdog may have ended the wait meanwhile: then a box says so.
    sim.Touch();
    ASSERT_TRUE(WaitUntil([&] {
        if (MessageBoxInfo box = WaitMessageBox(0))
            DismissMessageBox(box, IDOK);
        return DialogEnabled(IDC_SENS_AUTO_ADJUST);
    }));
    CloseDialog();

    Press(page, IDC_HW_WRITE);
    MessageBoxInfo question = WaitMessageBox();
    ASSERT_TRUE(question);
    ASSERT_TRUE(sim.SetMode("silence"));   // the block never comes: the notice stays up longer
    ASSERT_TRUE(DismissMessageBox(question, IDYES));
    ASSERT_NE(WaitDialogWith(IDC_DONT_TOUCH_TEXT), nullptr);
    ASSERT_TRUE(Shoot(L"dont-touch", {}));
    EXPECT_BOX(L"Check", L" Failed!!");
    ASSERT_TRUE(WaitToolsBack());
}

TEST_F(HardwareShots, DISABLED_UsbDevice)
{
    ASSERT_FALSE(ShotDir().empty()) << "TIVEN_SHOT_DIR is not set";
    device = Usb(2, L"Kiosk USB");
    Prepare(device, 3);
    standin::SensitivityReply reply;
    reply.value = 420;
    ASSERT_TRUE(standin::SetSensitivityReply(standin::Driver::Meka, 2, reply));
    OPEN_HARDWARE_PAGE();
    WaitIdle(sheet);
    ASSERT_TRUE(Shoot(L"hardware-page-usb", {sheet}));

    Press(page, IDC_HW_SENSITIVE);
    dialog = WaitDialog(kSensitivityTitle);
    ASSERT_NE(dialog, nullptr);
    WaitIdle(dialog);
    ASSERT_TRUE(Shoot(L"sensitivity-usb", {sheet, dialog}));

    MoveAside(dialog);
    Press(dialog, IDC_SENS_AUTO_ADJUST);
    HWND prompt = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (prompt = FindTimedPrompt()) != nullptr; }));
    WaitIdle(prompt);
    ASSERT_TRUE(Shoot(L"touch-here-timed", {prompt}));
    Press(prompt, IDOK);
    ASSERT_TRUE(WaitWindowGone(prompt));
    ASSERT_TRUE(WaitUntil([&] { return DialogEnabled(IDC_SENS_AUTO_ADJUST); }));
    CloseDialog();
}
