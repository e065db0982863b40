// The commands of the tray program's popup menu.
#include "TrayMenuWnd.h"

#include "AboutDlg.h"
#include "DeviceAccess.h"
#include "DriverProtocol.h"
#include "ProcessLauncher.h"
#include "resource.h"

bool CTrayMenuWnd::OnCommand(UINT id)
{
    switch (id) {
    case tray::kCmdAdjustSettings:
        OnAdjustSettings();
        return true;
    case tray::kCmdRunSelector:
        OnRunSelector();
        return true;
    case tray::kCmdHelp:
        WinHelp(tray::kHelpContext, HELP_CONTEXT);
        return true;
    case tray::kCmdAbout:
        OnAbout();
        return true;
    case tray::kCmdClose:
        Quit();
        return true;
    }
    if (id >= tray::kCmdCalibrateFirst && id <= tray::kCmdCalibrateLast) {
        OnCalibrateDevice(id);
        return true;
    }
    if (id >= tray::kCmdButtonModeBase && id <= tray::kCmdButtonModeLast) {
        OnButtonMode(id);
        return true;
    }
    return false;
}

bool CTrayMenuWnd::LaunchProgram(const std::wstring& commandLine)
{
    DWORD error = 0;
    return CProcessLauncher().Run(commandLine, &error);
}

void CTrayMenuWnd::OnAdjustSettings() { LaunchProgram(ProgramCommandLine(renkaCplApp_)); }

void CTrayMenuWnd::OnRunSelector() { LaunchProgram(ProgramCommandLine(gesturoApp_)); }

void CTrayMenuWnd::OnCalibrateDevice(UINT id)
{
    const size_t index = id - tray::kCmdCalibrateFirst;
    if (index >= devices_.size())
        return;
    // The calibration program takes the whole text after its own name as the device's name.
    LaunchProgram(ProgramCommandLine(calibrationApp_, devices_[index].name));
}

void CTrayMenuWnd::OnButtonMode(UINT id)
{
    const DWORD code = id - tray::kCmdButtonModeBase;
    if (code < 1 || code > buttonModes_.Count())
        return;
    const std::wstring name = GetCurrentDeviceName();
    if (name.empty())
        return;
    currentDevice_ = deviceFinder_.FindDevice(name.c_str());
    if (!currentDevice_)
        return;
    deviceFinder_.Key().WriteDword(L"Primary Button Mode", &code);
    // Only this device changes; it keeps its handle until the next choice or the program's end.
    const PrimaryModeRequest request = MakePrimaryModeRequest(code);
    DeviceIoctl(currentDevice_.get(), IOCTL_USE_PRIMARY_MODE, &request, sizeof request);
}

void CTrayMenuWnd::OnAbout()
{
    static const ControlLabel kTexts[] = {
        {IDC_TRAY_ABOUT_VERSION, L"DRIVER_VERSION"}, {IDC_TRAY_ABOUT_NOTICE, L"DRIVER_COPYRIGHT"}, {IDOK, L"OK"}};
    CAboutDlg about(IDD_TRAY_ABOUT, m_hWnd, labels_, kTexts, L"ABOUT_TIVEN");
    about.DoModal();
}

void CTrayMenuWnd::WinHelp(DWORD_PTR data, UINT command)
{
    ::WinHelpW(m_hWnd, helpFile_.c_str(), command, data);
}
