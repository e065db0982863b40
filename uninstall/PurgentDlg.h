#pragma once
// The progress dialog of the uninstall. A worker thread runs the removal as soon as the dialog
// is up and moves the bar and the status text; the dialog cannot be closed until it has ended,
// and then only its OK button (shown at the end) leads on to the restart question.
#include <atomic>
#include <string>

#include "Dialog.h"
#include "Handle.h"
#include "UninstallSteps.h"

class CPurgentDlg : public CDialog {
public:
    CPurgentDlg();
    ~CPurgentDlg() override;   // waits for the worker

    // True when the removal did not run (no install folder of this suite to remove).
    bool RemovalFailed() const { return removalFailed_; }

    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    static DWORD WINAPI UninstallThreadProc(LPVOID param);
    bool RunUninstall();
    void SetProgress(const std::wstring& text, int position);
    void PaintMinimised();

    CHandle worker_;
    std::atomic<bool> running_{false};
    bool removalFailed_ = false;
    HICON icon_ = nullptr;
    HICON smallIcon_ = nullptr;
};
