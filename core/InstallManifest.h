#pragma once
// The files the setup installs, in copy order: what the setup copies and what the uninstaller
// removes again. Sources are relative to the setup folder, which holds a folder "setup" with
// the subfolders exes, help, xml, wave, uninstall, cpl, sys and inf.
#include <windows.h>

#include <string>
#include <vector>

struct InstalledFile {
    std::wstring source;   // relative to the setup folder
    std::wstring target;   // full path
};

// Languages 0 to 4: "English", "Japanese", "ChineseTraditional", "ChineseSimple", "Korean";
// "English" for any other index. The word names the help and label files of the language.
constexpr DWORD kLanguageCount = 5;
const wchar_t* LanguageWord(DWORD languageIndex);
// The file name pattern with its "%L" replaced by the language word.
std::wstring WithLanguage(const wchar_t* pattern, const std::wstring& word);

// The programs, help, labels, sound and uninstaller, into the install folder.
std::vector<InstalledFile> InstalledProgramFiles(const std::wstring& installFolder, const std::wstring& languageWord);
// The applet, its help and the drivers, into the Windows folder.
std::vector<InstalledFile> InstalledSystemFiles(const std::wstring& windowsFolder, const std::wstring& languageWord);

// Every file the setup may have put into the install folder, for whichever language it
// installed (the help and label files of each language), each once, in copy order: what the
// uninstaller and the logon cleanup delete there, and nothing else.
std::vector<std::wstring> InstalledProgramTargetsOfEveryLanguage(const std::wstring& installFolder);

// The targets of the Start-menu links the setup makes, in the order it makes them: the mode
// selector, the settings launcher, the calibration program, the help file of the language and
// the uninstaller.
std::vector<std::wstring> StartMenuTargets(const std::wstring& installFolder, const std::wstring& languageWord);

// The setup copies each file first to this name beside its target and puts the copy in the
// target's place only once it is whole; a copy cut off leaves its partial file under this name.
std::wstring PartialCopyName(const std::wstring& target);
// The paths, each followed by its partial copy's name.
std::vector<std::wstring> WithPartialCopies(const std::vector<std::wstring>& targets);

// The subfolders of the install folder that the setup makes.
inline constexpr const wchar_t* kInstallSubfolders[] = {L"wave", L"help", L"xml", L"uninstall"};
