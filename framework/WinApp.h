#pragma once
// The application object. Exactly one exists per module (program or DLL); its constructor
// registers it, so framework code and handlers reach it through CWinApp::Current().
// It works the same inside a DLL: the module handle is the one that holds this code,
// not the process's executable, so dialog templates are loaded from the right file.
#include <windows.h>
#include <string>

class CWnd;

class CWinApp {
public:
    explicit CWinApp(const wchar_t* appName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    static CWinApp* Current();
    // The module that contains the framework (and so the caller's resources).
    static HINSTANCE ResourceInstance();

    const std::wstring& AppName() const { return appName_; }
    // The window that receives help requests; none by default, then the active window does.
    CWnd* MainWindow() const { return mainWindow_; }
    void SetMainWindow(CWnd* window) { mainWindow_ = window; }

    // Help requests of every window end here: the main window (or the active window of this
    // thread) shows help. `from` is the window that asked, so it is never asked back.
    virtual void WinHelp(DWORD_PTR data, UINT command, CWnd* from = nullptr);

private:
    std::wstring appName_;
    CWnd* mainWindow_ = nullptr;
};

// A plain message box with the application's name as its caption.
int AppMessageBox(const std::wstring& text, UINT type = MB_OK);
