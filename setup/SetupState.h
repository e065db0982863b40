#pragma once
// The setup's state, shared by the start-up, the wizard pages and the install worker, and the
// label texts of the chosen language.
#include <windows.h>

#include <atomic>
#include <string>

#include "InstallManifest.h"

class CLabelStore;

namespace setup {

inline constexpr wchar_t kDefaultInstallFolder[] = L"C:\\Program Files\\Tiven\\Tiven MAVO";
inline constexpr wchar_t kDefaultInstallParent[] = L"C:\\Program Files\\Tiven";
inline constexpr wchar_t kLabelFileName[] = L"MAVOXMLLabels.xml";
inline constexpr wchar_t kProductTitle[] = L"Tiven MAVO";
inline constexpr wchar_t kCompletedLine[] = L"Tiven Touch Panel Utility Installation Completed Successfully";
inline constexpr wchar_t kFailedLine[] = L"Tiven Touch Panel Utility Installation Failed";
// The folder page's refusal of a folder no install may use; the built-in text serves label
// files made before it.
inline constexpr wchar_t kFolderRefusedKeyPart[] = L"SETUP_FOLDER_REFUSED";
inline constexpr wchar_t kFolderRefusedText[] =
    L"Tiven MAVO cannot be installed into this folder: it is the root folder of a drive, the Windows folder or "
    L"a folder inside it, or a Program Files folder. Choose another folder.";

// Language indexes: 0 English, 1 Japanese, 2 Traditional Chinese, 3 Simplified Chinese, 4 Korean
// (kLanguageCount and LanguageWord: InstallManifest.h).
// Controller kinds: 0 4/8-wire, 1 5-wire (2, a third kind, is shown by the pages but never chosen).
constexpr DWORD kWireKinds = 3;

struct SetupState {
    DWORD languageIndex = 0;
    DWORD wireType = 0;
    bool silentMode = false;
    std::wstring installFolder;
    bool installFolderBrowsed = false;
    std::wstring setupFolder;   // where the setup's own files are: the folder of the program
    std::wstring usbClonePath;
    std::wstring serialClonePath;
    bool usbRestorePending = false;
    bool serialRestorePending = false;
    std::wstring clonePathScratch;
    std::wstring clonePathDefault;
    std::atomic<bool> installing{false};   // set by the sheet's thread, cleared by the worker
    std::wstring nextButtonText;
};

SetupState& State();
CLabelStore& Labels();

// "ENG_", "JPN_", "CHNT_", "CHNS_", "KOR_"; "ENG_" for any other index.
const wchar_t* LabelPrefix(DWORD languageIndex);
using ::LanguageWord;
// The label of the current language: prefix + key part; empty when the label file lacks it.
std::wstring Label(const wchar_t* keyPart);
// The same, or `fallback` when the label is missing or empty.
std::wstring LabelOr(const wchar_t* keyPart, const wchar_t* fallback);
// The exit question's caption: English has no "ENG_" form and uses the Japanese key.
std::wstring ExitTitleLabel();

// The folder that holds the running program (no trailing backslash).
std::wstring ProgramFolder();
// The current directory, or false when it cannot be read within `maxChars` characters.
bool CurrentFolder(std::wstring& folder, DWORD maxChars = MAX_PATH - 1);

// A message of the setup: unattended, a line on standard output (never a box); otherwise a
// plain message box.
void Report(const std::wstring& text);
// Writes one line to standard output and flushes it.
void PrintLine(const std::wstring& text);

}  // namespace setup
