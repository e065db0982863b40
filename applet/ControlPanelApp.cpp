#include "ControlPanelApp.h"

#include <string>

#include "DeviceControlUnitPropertySheet.h"
#include "DeviceKeys.h"
#include "LabelKeys.h"
#include "NamedObjects.h"
#include "ProductSchema.h"
#include "RegistryKey.h"
#include "ScopedAttach.h"
#include "SingleInstance.h"
#include "resource.h"

namespace {
CControlPanelApp* instance = nullptr;

// Copies a text into a fixed field, cut to fit with its terminator.
template <size_t N>
void CopyField(wchar_t (&field)[N], const std::wstring& text)
{
    lstrcpynW(field, text.c_str(), static_cast<int>(N));
}
}  // namespace

CControlPanelApp::CControlPanelApp() : CWinApp(L"Tunora") { instance = this; }

CControlPanelApp::~CControlPanelApp()
{
    if (instance == this)
        instance = nullptr;
}

CControlPanelApp* CControlPanelApp::Instance() { return instance; }

LONG CControlPanelApp::OnInquire(CPLINFO* info)
{
    if (!info)
        return 0;
    // The applet carries one icon, group IDI_APPLET; it is the icon reported here too.
    info->idIcon = IDI_APPLET;
    info->idName = IDS_APPLET_NAME;
    info->idInfo = IDS_APPLET_INFO;
    info->lData = 0;
    return 0;
}

LONG CControlPanelApp::OnNewInquire(NEWCPLINFOW* info)
{
    if (!info)
        return 0;
    info->dwSize = sizeof *info;
    info->dwFlags = 0;
    info->dwHelpContext = 0;
    info->lData = 0;
    info->hIcon = LoadIconW(ResourceInstance(), MAKEINTRESOURCEW(IDI_APPLET));

    std::wstring name = L"MAVO Devices";
    std::wstring description = kPropertiesCaption;
    CRegistryKey key;
    if (CScopedAttach product{key, kProductKeyPath}) {
        ReadProductText(key, ProductValueId::AppletName, name);
        ReadProductText(key, ProductValueId::AppletInfo, description);
    }
    CopyField(info->szName, name);
    CopyField(info->szInfo, description);
    info->szHelpFile[0] = L'\0';
    return 0;
}

LONG CControlPanelApp::OnDoubleClick()
{
    OnOpen();
    return 0;
}

LONG CControlPanelApp::OnStartWithParamsW()
{
    // 1 tells the Control Panel that the applet has been opened; with 0 it would send
    // CPL_DBLCLK as well and open the sheet a second time after the user closed it.
    OnOpen();
    return 1;
}

void CControlPanelApp::OnOpen()
{
    // Held while the sheet is open and let go when it closes, so a later opening (also in this
    // process) shows the sheet again. Another opening's guard only finds the mutex and goes.
    CSingleInstance guard(kAppletMutex);
    if (guard.AlreadyRunning()) {
        BringOpenSheetToFront();
        return;
    }
    sheet_ = new (std::nothrow) CDeviceControlUnitPropertySheet(kPropertiesCaption, nullptr, 0);
    if (sheet_) {
        sheet_->DoModal();
        delete sheet_;
        sheet_ = nullptr;
    }
}

void CControlPanelApp::BringOpenSheetToFront()
{
    std::wstring title;
    CRegistryKey key;
    key.SetRootKey(HKEY_LOCAL_MACHINE);
    if (CScopedAttach product{key, kProductKeyPath})
        ReadProductText(key, ProductValueId::SheetTitle, title);
    HWND sheet = FindWindowW(nullptr, title.c_str());
    if (sheet && !SetForegroundWindow(sheet))
        AppMessageBox(L"SetForegroundWindow");
}
