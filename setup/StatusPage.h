#pragma once
// The last wizard page: it runs the install on a worker thread while a progress bar and a
// status line follow the steps. Unattended, the same install runs on the calling thread
// without a window.
#include <windows.h>

#include <string>

#include "Handle.h"
#include "InstallLog.h"
#include "PropertyPage.h"

class CStatusPage : public CPropertyPage {
public:
    CStatusPage();
    ~CStatusPage() override;

    // The whole install: files, registry, Start-menu links, the driver service and the chosen
    // clone restores. Every step runs; true when none failed.
    bool RunInstall();
    const setup::CInstallLog& Log() const { return log_; }

    bool OnSetActive() override;
    bool OnWizardFinish() override;
    bool Finished() const { return finished_; }

private:
    static DWORD WINAPI InstallThreadProc(LPVOID page);
    void SetStatus(const std::wstring& text, int position);

    std::wstring languageWord_;
    setup::CInstallLog log_;
    CHandle worker_;
    bool finished_ = false;
};
