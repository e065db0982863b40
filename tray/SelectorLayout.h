#pragma once
// What the mode selector shows and how large its window is, for each picture size.
#include <windows.h>

namespace tray {

// "IconType": the picture sizes, also the ids of their system-menu items.
constexpr DWORD kSmallIcons = 1010;
constexpr DWORD kMediumIcons = 1011;
constexpr DWORD kLargeIcons = 1012;
constexpr DWORD kTextMode = 1013;

// A stored picture size outside 1010..1013 (or none) shows the large pictures.
DWORD ValidIconType(DWORD stored);
// The bitmap resource for the picture size, the switch (0 primary, anything else secondary) and
// "Language" (0 English texts, anything else the second set of text pictures).
UINT PictureFor(DWORD iconType, DWORD mode, DWORD language);
// The window's size: small icons 2.5 times the width and 3 times the height of the small
// secondary picture, medium icons 1.8 times the width and twice the height of the medium
// secondary picture (widths cut to whole pixels); large icons and text mode the size the window
// had when it opened.
SIZE SelectorWindowSize(DWORD iconType, SIZE startSize, SIZE mediumSecondary, SIZE smallSecondary);
// The window's top-left corner: a window still at the template's 0,0 is centred on the full
// screen (`fullScreen`: the work area's client size), any other keeps its place.
POINT SelectorWindowPosition(const RECT& current, SIZE fullScreen);

}  // namespace tray
