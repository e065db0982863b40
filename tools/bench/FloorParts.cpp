#include "FloorParts.h"

#include "Dialog.h"
#include "LabelStore.h"
#include "XmlLabelLoader.h"
#include "resource.h"

namespace benchfloor {

void LoadLabels(const std::wstring& path)
{
    static CLabelStore labels;
    if (path.empty())
        return;
    CXmlLabelLoader loader;
    if (loader.Load(path.c_str()))
        loader.FillStore(labels);
}

long ShowEmptyDialog()
{
    CDialog dialog(IDD_FLOOR);
    return static_cast<long>(dialog.DoModal());
}

}  // namespace benchfloor
