// The interactive setup driven page by page as a user would, in a fresh prefix: the choices
// each page offers, the install, the restart question (answered No: a restart would end every
// process of the prefix) and the exit question. With TIVEN_SHOT_DIR set, each page also waits
// for take-shots.sh to photograph it.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FolderAliases.h"
#include "FreshPrefix.h"
#include "SetupRun.h"
#include "Shots.h"
#include "StateWaits.h"
#include "TestPaths.h"
#include "TestWindows.h"
#include "../../setup/resource.h"

using namespace setuptest;
using namespace testsupport;

namespace {

// With TIVEN_SHOT_DIR set (take-shots.sh), view `name` waits for its picture.
void Shot(HWND window, const std::wstring& name)
{
    if (!ShotDir().empty())
        Shoot(name, {window});
}

// The folder page's refusal, as the English label file has it (the wizard starts in Japanese).
constexpr wchar_t kFolderRefused[] =
    L"[ja] Tiven MAVO cannot be installed into this folder: it is the root folder of a drive, the Windows folder "
    L"or a folder inside it, or a Program Files folder. Choose another folder.";

bool SameFolder(const std::wstring& a, const std::wstring& b) { return _wcsicmp(a.c_str(), b.c_str()) == 0; }

// The folder picker that the folder page's Browse opens: a dialog of the setup other than the
// sheet, with a folder tree.
struct PickerSearch {
    DWORD pid;
    HWND sheet;
    HWND found;
};

BOOL CALLBACK CheckPicker(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<PickerSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->pid || window == search->sheet || !IsWindowVisible(window) ||
        ClassNameOf(window) != L"#32770")
        return TRUE;
    for (HWND child : ChildWindows(window)) {
        if (ClassNameOf(child) == L"SysTreeView32") {
            search->found = window;
            return FALSE;
        }
    }
    return TRUE;
}

HWND FindFolderPicker(DWORD pid, HWND sheet)
{
    PickerSearch search{pid, sheet, nullptr};
    EnumWindows(CheckPicker, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The picker's folder tree, read through the setup's memory (its items' texts live there).
class PickerTree {
public:
    PickerTree(HANDLE process, HWND picker) : process_(process)
    {
        for (HWND child : ChildWindows(picker))
            if (ClassNameOf(child) == L"SysTreeView32")
                tree_ = child;
        remote_ = static_cast<char*>(VirtualAllocEx(process, nullptr, sizeof(TVITEMW) + kChars * sizeof(wchar_t),
                                                    MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    }
    ~PickerTree()
    {
        if (remote_)
            VirtualFreeEx(process_, remote_, 0, MEM_RELEASE);
    }
    PickerTree(const PickerTree&) = delete;
    PickerTree& operator=(const PickerTree&) = delete;

    // The selected item and the expanded branches: "Desktop* [My Computer [C: [users]]]", the
    // selected item marked with *.
    std::string Describe() const
    {
        if (!tree_)
            return "no tree";
        const auto selected = Next(nullptr, TVGN_CARET);
        return Branch(Next(nullptr, TVGN_ROOT), selected) + " (" +
               std::to_string(SendMessageW(tree_, TVM_GETCOUNT, 0, 0)) + " items)";
    }

    // Expands the tree down to `folder` ("C:\\users\\Public\\x", "Z:\\") and selects it, item by item as a
    // user opens the branches: the drive under the root's children, then each name below it.
    bool Select(const std::wstring& folder) const
    {
        std::vector<std::wstring> names;
        for (size_t start = 0; start < folder.size();) {
            const size_t end = std::min(folder.find(L'\\', start), folder.size());
            if (end > start)
                names.push_back(folder.substr(start, end - start));
            start = end + 1;
        }
        if (!tree_ || names.empty())
            return false;
        HTREEITEM item = nullptr;
        // The drive "(C:)" is a child of one of the root's children (the computer).
        const std::wstring drive = L"(" + names[0] + L")";
        for (HTREEITEM top = Next(Next(nullptr, TVGN_ROOT), TVGN_CHILD); top && !item; top = Next(top, TVGN_NEXT))
            item = Child(top, [&](const std::wstring& text) { return EndsWith(text, drive); });
        for (size_t i = 1; item && i < names.size(); ++i)
            item = Child(item, [&](const std::wstring& text) { return _wcsicmp(text.c_str(), names[i].c_str()) == 0; });
        DWORD_PTR done = 0;
        return item && SendMessageTimeoutW(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item), SMTO_NORMAL,
                                           5000, &done) && done;
    }

private:
    static constexpr int kChars = 260;

    static bool EndsWith(const std::wstring& text, const std::wstring& end)
    {
        return text.size() >= end.size() && _wcsicmp(text.c_str() + text.size() - end.size(), end.c_str()) == 0;
    }

    // The first child of `item` whose text matches, once `item` is expanded (the picker fills a
    // branch when it opens).
    template <typename Match>
    HTREEITEM Child(HTREEITEM item, Match matches) const
    {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item), SMTO_NORMAL, 5000, &ignored);
        for (HTREEITEM child = Next(item, TVGN_CHILD); child; child = Next(child, TVGN_NEXT))
            if (matches(WideText(child)))
                return child;
        return nullptr;
    }

    HTREEITEM Next(HTREEITEM item, WPARAM how) const
    {
        return reinterpret_cast<HTREEITEM>(SendMessageW(tree_, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
    }

    // The items from `item` on, each followed by its children where it is expanded.
    std::string Branch(HTREEITEM item, HTREEITEM selected) const
    {
        std::string out;
        for (; item; item = Next(item, TVGN_NEXT)) {
            UINT state = 0;
            const std::wstring text = WideText(item, &state);
            out += (out.empty() ? "" : ", ") + std::string(text.begin(), text.end()) + (item == selected ? "*" : "");
            if (state & TVIS_EXPANDED)
                out += " [" + Branch(Next(item, TVGN_CHILD), selected) + "]";
        }
        return out;
    }

    // The item's text, and its state (expanded or not) where asked for.
    std::wstring WideText(HTREEITEM item, UINT* state = nullptr) const
    {
        TVITEMW request{};
        request.mask = TVIF_TEXT | TVIF_STATE;
        request.stateMask = TVIS_EXPANDED;
        request.hItem = item;
        request.pszText = reinterpret_cast<wchar_t*>(remote_ + sizeof(TVITEMW));
        request.cchTextMax = kChars;
        wchar_t text[kChars] = {};
        DWORD_PTR got = 0;
        if (!remote_ || !WriteProcessMemory(process_, remote_, &request, sizeof request, nullptr) ||
            !SendMessageTimeoutW(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote_), SMTO_NORMAL, 5000, &got) ||
            !ReadProcessMemory(process_, remote_, &request, sizeof request, nullptr) ||
            !ReadProcessMemory(process_, remote_ + sizeof(TVITEMW), text, sizeof text - sizeof(wchar_t), nullptr))
            return L"?";
        if (state)
            *state = request.state;
        return text;
    }

    HANDLE process_;
    HWND tree_ = nullptr;
    char* remote_ = nullptr;
};

// Opens the picker's tree down to `folder` and selects it there, then presses OK. (The picker's
// own BFFM_SETSELECTIONW matches the folder's id list against its tree; in Wine that match now and
// then misses a folder whose parent has just changed, and the picker keeps its Desktop.)
bool PickFolder(HANDLE process, HWND picker, const std::wstring& folder, std::string& shownAtOk)
{
    const PickerTree tree(process, picker);
    const bool selected = tree.Select(folder);
    shownAtOk = tree.Describe();
    if (!selected)
        return false;
    ClickControl(picker, IDOK);
    return WaitWindowGone(picker);
}

class SetupWizard : public ::testing::Test {
protected:
    void SetUp() override
    {
        PrepareWindowsState(registry_, SystemUserinit().c_str());
        ASSERT_TRUE(StartSetup(process_));
        // A wizard's title is its page's caption.
        sheet_ = WaitForWindow(L"#32770", L"", kDefaultDeadlineMs, process_.Pid());
        ASSERT_NE(sheet_, nullptr) << "the wizard did not appear";
    }

    int PageIndex() const
    {
        HWND page = reinterpret_cast<HWND>(SendMessageW(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0));
        return page ? static_cast<int>(SendMessageW(sheet_, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page), 0)) : -1;
    }
    HWND Page() const { return reinterpret_cast<HWND>(SendMessageW(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0)); }
    HWND Button(int id) const { return GetDlgItem(sheet_, id); }
    bool Usable(int id) const { return IsWindowVisible(Button(id)) && IsWindowEnabled(Button(id)); }

    // Next, and wait until page `index` is shown with its buttons set.
    void Next(int index)
    {
        ASSERT_TRUE(WaitUntil([&] { return Usable(IDC_SHEET_NEXT); })) << "Next is not usable";
        ClickControl(sheet_, IDC_SHEET_NEXT);
        ASSERT_TRUE(WaitUntil([&] { return PageIndex() == index; })) << "page " << index << " did not come";
    }

    // Browse on the folder page, and `folder` picked in the system's picker.
    void Browse(const std::wstring& folder)
    {
        ClickControl(Page(), IDC_FOLDER_BROWSE);
        HWND picker = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (picker = FindFolderPicker(process_.Pid(), sheet_)) != nullptr; }))
            << "no folder picker";
        const std::string name(folder.begin(), folder.end());
        std::string shownAtOk;
        ASSERT_TRUE(PickFolder(process_.Handle(), picker, folder, shownAtOk))
            << "the picker's tree does not lead to " << name << ": " << shownAtOk;
        ASSERT_TRUE(WaitUntil([&] { return SameFolder(ControlText(Page(), IDC_FOLDER_PATH), folder); }))
            << "picked " << name << " (the picker's tree at OK: " << shownAtOk << "); the page shows "
            << ControlText(Page(), IDC_FOLDER_PATH);
    }

    void Choose(int comboId, int item)
    {
        HWND combo = GetDlgItem(Page(), comboId);
        SendMessageW(combo, CB_SETCURSEL, item, 0);
        SendMessageW(Page(), WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    }

    std::wstring ComboText(int comboId, int item)
    {
        HWND combo = GetDlgItem(Page(), comboId);
        wchar_t text[128] = {};
        SendMessageW(combo, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text));
        return text;
    }

    ScratchRegistry registry_{ScratchRegistry::RealPrefix};
    TestProcess process_;
    HWND sheet_ = nullptr;
};

TEST_F(SetupWizard, WalksThroughEveryPageInstallsAndAsksForARestart)
{
    // Welcome: Next only. The page asks for its buttons by a posted message, so Next can be
    // usable (as it starts) before Back has been disabled.
    ASSERT_TRUE(WaitUntil([&] { return PageIndex() == 0 && Usable(IDC_SHEET_NEXT); }));
    EXPECT_TRUE(WaitEnabled(Button(IDC_SHEET_BACK), false));
    EXPECT_FALSE(IsWindowVisible(Button(IDC_SHEET_HELP)));
    Shot(sheet_, L"1-welcome");

    // Language: English and Japanese, Japanese chosen.
    Next(1);
    HWND languages = GetDlgItem(Page(), IDC_LANGUAGE_LIST);
    EXPECT_EQ(SendMessageW(languages, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(ComboText(IDC_LANGUAGE_LIST, 0), L" ENGLISH");
    EXPECT_EQ(ComboText(IDC_LANGUAGE_LIST, 1), L" JAPANESE");
    EXPECT_EQ(SendMessageW(languages, CB_GETCURSEL, 0, 0), 1);
    ASSERT_TRUE(WaitEnabled(Button(IDC_SHEET_BACK)));
    Shot(sheet_, L"2-language");

    // Controller, in Japanese: the labels of that language; back, English, and forward again.
    Next(2);
    EXPECT_EQ(ComboText(IDC_CONTROLLER_LIST, 0), L"[ja] 4/8-wire");
    EXPECT_EQ(ControlText(Page(), IDC_CONTROLLER_EXPLANATION), L"[ja] For 4-wire and 8-wire resistive touch panels.");
    ClickControl(sheet_, IDC_SHEET_BACK);
    ASSERT_TRUE(WaitUntil([&] { return PageIndex() == 1; }));
    Choose(IDC_LANGUAGE_LIST, 0);
    Next(2);
    EXPECT_EQ(ControlText(Page(), IDC_CONTROLLER_HEAD), L"Select the Controller for installation:");
    EXPECT_EQ(ComboText(IDC_CONTROLLER_LIST, 1), L"5-wire");
    Choose(IDC_CONTROLLER_LIST, 1);
    EXPECT_EQ(ControlText(Page(), IDC_CONTROLLER_EXPLANATION), L"For 5-wire resistive touch panels.");
    Shot(sheet_, L"3-controller");

    // Clone files: the 5-wire defaults in the folder the setup was started from; Browse only
    // with its box ticked.
    Next(3);
    const std::wstring folder = SetupFolder();
    EXPECT_EQ(ControlText(Page(), IDC_CLONE_USB_FILE), folder + L"\\MEKAClone5w.Dat");
    EXPECT_EQ(ControlText(Page(), IDC_CLONE_SERIAL_FILE), folder + L"\\RILOClone5w.Dat");
    EXPECT_EQ(ControlText(Page(), IDC_CLONE_SERIAL_CHECK), L"Restore the serial controller settings");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(Page(), IDC_CLONE_USB_BROWSE)));
    ClickControlSync(Page(), IDC_CLONE_USB_CHECK);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(Page(), IDC_CLONE_USB_BROWSE)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(Page(), IDC_CLONE_SERIAL_BROWSE)));
    Shot(sheet_, L"4-clone");

    // Licence: line feeds of the label become line breaks; Next takes the label's caption.
    Next(4);
    std::wstring licence = ControlText(Page(), IDC_LICENCE_TEXT);
    EXPECT_NE(licence.find(L"attached to.\r\nYou may not"), std::wstring::npos);
    EXPECT_EQ(licence.find(L"to.\nYou"), std::wstring::npos);
    ASSERT_TRUE(WaitUntil([&] { return WindowText(Button(IDC_SHEET_NEXT)) == L"Next >"; }));
    Shot(sheet_, L"5-licence");

    // Folder: the default, which only Browse changes.
    Next(5);
    EXPECT_EQ(ControlText(Page(), IDC_FOLDER_PATH), L"C:\\Program Files\\Tiven\\Tiven MAVO");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(Page(), IDC_FOLDER_PATH)));
    EXPECT_EQ(ControlText(Page(), IDC_FOLDER_HEAD), L"Install the programs into this folder:");
    Shot(sheet_, L"6-folder");

    // Status: Cancel goes, the install runs, then Finish.
    Next(6);
    EXPECT_FALSE(IsWindowVisible(Button(IDCANCEL)));
    ASSERT_TRUE(WaitUntil([&] {
        return Usable(IDC_SHEET_FINISH) &&
               ControlText(Page(), IDC_STATUS_TEXT) == L"The installation is complete. Press Finish.";
    }, 60000)) << "status: " << ControlText(Page(), IDC_STATUS_TEXT);
    EXPECT_EQ(SendDlgItemMessageW(Page(), IDC_STATUS_PROGRESS, PBM_GETPOS, 0, 0), 100);
    Shot(sheet_, L"7-status");

    ClickControl(sheet_, IDC_SHEET_FINISH);
    MessageBoxInfo restart = WaitForMessageBox(kDefaultDeadlineMs, process_.Pid());
    ASSERT_TRUE(restart) << "no restart question";
    EXPECT_EQ(restart.caption, L"Restart Windows");
    Shot(restart.window, L"8-restart");
    ASSERT_TRUE(DismissMessageBox(restart, IDNO));
    DWORD code = 99;
    ASSERT_TRUE(process_.WaitExit(code));
    EXPECT_EQ(code, 0u);

    // What the pages chose reached the install.
    EXPECT_EQ(registry_.Read(kProductKey, L"Language").AsDword(), 0u);
    EXPECT_EQ(registry_.Read(kProductKey, L"Controller").AsDword(), 2u);
    EXPECT_EQ(registry_.Read(kProductKey, L"XML File Path").AsString(),
              std::wstring(kInstallFolder) + L"\\XML\\MAVOEnglishLabels.xml");
    EXPECT_TRUE(FileExists(std::wstring(kInstallFolder) + L"\\Aimwell.exe"));
    // A ticked box without a Browse restores nothing.
    EXPECT_FALSE(registry_.KeyExists(kUsbParameters));
}

TEST_F(SetupWizard, CancelAsksFirstAndYesLeavesWithoutInstalling)
{
    ASSERT_TRUE(WaitUntil([&] { return Usable(IDC_SHEET_NEXT); }));
    ClickControl(sheet_, IDCANCEL);
    MessageBoxInfo question = WaitForMessageBox(kDefaultDeadlineMs, process_.Pid());
    ASSERT_TRUE(question);
    // Japanese until the user picks English.
    EXPECT_EQ(question.caption, L"[ja] Tiven MAVO Setup");
    EXPECT_EQ(question.text, L"[ja] Setup is not finished. Do you want to leave it?");
    Shot(question.window, L"9-exit-question");
    ASSERT_TRUE(DismissMessageBox(question, IDNO));
    EXPECT_TRUE(IsWindow(sheet_));
    EXPECT_TRUE(process_.Running());

    PostMessageW(sheet_, WM_SYSCOMMAND, SC_CLOSE, 0);   // the title bar's close
    question = WaitForMessageBox(kDefaultDeadlineMs, process_.Pid());
    ASSERT_TRUE(question);
    ASSERT_TRUE(DismissMessageBox(question, IDYES));
    DWORD code = 99;
    ASSERT_TRUE(process_.WaitExit(code));
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(registry_.KeyExists(kProductKey));
    EXPECT_FALSE(FileExists(kInstallFolder));
}

// Other names for those folders, as any user of the machine can make them: links, another drive
// letter, Wine's Z: names. They are made before the setup starts: its shell lists the drives it
// found at its start.
class SetupWizardWithAliases : public SetupWizard {
protected:
    void SetUp() override
    {
        aliases_ = MakeFolderAliases();
        ASSERT_FALSE(aliases_.empty()) << "the aliases could not be made";
        SetupWizard::SetUp();
    }
    std::vector<FolderAlias> aliases_;
};

TEST_F(SetupWizardWithAliases, TheFolderPageRefusesOtherNamesForThoseFoldersAndStays)
{
    ASSERT_TRUE(WaitUntil([&] { return PageIndex() == 0 && Usable(IDC_SHEET_NEXT); }));
    for (int page = 1; page <= 5; ++page)
        ASSERT_NO_FATAL_FAILURE(Next(page));
    for (const FolderAlias& alias : aliases_) {
        // Wine leaves the prefix's own folder out of every listing of the Z: drive, so the picker
        // cannot lead to the Z: names of the prefix's folders (the other tests of the
        // install-folder check use them).
        if (alias.path.compare(0, 2, L"Z:") == 0)
            continue;
        ASSERT_NO_FATAL_FAILURE(Browse(alias.path)) << alias.what;
        const std::wstring shown = ControlText(Page(), IDC_FOLDER_PATH);
        ASSERT_TRUE(WaitUntil([&] { return Usable(IDC_SHEET_NEXT); }));
        ClickControl(sheet_, IDC_SHEET_NEXT);
        MessageBoxInfo box = WaitForMessageBox(kDefaultDeadlineMs, process_.Pid());
        ASSERT_TRUE(box) << "no refusal of " << alias.what;
        EXPECT_EQ(box.text, shown + L"\n\n" + kFolderRefused) << alias.what;
        ASSERT_TRUE(DismissMessageBox(box, IDOK));
        EXPECT_EQ(PageIndex(), 5) << alias.what;
    }
    EXPECT_FALSE(registry_.KeyExists(kProductKey));
}

TEST_F(SetupWizard, TheFolderPageRefusesDriveRootsTheWindowsFolderAndProgramFilesAndStays)
{
    ASSERT_TRUE(WaitUntil([&] { return PageIndex() == 0 && Usable(IDC_SHEET_NEXT); }));
    for (int page = 1; page <= 5; ++page)
        ASSERT_NO_FATAL_FAILURE(Next(page));

    wchar_t programFiles[MAX_PATH] = {};
    ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, programFiles, CSIDL_PROGRAM_FILES, FALSE));
    for (const std::wstring& folder : {std::wstring(L"C:\\"), std::wstring(L"Z:\\"), WindowsFolder(), SystemFolder(),
                                       std::wstring(programFiles)}) {
        const std::string name(folder.begin(), folder.end());
        ASSERT_NO_FATAL_FAILURE(Browse(folder));
        const std::wstring shown = ControlText(Page(), IDC_FOLDER_PATH);
        ASSERT_TRUE(WaitUntil([&] { return Usable(IDC_SHEET_NEXT); }));
        ClickControl(sheet_, IDC_SHEET_NEXT);
        MessageBoxInfo box = WaitForMessageBox(kDefaultDeadlineMs, process_.Pid());
        ASSERT_TRUE(box) << "no refusal of " << name;
        EXPECT_EQ(box.caption, L"Tiven MAVO") << name;
        EXPECT_EQ(box.text, shown + L"\n\n" + kFolderRefused) << name;
        ASSERT_TRUE(DismissMessageBox(box, IDOK));
        EXPECT_EQ(PageIndex(), 5) << name;
    }

    // A folder of its own is taken, and the install goes there.
    const std::wstring own = L"C:\\users\\Public\\Tiven Here";
    ASSERT_TRUE(CreateDirectoryW(own.c_str(), nullptr));
    ASSERT_NO_FATAL_FAILURE(Browse(own));
    Next(6);
    ASSERT_TRUE(WaitUntil([&] {
        return Usable(IDC_SHEET_FINISH) &&
               ControlText(Page(), IDC_STATUS_TEXT) == L"[ja] The installation is complete. Press Finish.";
    }, 60000)) << "status: " << ControlText(Page(), IDC_STATUS_TEXT);
    ClickControl(sheet_, IDC_SHEET_FINISH);
    MessageBoxInfo restart = WaitForMessageBox(kDefaultDeadlineMs, process_.Pid());
    ASSERT_TRUE(restart) << "no restart question";
    ASSERT_TRUE(DismissMessageBox(restart, IDNO));
    DWORD code = 99;
    ASSERT_TRUE(process_.WaitExit(code));
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(FileExists(own + L"\\Aimwell.exe"));
    EXPECT_TRUE(SameFolder(registry_.Read(kProductKey, L"Tiven Installed Path").AsString(), own));
    EXPECT_FALSE(FileExists(kInstallFolder));
}
}  // namespace
