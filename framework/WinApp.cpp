#include "WinApp.h"

#include "ModuleName.h"
#include "Wnd.h"

namespace {
CWinApp* currentApp = nullptr;
}

CWinApp::CWinApp(const wchar_t* appName)
{
    currentApp = this;
    if (appName) {
        appName_ = appName;
    } else {
        appName_ = ModuleBaseName(ResourceInstance());
    }
}

CWinApp::~CWinApp()
{
    if (currentApp == this)
        currentApp = nullptr;
}

CWinApp* CWinApp::Current() { return currentApp; }

HINSTANCE CWinApp::ResourceInstance()
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&CWinApp::ResourceInstance), &module);
    return module;
}

void CWinApp::WinHelp(DWORD_PTR data, UINT command, CWnd* from)
{
    CWnd* target = mainWindow_;
    if (!target)
        target = CWnd::FromHandle(GetActiveWindow());
    if (!target && from && from->GetSafeHwnd())
        target = CWnd::FromHandle(GetAncestor(from->GetSafeHwnd(), GA_ROOT));
    if (target && target != from)
        target->WinHelp(data, command);
}

int AppMessageBox(const std::wstring& text, UINT type)
{
    CWinApp* app = CWinApp::Current();
    return MessageBoxW(GetActiveWindow(), text.c_str(), app ? app->AppName().c_str() : L"", type);
}
