#pragma once
// Where the suite registers itself outside its product key, shared by the setup, which writes
// these entries, and the uninstaller, which takes them out again: the logon starts (Chimer in
// Winlogon "Userinit", the Run values) and the uninstall entry.
#include <windows.h>

#include <string>
#include <vector>

inline constexpr wchar_t kWinlogonPath[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
inline constexpr wchar_t kRunPath[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kUninstallPath[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TivenMAVO";
inline constexpr wchar_t kSessionEnvironmentPath[] =
    L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";

// Run values: the tray program and the segment listener at every logon; the logon cleanup once
// after an uninstall. "BeepApplication" is an older logon start of the touch-sound program that
// the uninstaller removes as well.
inline constexpr wchar_t kTrayRunValue[] = L"BeaconetApplication";
inline constexpr wchar_t kSegmentRunValue[] = L"MultiMonitor Listener";
inline constexpr wchar_t kSoundRunValue[] = L"BeepApplication";
inline constexpr wchar_t kCleanupRunValue[] = L"TivenMAVO";
// The logon cleanup runs from a copy in a folder that the uninstaller makes for it under the
// system TEMP folder, named this stem and eight hex digits; the cleanup removes that folder
// with its copy.
inline constexpr wchar_t kCleanupFolderStem[] = L"TivenCleanup";

inline constexpr wchar_t kUserinitValue[] = L"Userinit";

// Winlogon "Userinit" as it is stored: the text, and whether it is REG_SZ or REG_EXPAND_SZ. The
// value goes back with the type it had, so that a text that names folders by variables
// ("%SystemRoot%") keeps them expanded.
struct UserinitValue {
    std::wstring text;
    DWORD type = REG_SZ;
};
// Reads "Userinit" from the open Winlogon key at its real size, however long it is. Returns the
// read's result: ERROR_SUCCESS, ERROR_FILE_NOT_FOUND when there is none, ERROR_DATATYPE_MISMATCH
// when it is no text.
LONG ReadUserinit(HKEY winlogon, UserinitValue& value);
// Writes "Userinit" with the text and the type of `value`.
bool WriteUserinit(HKEY winlogon, const UserinitValue& value);

// "<install folder>\Chimer.exe": the entry the setup adds to "Userinit".
std::wstring ChimerEntry(const std::wstring& installFolder);

// The comma-separated entries of a "Userinit" value as they are written, blanks included.
std::vector<std::wstring> UserinitEntries(const std::wstring& value);

// True when one entry of "Userinit" starts Chimer from `installFolder`: the same text (without
// regard to case or surrounding blanks), or a path that leads to the same file (FileIdentity.h):
// a short name, another drive letter, a link, slashes, a trailing backslash of the folder.
bool IsChimerEntry(const std::wstring& entry, const std::wstring& installFolder);

// The value without the Chimer entries of `installFolder` (IsChimerEntry), however often they
// appear. The setup adds ",<Chimer>," to the value, so
// each entry goes together with one empty entry beside it (the one after it, else the one before
// it): after one install or several the value comes back as it was. `found` tells whether
// there was anything to take out.
std::wstring UserinitWithoutChimer(const std::wstring& value, const std::wstring& installFolder, bool* found = nullptr);

// True when one entry of the value starts the system's own logon program (userinit.exe).
bool UserinitStartsLogonProgram(const std::wstring& value);

// "<system folder>\userinit.exe,", the value Windows has.
std::wstring SystemUserinit();
