#include "ShortcutWriter.h"

CShortcutInfo::~CShortcutInfo()
{
    if (itemIdList)
        CoTaskMemFree(itemIdList);
}

bool CShortcutWriter::Create()
{
    if (createTried_)
        return static_cast<bool>(link_);
    createTried_ = true;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(link_.Out()))) ||
        !link_)
        return false;
    return SUCCEEDED(link_->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file_.Out()))) && file_;
}

bool CShortcutWriter::Fill(const CShortcutInfo& info)
{
    if (!Create())
        return false;
    targetPath = info.targetPath;
    if (itemIdList)
        CoTaskMemFree(itemIdList);
    itemIdList = info.itemIdList ? ILClone(info.itemIdList) : nullptr;
    arguments = info.arguments;
    description = info.description;
    hotkey = info.hotkey;
    iconPath = info.iconPath;
    iconIndex = info.iconIndex;
    showCommand = info.showCommand;
    workingDirectory = info.workingDirectory;
    return true;
}

bool CShortcutWriter::Save(const std::wstring& linkPath)
{
    if (!Create() || !file_)
        return false;
    if (itemIdList)
        link_->SetIDList(itemIdList);
    else
        link_->SetPath(targetPath.c_str());
    link_->SetWorkingDirectory(workingDirectory.c_str());
    link_->SetIconLocation(iconPath.c_str(), iconIndex);
    link_->SetDescription(description.c_str());
    link_->SetArguments(arguments.c_str());
    link_->SetHotkey(hotkey);
    link_->SetShowCmd(showCommand);
    return SUCCEEDED(file_->Save(linkPath.c_str(), TRUE));
}
