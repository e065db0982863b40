#include "ProgramMenus.h"

#include <windows.h>
#include <shlobj.h>

#include "InstallLog.h"
#include "InstallManifest.h"
#include "SetupState.h"
#include "ShortcutWriter.h"

namespace setup {

namespace {
void CreateShortcut(const std::wstring& target, const std::wstring& description, const std::wstring& linkPath,
                    CInstallLog& log)
{
    CShortcutInfo info;
    info.targetPath = target;
    info.workingDirectory = L"c:\\";
    info.description = description;
    info.iconPath = target;
    info.iconIndex = 0;
    info.showCommand = SW_SHOW;

    CShortcutWriter writer;
    if (!writer.Fill(info)) {
        Report(L"Failed to create link\n");
        log.Fail(L"Cannot create the link " + linkPath);
        return;
    }
    if (!writer.Save(linkPath))
        log.Fail(L"Cannot save the link " + linkPath);
}
}  // namespace

bool CreateProgramMenus(const MenuNames& names, const std::wstring& installFolder, const std::wstring& languageWord,
                        CInstallLog& log)
{
    wchar_t programs[MAX_PATH] = {};
    bool havePrograms = SHGetSpecialFolderPathW(nullptr, programs, CSIDL_COMMON_PROGRAMS, FALSE) != FALSE;

    HRESULT com = CoInitialize(nullptr);
    if (FAILED(com)) {
        Report(L"Failed to initialize OLE\n");
        log.Fail(L"Cannot start COM for the Start-menu links");
        return false;
    }
    if (!havePrograms) {
        log.Fail(L"Cannot find the all-users Programs folder");
    } else {
        std::wstring folder = std::wstring(programs) + L"\\" + names.folder;
        if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
            log.Fail(L"Cannot create the folder " + folder);

        const std::wstring* linkNames[] = {&names.selector, &names.settings, &names.calibration, &names.help,
                                           &names.uninstall};
        const std::vector<std::wstring> targets = StartMenuTargets(installFolder, languageWord);
        for (size_t i = 0; i < targets.size(); ++i)
            CreateShortcut(targets[i], L"", folder + L"\\" + *linkNames[i] + L".lnk", log);
    }
    CoUninitialize();
    return true;
}

}  // namespace setup
