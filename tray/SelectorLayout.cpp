#include "SelectorLayout.h"

#include "resource.h"

namespace tray {

DWORD ValidIconType(DWORD stored) { return stored >= kSmallIcons && stored <= kTextMode ? stored : kLargeIcons; }

UINT PictureFor(DWORD iconType, DWORD mode, DWORD language)
{
    const bool primary = mode == 0;
    switch (iconType) {
    case kSmallIcons:
        return primary ? IDB_SMALL_PRIMARY : IDB_SMALL_SECONDARY;
    case kMediumIcons:
        return primary ? IDB_MEDIUM_PRIMARY : IDB_MEDIUM_SECONDARY;
    case kTextMode:
        if (language == 0)
            return primary ? IDB_TEXT_PRIMARY : IDB_TEXT_SECONDARY;
        return primary ? IDB_NUMBERED_PRIMARY : IDB_NUMBERED_SECONDARY;
    default:
        return primary ? IDB_LARGE_PRIMARY : IDB_LARGE_SECONDARY;
    }
}

SIZE SelectorWindowSize(DWORD iconType, SIZE startSize, SIZE mediumSecondary, SIZE smallSecondary)
{
    // Whole tenths keep the products exact: 1.8 and 2.5 are not exact in binary.
    switch (iconType) {
    case kMediumIcons:
        return SIZE{mediumSecondary.cx * 18 / 10, mediumSecondary.cy * 2};
    case kSmallIcons:
        return SIZE{smallSecondary.cx * 25 / 10, smallSecondary.cy * 3};
    default:
        return startSize;
    }
}

POINT SelectorWindowPosition(const RECT& current, SIZE fullScreen)
{
    if (current.left != 0 || current.top != 0)
        return POINT{current.left, current.top};
    return POINT{fullScreen.cx / 2 - current.right / 2, fullScreen.cy / 2 - (current.bottom - current.top) / 2};
}

}  // namespace tray
