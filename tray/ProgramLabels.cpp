#include "ProgramLabels.h"

#include "LabelStore.h"
#include "XmlLabelLoader.h"

namespace tray {

void LoadProgramLabels(CLabelStore& labels, const std::wstring& path, HWND owner)
{
    if (path.empty()) {
        ::MessageBoxW(owner, L"XML file path not found in the registry", L"Tiven MAVO Properties",
                      MB_OK | MB_ICONQUESTION);
        return;
    }
    CXmlLabelLoader loader;
    if (loader.Load(path.c_str()))
        loader.FillStore(labels);
}

}  // namespace tray
