#pragma once
// The main window of a hidden logon program (Segmenta, Chimer). It is never shown: it exists so
// that the system can send the program its broadcasts (display changes, device and power
// events) and so that other programs find the program by its window class (the uninstaller
// posts it WM_CLOSE, which ends the program). Class name, title, icons, class menu,
// accelerators and About box come from the program's resources (resource.h), so both programs
// share this code and differ only in their resource texts.
#include <windows.h>

#include "WindowImpl.h"

class CHiddenWindow : public CWindowImpl {
public:
    CHiddenWindow() = default;

    // Loads the class name (string IDC_PROGRAM) and the title (IDS_APP_TITLE), registers the
    // class and creates the window without showing it. False when the window cannot be created.
    bool Create();

    // Overridables
    WindowClass GetWindowClass() const override;
    // About box and Exit commands, painting, and the end of the message loop when the window
    // is destroyed. Derived windows handle their own messages first and pass the rest here.
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    // The accelerators of the program (Alt+? and Alt+/ open the About box).
    bool PreTranslateMessage(MSG* msg) override;

private:
    void Paint();

    wchar_t className_[100] = {};
    wchar_t title_[100] = {};
    HACCEL accelerators_ = nullptr;
};
