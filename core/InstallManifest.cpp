#include "InstallManifest.h"

namespace {
struct FileRow {
    const wchar_t* source;   // %L: the language word
    const wchar_t* target;   // below the install folder or the Windows folder; %L as above
};

constexpr FileRow kProgramFiles[] = {
    {L"setup\\exes\\RenkaCPL.exe", L"RenkaCPL.exe"},
    {L"setup\\exes\\Gesturo.exe", L"Gesturo.exe"},
    {L"setup\\exes\\Beaconet.exe", L"Beaconet.exe"},
    {L"setup\\exes\\Aimwell.exe", L"Aimwell.exe"},
    {L"setup\\exes\\Segmenta.exe", L"Segmenta.exe"},
    {L"setup\\exes\\Chimer.exe", L"Chimer.exe"},
    {L"setup\\help\\MAVOHelp%L.chm", L"help\\MAVOHelp%L.chm"},
    {L"setup\\xml\\Beaconet%LLabels.xml", L"XML\\Beaconet%LLabels.xml"},
    {L"setup\\xml\\Calib%LLabels.xml", L"XML\\Calib%LLabels.xml"},
    {L"setup\\xml\\MAVO%LLabels.xml", L"XML\\MAVO%LLabels.xml"},
    {L"setup\\xml\\GX%LLabels.xml", L"XML\\GX%LLabels.xml"},
    {L"setup\\wave\\default.wav", L"wave\\default.wav"},
    {L"setup\\uninstall\\uninstall.exe", L"uninstall\\uninstall.exe"},
    {L"setup\\uninstall\\Sweepo.exe", L"uninstall\\Sweepo.exe"},
    {L"setup\\uninstall\\UnInstallMAVO%L.xml", L"uninstall\\UnInstallMAVO.xml"},
    {L"setup\\uninstall\\devcon.exe", L"uninstall\\devcon.exe"},
};

constexpr FileRow kSystemFiles[] = {
    {L"setup\\cpl\\Tunora.cpl", L"system32\\Tunora.cpl"},
    {L"setup\\help\\MAVOHelp%L.chm", L"system32\\Tunora.chm"},
    {L"setup\\sys\\rilo.sys", L"system32\\drivers\\rilo.sys"},
    {L"setup\\sys\\meka.sys", L"system32\\drivers\\meka.sys"},
    {L"setup\\inf\\meka.inf", L"inf\\meka.inf"},
};

constexpr const wchar_t* kWords[kLanguageCount] = {L"English", L"Japanese", L"ChineseTraditional", L"ChineseSimple",
                                                   L"Korean"};

template <size_t N>
std::vector<InstalledFile> Expand(const FileRow (&rows)[N], const std::wstring& folder, const std::wstring& word)
{
    std::vector<InstalledFile> files;
    for (const FileRow& row : rows)
        files.push_back({WithLanguage(row.source, word), folder + L"\\" + WithLanguage(row.target, word)});
    return files;
}
}  // namespace

const wchar_t* LanguageWord(DWORD languageIndex)
{
    return languageIndex < kLanguageCount ? kWords[languageIndex] : kWords[0];
}

std::wstring WithLanguage(const wchar_t* pattern, const std::wstring& word)
{
    std::wstring text = pattern;
    size_t pos = text.find(L"%L");
    if (pos != std::wstring::npos)
        text.replace(pos, 2, word);
    return text;
}

std::vector<InstalledFile> InstalledProgramFiles(const std::wstring& installFolder, const std::wstring& languageWord)
{
    return Expand(kProgramFiles, installFolder, languageWord);
}

std::vector<InstalledFile> InstalledSystemFiles(const std::wstring& windowsFolder, const std::wstring& languageWord)
{
    return Expand(kSystemFiles, windowsFolder, languageWord);
}

std::vector<std::wstring> InstalledProgramTargetsOfEveryLanguage(const std::wstring& installFolder)
{
    std::vector<std::wstring> targets;
    for (const FileRow& row : kProgramFiles) {
        for (const wchar_t* word : kWords) {
            std::wstring target = installFolder + L"\\" + WithLanguage(row.target, word);
            bool known = false;
            for (const std::wstring& other : targets)
                known = known || other == target;
            if (!known)
                targets.push_back(target);
        }
    }
    return targets;
}

std::vector<std::wstring> StartMenuTargets(const std::wstring& installFolder, const std::wstring& languageWord)
{
    return {installFolder + L"\\Gesturo.exe", installFolder + L"\\RenkaCPL.exe", installFolder + L"\\Aimwell.exe",
            installFolder + L"\\help\\MAVOHelp" + languageWord + L".chm", installFolder + L"\\uninstall\\uninstall.exe"};
}

std::wstring PartialCopyName(const std::wstring& target) { return target + L".partial"; }

std::vector<std::wstring> WithPartialCopies(const std::vector<std::wstring>& targets)
{
    std::vector<std::wstring> paths;
    for (const std::wstring& target : targets) {
        paths.push_back(target);
        paths.push_back(PartialCopyName(target));
    }
    return paths;
}
