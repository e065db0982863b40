#include "FolderAliases.h"

#include <windows.h>
#include <shlobj.h>

#include <winioctl.h>

#include <cstring>
#include <vector>

#include "Handle.h"
#include "TestPaths.h"
#include "TestProcess.h"

namespace testsupport {

namespace {
bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring Widened(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// Starts a Unix program: Wine starts one as it starts a Windows program, but the process handle
// it gives back never learns of the program's end, so the caller waits for what it does.
bool StartUnix(const std::wstring& commandLine)
{
    std::vector<wchar_t> cmd(commandLine.begin(), commandLine.end());
    cmd.push_back(L'\0');
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        ReportStartFailure(commandLine, GetLastError());
        return false;
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

// Wine hands a Unix program its arguments split as Windows splits a command line.
// What Wine's mount manager takes to define a drive for a Unix folder
// (IOCTL_MOUNTMGR_DEFINE_UNIX_DRIVE; the folder's Unix path follows at `mountPoint`).
struct UnixDriveRequest {
    ULONG size;
    ULONG type;
    ULONG fsType;
    DWORD serial;
    ULONGLONG unixDevice;
    WCHAR letter;
    USHORT mountPoint;
    USHORT device;
    USHORT label;
};
constexpr DWORD kDefineUnixDrive = CTL_CODE(0x6d, 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

// The Unix path of a path of the prefix, through the prefix's folder "drive_c" where Wine names
// the C: drive by its link ".../dosdevices/c:".
std::string UnixDrivePath(const std::wstring& windowsPath)
{
    std::string unix = UnixPath(windowsPath);
    const size_t link = unix.find("/dosdevices/c:");
    if (link != std::string::npos)
        unix.replace(link, 14, "/drive_c");
    return unix;
}

std::wstring Quoted(const std::string& unixPath) { return L"\"" + Widened(unixPath) + L"\""; }

std::wstring ProgramFiles()
{
    wchar_t folder[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, folder, CSIDL_PROGRAM_FILES, FALSE);
    return folder;
}
}  // namespace

const char* UnsafeFolderName(UnsafeFolder verdict)
{
    switch (verdict) {
    case UnsafeFolder::None: return "None";
    case UnsafeFolder::NotAFolder: return "NotAFolder";
    case UnsafeFolder::DriveRoot: return "DriveRoot";
    case UnsafeFolder::WindowsFolder: return "WindowsFolder";
    case UnsafeFolder::ProgramFiles: return "ProgramFiles";
    }
    return "?";
}

std::string UnixPath(const std::wstring& windowsPath)
{
    using ToUnix = char*(CDECL*)(const wchar_t*);
    auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix)
        return std::string();
    char* path = toUnix(windowsPath.c_str());
    if (!path)
        return std::string();
    std::string result = path;
    HeapFree(GetProcessHeap(), 0, path);
    return result;
}

bool MakeFolderLink(const std::wstring& link, const std::wstring& target)
{
    const std::string unixTarget = UnixPath(target);
    const size_t slash = link.find_last_of(L'\\');
    const std::string unixParent = UnixPath(link.substr(0, slash));
    if (unixTarget.empty() || unixParent.empty() || slash == std::wstring::npos)
        return false;
    const std::string unixLink = unixParent + "/" + std::string(link.begin() + slash + 1, link.end());
    // The link's name is plain ASCII in these tests.
    return StartUnix(L"/bin/ln -s " + Quoted(unixTarget) + L" " + Quoted(unixLink)) &&
           WaitUntil([&] { return Exists(link + L"\\"); });
}

bool MapDriveToSystemDrive(wchar_t letter)
{
    // Wine's mount manager takes a new drive as its drive settings (winecfg) add one: it makes the
    // drive's link and announces the drive, so that every program lists it. (A link made by hand
    // in dosdevices opens files too, but programs list the drives the server knew at its start.)
    const std::string folder = UnixDrivePath(L"C:\\");
    std::vector<BYTE> request(sizeof(UnixDriveRequest) + folder.size() + 1, 0);
    auto* drive = reinterpret_cast<UnixDriveRequest*>(request.data());
    drive->size = static_cast<ULONG>(request.size());
    drive->type = DRIVE_FIXED;
    drive->letter = static_cast<WCHAR>(letter | 0x20);
    drive->mountPoint = sizeof(UnixDriveRequest);
    std::memcpy(request.data() + drive->mountPoint, folder.c_str(), folder.size() + 1);
    CHandle manager(CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    DWORD got = 0;
    const std::wstring root = std::wstring(1, letter) + L":\\";
    return manager &&
           DeviceIoControl(manager.Get(), kDefineUnixDrive, request.data(), drive->size, nullptr, 0, &got, nullptr) &&
           WaitUntil([&] { return Exists(root + L"windows"); });
}

std::wstring UnixRootName(const std::wstring& windowsPath)
{
    std::string unix = UnixDrivePath(windowsPath);
    while (unix.size() > 1 && unix.back() == '/')
        unix.pop_back();
    std::wstring name = L"Z:" + Widened(unix);
    for (wchar_t& c : name) {
        if (c == L'/')
            c = L'\\';
    }
    return name;
}

std::vector<FolderAlias> MakeFolderAliases()
{
    const std::wstring windows = WindowsFolder();
    const std::wstring programFiles = ProgramFiles();
    const std::wstring drive = windows.substr(0, 3);
    const std::wstring windowsName = windows.substr(3), programFilesName = programFiles.substr(3);
    std::vector<FolderAlias> aliases = {
        {"a link to the Windows folder", drive + L"winlink", UnsafeFolder::WindowsFolder},
        {"a link to the drive's root", drive + L"rootlink", UnsafeFolder::DriveRoot},
        {"a link to Program Files", drive + L"pflink", UnsafeFolder::ProgramFiles},
        {"another drive letter for the Windows folder", L"D:\\" + windowsName, UnsafeFolder::WindowsFolder},
        {"another drive letter for Program Files", L"D:\\" + programFilesName, UnsafeFolder::ProgramFiles},
        {"the Z: name of the Windows folder", UnixRootName(windows), UnsafeFolder::WindowsFolder},
        {"the Z: name of the drive's root", UnixRootName(drive), UnsafeFolder::DriveRoot},
    };
    const std::wstring targets[] = {windows, drive, programFiles};
    for (size_t i = 0; i < 3; ++i) {
        if (!Exists(aliases[i].path) && !MakeFolderLink(aliases[i].path, targets[i]))
            return {};
    }
    if (!Exists(L"D:\\") && !MapDriveToSystemDrive(L'D'))
        return {};
    return aliases;
}

}  // namespace testsupport
