#pragma once
// The application object. Exactly one exists per module (program or DLL); its constructor
// registers it, so framework code and handlers reach it through CWinApp::Current().
// It works the same inside a DLL: the module handle is the one that holds this code,
// not the process's executable, so dialog templates are loaded from the right file.
//
// In a program the framework owns the entry point (AppEntry.cpp): the program defines one
// global application object, and the entry calls InitInstance, then Run (the message loop), then
// ExitInstance, whose result is the exit code. InitInstance returning false skips the loop:
// ExitInstance's result is then the exit code at once.
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

    // What the entry point was given: the program's instance, its show command, and the command
    // line after the program's path. The wide entry converts its text to the system code page
    // for CommandLineA; the narrow entry passes its bytes unchanged and converts them for
    // CommandLine.
    HINSTANCE Instance() const { return instance_; }
    int ShowCommand() const { return showCommand_; }
    const std::wstring& CommandLine() const { return commandLine_; }
    const std::string& CommandLineA() const { return commandLineA_; }

    // Help requests of every window end here: the main window (or the active window of this
    // thread) shows help. `from` is the window that asked, so it is never asked back.
    virtual void WinHelp(DWORD_PTR data, UINT command, CWnd* from = nullptr);

    // Overridables of a program
    virtual bool InitInstance();   // default: true
    virtual int Run();             // the message loop until WM_QUIT, then ExitInstance
    virtual int ExitInstance();    // default: the code WM_QUIT carried (0 when none came)

    // The program's entry point hands over here (AppEntry.cpp); one of the two per program.
    static int RunProgram(HINSTANCE instance, const wchar_t* commandLine, int showCommand);
    static int RunProgramA(HINSTANCE instance, const char* commandLine, int showCommand);

protected:
    int quitCode_ = 0;   // what WM_QUIT carried

private:
    static int RunCurrent();

    std::wstring appName_;
    CWnd* mainWindow_ = nullptr;
    HINSTANCE instance_ = nullptr;
    int showCommand_ = SW_SHOWDEFAULT;
    std::wstring commandLine_;
    std::string commandLineA_;
};

// A plain message box with the application's name as its caption.
int AppMessageBox(const std::wstring& text, UINT type = MB_OK);
