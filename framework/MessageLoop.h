#pragma once
// The framework's one message loop. The application's loop (CWinApp::Run) and the property
// sheet's modal loop are both this one: each message is first offered to the framework windows
// on its way (PreTranslate: the innermost routed window first, up to its top-level window, where
// a sheet or a modeless dialog takes its dialog keys), and is otherwise translated and dispatched.
#include <windows.h>

#include <functional>

class CMessageLoop {
public:
    // The application's loop: runs until WM_QUIT and returns its code.
    static int Run();
    // A modal loop inside another: runs until `done` (asked before each message) returns true,
    // or until WM_QUIT, which it posts again so that the outer loop ends too. True when `done`
    // ended it.
    static bool RunUntil(const std::function<bool()>& done);
    // True when a framework window consumed the message.
    static bool PreTranslate(MSG& msg);

private:
    // Gets and handles one message; false on WM_QUIT (its code in `quitCode`) or a failed get.
    static bool PumpMessage(int& quitCode, bool& quit);
};
