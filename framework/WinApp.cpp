#include "WinApp.h"

#include "AnsiText.h"
#include "MessageLoop.h"
#include "ModuleName.h"
#include "Wnd.h"

namespace {
CWinApp* currentApp = nullptr;
}  // namespace

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

bool CWinApp::InitInstance() { return true; }

int CWinApp::Run()
{
    quitCode_ = CMessageLoop::Run();
    return ExitInstance();
}

int CWinApp::ExitInstance() { return quitCode_; }

int CWinApp::RunProgram(HINSTANCE instance, const wchar_t* commandLine, int showCommand)
{
    if (currentApp) {
        currentApp->instance_ = instance;
        currentApp->showCommand_ = showCommand;
        currentApp->commandLine_ = commandLine ? commandLine : L"";
        currentApp->commandLineA_ = NarrowToAnsi(currentApp->commandLine_.c_str());
    }
    return RunCurrent();
}

int CWinApp::RunProgramA(HINSTANCE instance, const char* commandLine, int showCommand)
{
    if (currentApp) {
        currentApp->instance_ = instance;
        currentApp->showCommand_ = showCommand;
        currentApp->commandLineA_ = commandLine ? commandLine : "";
        currentApp->commandLine_ = WidenAnsi(currentApp->commandLineA_.c_str());
    }
    return RunCurrent();
}

int CWinApp::RunCurrent()
{
    // A program without an application object has nothing to run.
    CWinApp* app = currentApp;
    if (!app)
        return -1;
    if (!app->InitInstance())
        return app->ExitInstance();
    return app->Run();
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
