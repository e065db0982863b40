#include "TitleMenu.h"

CTitleMenu::CTitleMenu()
    : gradientColour_(::GetSysColor(COLOR_GRADIENTACTIVECAPTION)),
      backColour_(::GetSysColor(COLOR_ACTIVECAPTION)),
      textColour_(::GetSysColor(COLOR_CAPTIONTEXT))
{
    imageLibrary_ = ::LoadLibraryW(L"msimg32.dll");
    if (imageLibrary_)
        gradientFill_ = reinterpret_cast<GradientFillProc>(
            reinterpret_cast<void*>(::GetProcAddress(imageLibrary_, "GradientFill")));
}

CTitleMenu::~CTitleMenu()
{
    if (menu_)
        ::DestroyMenu(menu_);
    if (imageLibrary_)
        ::FreeLibrary(imageLibrary_);
}

bool CTitleMenu::CreatePopupMenu()
{
    if (menu_)
        return false;
    menu_ = ::CreatePopupMenu();
    return menu_ != nullptr;
}

void CTitleMenu::AddTitle(const std::wstring& title)
{
    title_ = title;
    ::InsertMenuW(menu_, 0, MF_BYPOSITION | MF_OWNERDRAW | MF_DISABLED, 0, nullptr);
}

void CTitleMenu::MeasureItem(MEASUREITEMSTRUCT& item) const
{
    HDC screen = ::GetDC(nullptr);
    SIZE text{};
    ::GetTextExtentPoint32W(screen, title_.c_str(), static_cast<int>(title_.size()), &text);
    ::ReleaseDC(nullptr, screen);
    item.itemWidth = static_cast<UINT>(::GetSystemMetrics(SM_CXMENUCHECK) + text.cx + 10);
    item.itemHeight = static_cast<UINT>(text.cy + 2);
}

void CTitleMenu::DrawItem(const DRAWITEMSTRUCT& item) const
{
    HDC dc = item.hDC;
    RECT rect = item.rcItem;
    const COLORREF oldBack = ::SetBkColor(dc, backColour_);
    if (gradientFill_ && backColour_ != gradientColour_) {
        rect.right -= 1;
        rect.bottom -= 1;
        // Vertex colours are 16-bit channels: the 8-bit value in the high byte.
        TRIVERTEX vertices[2] = {
            {rect.left, rect.top, static_cast<COLOR16>(GetRValue(backColour_) << 8),
             static_cast<COLOR16>(GetGValue(backColour_) << 8), static_cast<COLOR16>(GetBValue(backColour_) << 8), 0},
            {rect.right, rect.bottom, static_cast<COLOR16>(GetRValue(gradientColour_) << 8),
             static_cast<COLOR16>(GetGValue(gradientColour_) << 8), static_cast<COLOR16>(GetBValue(gradientColour_) << 8),
             0}};
        GRADIENT_RECT band = {0, 1};
        gradientFill_(dc, vertices, 2, &band, 1, GRADIENT_FILL_RECT_H);
    } else {
        ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    }
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    const COLORREF oldText = ::SetTextColor(dc, textColour_);
    rect.left += ::GetSystemMetrics(SM_CXMENUCHECK) + 8;
    ::DrawTextW(dc, title_.c_str(), static_cast<int>(title_.size()), &rect, DT_SINGLELINE | DT_VCENTER);
    ::SetBkMode(dc, oldMode);
    ::SetBkColor(dc, oldBack);
    ::SetTextColor(dc, oldText);
}
