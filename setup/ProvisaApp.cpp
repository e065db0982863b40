#include "ProvisaApp.h"

#include <commctrl.h>

#include <cstdio>

#include "CommandLine.h"
#include "ConsoleStreams.h"
#include "LabelStore.h"
#include "MachineRights.h"
#include "SetupSheet.h"
#include "SetupState.h"
#include "StatusPage.h"
#include "XmlLabelLoader.h"

namespace {
constexpr wchar_t kNoPrivilege[] = L"You do not have the proper privilege level to install the Tiven MAVO.";
// Exit codes: 0 done (or left by the user), 1 the install or its checks failed, 2 usage.
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
}  // namespace

CProvisaApp::CProvisaApp() : CWinApp(L"Provisa") {}

bool CProvisaApp::InitInstance()
{
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);

    setup::SetupState& state = setup::State();
    // The setup's own files are found beside the program, wherever it was started from.
    state.setupFolder = setup::ProgramFolder();
    state.languageIndex = 0;

    const std::wstring& commandLine = CommandLine();
    if (!commandLine.empty()) {
        setup::AttachConsoleStreams(true);
        setup::CommandLineOptions options;
        if (!setup::ParseCommandLine(setup::NarrowCommandLine(commandLine), options)) {
            std::fputs(setup::kUsageLine, stdout);
            std::fputs("\n", stdout);
            std::fflush(stdout);
            exitCode_ = kExitUsage;
            return false;
        }
        state.silentMode = options.silent;
        state.languageIndex = options.languageIndex;
        state.wireType = options.wireType;
        state.usbClonePath = options.usbClonePath;
        state.serialClonePath = options.serialClonePath;
        state.usbRestorePending = options.usbRestorePending;
        state.serialRestorePending = options.serialRestorePending;
    } else {
        setup::AttachConsoleStreams(false);
    }

    if (!MayWriteMachineRegistry()) {
        setup::Report(kNoPrivilege);
        exitCode_ = kExitFailed;
        return false;
    }
    exitCode_ = state.silentMode ? RunSilent() : RunWizard();
    return false;
}

// Unattended: no window, no box and no restart; the result is the last line and the exit code.
int CProvisaApp::RunSilent()
{
    setup::SetupState& state = setup::State();
    state.installFolder = setup::kDefaultInstallFolder;
    state.installFolderBrowsed = false;
    CXmlLabelLoader loader(CXmlLabelLoader::Report::Quiet);
    std::wstring labels = state.setupFolder + L"\\" + setup::kLabelFileName;
    if (loader.Load(labels.c_str()))
        loader.FillStore(setup::Labels());
    else
        setup::PrintLine(labels + L": " + loader.LastError());

    CStatusPage page;
    bool ok = page.RunInstall();
    for (const std::wstring& failure : page.Log().Failures())
        setup::PrintLine(failure);
    setup::PrintLine(ok ? setup::kCompletedLine : setup::kFailedLine);
    return ok ? 0 : kExitFailed;
}

int CProvisaApp::RunWizard()
{
    CSetupSheet sheet(L"Test");
    sheet.DoModal();
    if (!sheet.Finished())
        return 0;
    if (MessageBoxW(nullptr, setup::Label(L"RESTART_WINDOWS_MSG").c_str(), setup::Label(L"RESTART_WINDOWS").c_str(),
                    MB_YESNO | MB_ICONQUESTION) == IDYES)
        RestartWindows();
    // The status line has named what failed; the exit code says it too.
    return sheet.Status().Log().Succeeded() ? 0 : kExitFailed;
}
