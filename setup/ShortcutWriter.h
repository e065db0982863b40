#pragma once
// Shell links: CShortcutInfo describes one link, CShortcutWriter writes it through the shell's
// link object (IShellLinkW and its IPersistFile). COM must be initialised on the thread.
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "ComPtr.h"

class CShortcutInfo {
public:
    CShortcutInfo() = default;
    virtual ~CShortcutInfo();
    CShortcutInfo(const CShortcutInfo&) = delete;
    CShortcutInfo& operator=(const CShortcutInfo&) = delete;

    std::wstring targetPath;
    PIDLIST_ABSOLUTE itemIdList = nullptr;   // alternative target; owned, freed with the shell's allocator
    std::wstring arguments;
    std::wstring description;
    WORD hotkey = 0;
    std::wstring iconPath;
    int iconIndex = 0;
    int showCommand = SW_SHOW;
    std::wstring workingDirectory;
};

class CShortcutWriter : public CShortcutInfo {
public:
    // Creates the link object on the first call; later calls say whether it exists.
    bool Create();
    // Copies the description into the writer (the item-id list is cloned).
    bool Fill(const CShortcutInfo& info);
    // Sets every field on the link and saves it to `linkPath`, which becomes its current file.
    bool Save(const std::wstring& linkPath);

private:
    ComPtr<IShellLinkW> link_;
    ComPtr<IPersistFile> file_;
    bool createTried_ = false;
};
