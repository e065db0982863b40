// Removing the installed files: now, or at the next restart what is still in use. Only what the
// setup puts into a folder is deleted there; a folder goes when nothing else is left in it, so a
// file of the user's stays, and so does its folder.
#include "UninstallSteps.h"

#include <objbase.h>
#include <shlobj.h>

#include <vector>

#include "ComPtr.h"
#include "FileIdentity.h"
#include "FileRemoval.h"
#include "InstallFolderGuard.h"
#include "InstallManifest.h"
#include "ModuleName.h"
#include "PurgentApp.h"
#include "WinApp.h"

namespace purge {

namespace {
std::wstring WindowsFolder()
{
    wchar_t folder[MAX_PATH + 1] = {};
    UINT n = GetWindowsDirectoryW(folder, MAX_PATH + 1);
    return n == 0 || n > MAX_PATH ? std::wstring() : std::wstring(folder);
}

std::wstring FolderOf(const std::wstring& path)
{
    size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

void NoteLeft(Removal removal, const std::wstring& path, std::vector<std::wstring>& left)
{
    if (removal == Removal::Failed)
        left.push_back(path);
}

// The path a shell link opens; empty when the file is no link that can be read.
std::wstring LinkTarget(const std::wstring& link)
{
    ComPtr<IShellLinkW> shellLink;
    ComPtr<IPersistFile> file;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(shellLink.Out()))) ||
        FAILED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Out()))) ||
        FAILED(file->Load(link.c_str(), STGM_READ)))
        return std::wstring();
    std::vector<wchar_t> target(32768, L'\0');
    if (shellLink->GetPath(target.data(), static_cast<int>(target.size()), nullptr, SLGP_RAWPATH) != S_OK)
        return std::wstring();
    return target.data();
}

// One of the links the setup makes: it opens one of their targets, for whichever language.
bool IsSetupLink(const std::wstring& link, const std::wstring& installFolder)
{
    const std::wstring target = LinkTarget(link);
    if (target.empty())
        return false;
    for (DWORD language = 0; language < kLanguageCount; ++language) {
        for (const std::wstring& setupTarget : StartMenuTargets(installFolder, LanguageWord(language))) {
            if (SameFileText(target, setupTarget) || SameLocation(target, setupTarget))
                return true;
        }
    }
    return false;
}
}  // namespace

bool RemoveProgramFiles(const std::wstring& installFolder, std::vector<std::wstring>& left)
{
    if (IsUnsafeInstallFolder(installFolder))
        return false;
    // A copy of the setup's that was cut off left its partial file beside the target.
    const std::vector<std::wstring> installed = WithPartialCopies(InstalledProgramTargetsOfEveryLanguage(installFolder));
    auto removeIn = [&](const std::wstring& folder, auto&& skip) {
        for (const std::wstring& file : installed) {
            if (SameFileText(FolderOf(file), folder) && !skip(file))
                NoteLeft(RemoveFileNowOrAtRestart(file), file, left);
        }
        NoteLeft(RemoveFolderNowOrAtRestart(folder), folder, left);
    };

    // The uninstall folder first. The running uninstaller and its label file stay until the
    // restart, so that a second run before it still shows its texts; the folder goes right after
    // them. The system carries out pending removals in the order they were recorded, so files
    // always go before their folders.
    const std::wstring uninstall = installFolder + L"\\uninstall";
    const std::wstring ownFiles[] = {uninstall + L"\\uninstall.exe", uninstall + L"\\" + kLabelFileName};
    for (const std::wstring& own : ownFiles) {
        if (GetFileAttributesW(own.c_str()) != INVALID_FILE_ATTRIBUTES && !RemoveAtRestart(own))
            left.push_back(own);
    }
    removeIn(uninstall, [&](const std::wstring& path) {
        for (const std::wstring& own : ownFiles) {
            if (SameFileText(path, own))
                return true;
        }
        return false;
    });
    const auto none = [](const std::wstring&) { return false; };
    for (const wchar_t* sub : {L"wave", L"help", L"xml"})
        removeIn(installFolder + L"\\" + sub, none);
    // The programs directly in the install folder, then the folder.
    removeIn(installFolder, none);
    return true;
}

void RemoveSystemFiles(std::vector<std::wstring>& left)
{
    const std::wstring windows = WindowsFolder();
    if (windows.empty())
        return;
    std::vector<std::wstring> files;
    for (const InstalledFile& file : InstalledSystemFiles(windows, LanguageWord(0)))
        files.push_back(file.target);
    files = WithPartialCopies(files);
    // Made by the system from meka.inf when it installed the USB driver.
    files.push_back(windows + L"\\inf\\meka.pnf");
    for (const std::wstring& file : files)
        NoteLeft(RemoveFileNowOrAtRestart(file), file, left);
}

bool RemoveStartMenuFolder(const std::wstring& name, const std::wstring& installFolder,
                           std::vector<std::wstring>& left)
{
    wchar_t programs[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, programs, CSIDL_COMMON_PROGRAMS, FALSE)) {
        AppMessageBox(L"Start Menu programs Failed..");
        return false;
    }
    if (!IsPlainFolderName(name))
        return true;
    const std::wstring folder = std::wstring(programs) + L"\\" + name;
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ForEachMatchingFile(folder + L"\\*.lnk", [&](const std::wstring& link) {
        if (IsSetupLink(link, installFolder) && !DeleteOneFile(link))
            left.push_back(link);
    });
    if (SUCCEEDED(com))
        CoUninitialize();
    RemoveEmptyFolder(folder);
    return true;
}

}  // namespace purge
