#pragma once
// Small caption-less windows that tell the user what to do with the panel while a sensitivity
// function runs:
//   CTouchHereDlg       "Touch Here", modeless, while the serial automatic adjustment waits
//   CTouchHereTimedDlg  a "Touch Here" button, modal, that ends by itself after 5 seconds
//   CDontTouchDlg       "Don't Touch it during Writing...", modeless, while data is stored
// Each is created without a parent window. A modeless prompt is painted as soon as it is made,
// because the window thread goes on to wait on the serial port and paints nothing meanwhile;
// its window goes with the object (or with DestroyWindow).
#include <windows.h>

#include "Dialog.h"
#include "StoppableThread.h"

class CTouchHereDlg : public CDialog {
public:
    explicit CTouchHereDlg(HWND parent = nullptr);
    bool Create();
    bool OnInitDialog() override;
};

class CDontTouchDlg : public CDialog {
public:
    explicit CDontTouchDlg(HWND parent = nullptr);
    // Creates the window with the parent given at construction (the owner is not used), sets
    // its text and shows it.
    bool Create(HWND owner = nullptr);
};

class CTouchHereTimedDlg : public CDialog {
public:
    static constexpr DWORD kTimeoutMs = 5000;
    // What the timer thread posts when the time is up.
    static constexpr UINT WM_TOUCH_TIMEOUT = WM_USER + 1;

    CTouchHereTimedDlg();
    ~CTouchHereTimedDlg() override;

    bool OnInitDialog() override;
    void OnOK() override;       // "Touch Here": IDOK, no message
    void OnCancel() override;   // Esc: IDCANCEL, no message
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    // Waits for the stop event up to the time-out; when the time is up it sets the time-out
    // flag and posts WM_TOUCH_TIMEOUT to the prompt.
    static DWORD WINAPI TouchHereTimeoutThreadProc(void* param);
    // Stops the timer thread (after its end nothing more is posted) and ends the prompt.
    void End(INT_PTR result);
    void OnTimeout();

    CStoppableThread timer_;
    HWND timerTarget_ = nullptr;   // the window the thread posts to, fixed when it starts
    volatile LONG timedOut_ = 0;   // set by the timer thread, read and cleared by the prompt
    bool ending_ = false;          // EndDialog was called: late notices are ignored
};
