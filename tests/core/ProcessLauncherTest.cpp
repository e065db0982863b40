#include <gtest/gtest.h>

#include "ApplyFixture.h"
#include "EchoProgram.h"
#include "LabelKeys.h"
#include "MessageBoxResponder.h"
#include "ProcessLauncher.h"
#include "TestPaths.h"

using namespace corefixtures;
using namespace testsupport;
using testsupport::MessageBoxResponder;

TEST(ProcessLauncher, CommandLineQuotesTheProgramPath)
{
    struct Case { const wchar_t* path; const wchar_t* argument; const wchar_t* line; } cases[] = {
        {L"C:\\Program Files\\Tiven\\Aimwell.exe", L"RILO Device-1", L"\"C:\\Program Files\\Tiven\\Aimwell.exe\" RILO Device-1"},
        {L"C:\\Tiven\\Aimwell.exe", L"Front", L"\"C:\\Tiven\\Aimwell.exe\" Front"},
        {L"\"C:\\Quoted Already\\A.exe\"", L"x", L"\"C:\\Quoted Already\\A.exe\" x"},
        {L"C:\\A.exe", L"", L"\"C:\\A.exe\" "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.line, ProgramCommandLine(c.path, c.argument));
    // Without an argument: the quoted path alone, no blank after it.
    EXPECT_EQ(L"\"C:\\Program Files\\Tiven\\Beaconet.exe\"", ProgramCommandLine(L"C:\\Program Files\\Tiven\\Beaconet.exe"));
    EXPECT_EQ(L"\"C:\\Quoted\\B.exe\"", ProgramCommandLine(L"\"C:\\Quoted\\B.exe\""));
    EXPECT_EQ(L"\"\"", ProgramCommandLine(L""));
}

TEST(ProcessLauncher, AProgramInAFolderWithBlanksGetsTheWholeArgument)
{
    EchoProgram echo;
    ASSERT_TRUE(echo.Copied());
    DWORD error = 12345;
    ASSERT_TRUE(CProcessLauncher().Run(ProgramCommandLine(echo.Path(), L"RILO Device-1"), &error));
    EXPECT_EQ(L"RILO Device-1", echo.Received());
}

TEST(ProcessLauncher, AMissingProgramReportsItsError)
{
    DWORD error = 0;
    EXPECT_FALSE(CProcessLauncher().Run(L"\"C:\\no such folder\\none.exe\" x", &error));
    EXPECT_NE(0u, error);
}

class Recalibration : public ApplyTest {
protected:
    void SetUp() override
    {
        ApplyTest::SetUp();
        AddDevice(reg, Distinct(Serial(1, L"Front")));
        AddDevice(reg, Distinct(Usb(2, L"Back")));
    }
    EchoProgram echo;
};

TEST_F(Recalibration, ASegmentChangeOffersRecalibrationAndStartsTheCalibrationProgram)
{
    CAppletContext ctx;
    ctx.calibrationAppPath = echo.Path();
    CDeviceSettings* front = ctx.deviceCollection.FindByName(L"Front");
    front->Str_DesktopSegment = 4;
    front->bIdentityChanged = front->bRecalibrate = true;
    MessageBoxResponder responder(IDYES);
    ctx.deviceCollection.ApplyChanges();
    const auto& box = responder.Result();
    ASSERT_TRUE(box) << "no question";
    EXPECT_EQ(L"Touch Panel Device Properties", box.caption);
    EXPECT_EQ(L"The changes you made require recalibration\nRecalibrate now ?", box.text);
    EXPECT_EQ(L"Front", echo.Received());
    EXPECT_FALSE(front->bRecalibrate);
}

TEST_F(Recalibration, TheQuestionNamesTheLastDeviceOfTheWalk)
{
    CAppletContext ctx;
    ctx.calibrationAppPath = echo.Path();
    ctx.labelStore.Insert(MessageKey::RECALIBRATE_NOW, L"Neu kalibrieren?");
    CDeviceSettings* front = ctx.deviceCollection.FindByName(L"Front");
    front->bCalibrationChanged = front->bRecalibrate = true;
    auto* added = new CDeviceSettings;
    added->SetDefaults(ctx.installDir, ctx.controllerKind);
    added->Str_DeviceName = L"Later Device";
    added->ControllerProtocol = kUsbControllerType;
    added->Str_SubKey = L"9";
    added->bAdded = true;
    CRegistryKey().CreateSecuredKey(UsbKey(9).c_str(), added->hSubKey.Receive());
    ctx.deviceCollection.Add(added);
    MessageBoxResponder responder(IDYES);
    ctx.deviceCollection.ApplyChanges();
    EXPECT_EQ(L"Neu kalibrieren?", responder.Result().text);
    EXPECT_EQ(L"Later Device", echo.Received());
}

TEST_F(Recalibration, AnsweringNoStartsNothing)
{
    CAppletContext ctx;
    ctx.calibrationAppPath = echo.Path();
    CDeviceSettings* back = ctx.deviceCollection.FindByName(L"Back");
    back->bCalibrationChanged = back->bRecalibrate = true;
    {
        MessageBoxResponder responder(IDNO);
        ctx.deviceCollection.ApplyChanges();
        EXPECT_TRUE(responder.Result());
    }
    EXPECT_FALSE(back->bRecalibrate);
    // A second offer answered Yes: only its device reaches the calibration program.
    CDeviceSettings* front = ctx.deviceCollection.FindByName(L"Front");
    front->bCalibrationChanged = front->bRecalibrate = true;
    MessageBoxResponder responder(IDYES);
    ctx.deviceCollection.ApplyChanges();
    EXPECT_TRUE(responder.Result());
    EXPECT_EQ(L"Front", echo.Received());
}
