#include "MessageLoop.h"

#include "Wnd.h"

bool CMessageLoop::PreTranslate(MSG& msg)
{
    for (HWND window = msg.hwnd; window;) {
        if (CWnd* object = CWnd::FromHandle(window))
            if (object->PreTranslateMessage(&msg))
                return true;
        // Up through the parents only: an owned popup is not part of its owner's dialog.
        if (!(::GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD))
            break;
        window = ::GetParent(window);
    }
    return false;
}

bool CMessageLoop::PumpMessage(int& quitCode, bool& quit)
{
    MSG msg;
    BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
        quit = got == 0;
        if (quit)
            quitCode = static_cast<int>(msg.wParam);
        return false;
    }
    if (!PreTranslate(msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return true;
}

int CMessageLoop::Run()
{
    int quitCode = 0;
    bool quit = false;
    while (PumpMessage(quitCode, quit)) {
    }
    return quitCode;
}

bool CMessageLoop::RunUntil(const std::function<bool()>& done)
{
    int quitCode = 0;
    bool quit = false;
    while (!done()) {
        if (!PumpMessage(quitCode, quit)) {
            if (quit)
                ::PostQuitMessage(quitCode);   // leave WM_QUIT for the outer loop
            return false;
        }
    }
    return true;
}
