#include "ModeSelectorDlg.h"

#include "AboutDlg.h"
#include "DeviceKeys.h"
#include "ModeSwitch.h"
#include "NamedEvents.h"
#include "NamedObjects.h"
#include "ProductSchema.h"
#include "ProgramLabels.h"
#include "SelectorLayout.h"
#include "WinApp.h"
#include "resource.h"

namespace {
struct SystemMenuItem {
    UINT id;   // 0: a separator
    const wchar_t* key;
    const wchar_t* text;
};
const SystemMenuItem kSystemMenu[] = {
    {0, nullptr, nullptr},
    {IDM_ONE_HIT, L"XML_ONE_HIT", L"One Hit"},
    {0, nullptr, nullptr},
    {IDM_SMALL_ICONS, L"XML_SMALL_ICONS", L"Small icons"},
    {IDM_MEDIUM_ICONS, L"XML_MEDIUM_ICONS", L"Medium icons"},
    {IDM_LARGE_ICONS, L"XML_BIG_ICONS", L"Large icons"},
    {IDM_TEXT_MODE, L"XML_TEXT_MODE", L"Text mode"},
    {IDM_ALWAYS_ON_TOP, L"XML_ALWAYS_ON_TOP", L"Always on top"},
    {0, nullptr, nullptr},
    {IDM_SELECTOR_ABOUT, L"XML_ABOUT", L"About Gesturo"},
};

const UINT kPictureIds[] = {IDB_LARGE_PRIMARY, IDB_LARGE_SECONDARY, IDB_MEDIUM_PRIMARY, IDB_MEDIUM_SECONDARY,
                            IDB_SMALL_PRIMARY, IDB_SMALL_SECONDARY, IDB_TEXT_PRIMARY,   IDB_TEXT_SECONDARY,
                            IDB_NUMBERED_PRIMARY, IDB_NUMBERED_SECONDARY};
}  // namespace

CModeSelectorDlg::CModeSelectorDlg()
    : CDialog(IDD_SELECTOR),
      icon_(::LoadIconW(CWinApp::ResourceInstance(), MAKEINTRESOURCEW(IDI_SELECTOR)))
{
}

CModeSelectorDlg::~CModeSelectorDlg()
{
    // The pictures go after the window that shows them.
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
    dialogEvent_.Stop();
    for (auto& picture : pictures_)
        ::DeleteObject(picture.second);
}

DWORD CModeSelectorDlg::Mode() const
{
    std::lock_guard<std::mutex> hold(switchLock_);
    return mode_;
}

bool CModeSelectorDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    productKey_.SetRootKey(HKEY_LOCAL_MACHINE);
    productKeyHandle_ = CScopedAttach(productKey_, kProductKeyPath);
    std::wstring labelFile;
    ReadProductText(productKey_, ProductValueId::SelectorLabels, labelFile);
    language_ = ReadProductNumber(productKey_, ProductValueId::Language);
    tray::LoadProgramLabels(labels_, labelFile, m_hWnd);

    if (::GetSystemMenu(m_hWnd, FALSE)) {
        AppendSystemMenu();
        SetWindowText(labels_.TextOr(L"XML_GESTURO", L"Gesturo"));
    }
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    LoadPictures();
    picture_.Attach(GetDlgItem(IDC_PICTURE));
    startRect_ = GetWindowRect();

    {
        std::lock_guard<std::mutex> hold(switchLock_);
        ReadModeLocked();
    }
    alwaysOnTop_ = ReadProductNumber(productKey_, ProductValueId::AlwaysOnTop) == 1;
    SetCheck(IDM_ALWAYS_ON_TOP, alwaysOnTop_);
    hitOne_ = ReadProductNumber(productKey_, ProductValueId::HitOne) == 1;
    SetCheck(IDM_ONE_HIT, hitOne_);
    iconType_ = tray::ValidIconType(ReadProductNumber(productKey_, ProductValueId::IconType));
    SetCheck(iconType_, true);

    UpdatePicture();
    PlaceWindow();
    StartEventThread();
    return true;
}

void CModeSelectorDlg::AppendSystemMenu()
{
    HMENU menu = ::GetSystemMenu(m_hWnd, FALSE);
    for (const SystemMenuItem& item : kSystemMenu) {
        if (item.id == 0)
            ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        else
            ::AppendMenuW(menu, MF_STRING, item.id, labels_.TextOr(item.key, item.text).c_str());
    }
}

void CModeSelectorDlg::SetCheck(UINT id, bool checked)
{
    // By command: the system menu's own items differ between systems, so positions do not hold.
    if (HMENU menu = ::GetSystemMenu(m_hWnd, FALSE))
        ::CheckMenuItem(menu, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void CModeSelectorDlg::LoadPictures()
{
    for (UINT id : kPictureIds)
        pictures_[id] = static_cast<HBITMAP>(
            ::LoadImageW(CWinApp::ResourceInstance(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}

SIZE CModeSelectorDlg::PictureSize(UINT id) const
{
    BITMAP bitmap{};
    auto found = pictures_.find(id);
    if (found == pictures_.end() || !found->second || !::GetObjectW(found->second, sizeof bitmap, &bitmap))
        return SIZE{0, 0};
    return SIZE{bitmap.bmWidth, bitmap.bmHeight};
}

void CModeSelectorDlg::ReadModeLocked()
{
    mode_ = ReadProductNumber(productKey_, ProductValueId::ButtonModeSwitch);
}

void CModeSelectorDlg::UpdatePicture()
{
    std::lock_guard<std::mutex> hold(switchLock_);
    const UINT id = tray::PictureFor(iconType_, mode_, language_);
    picture_.SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(pictures_[id]));
}

void CModeSelectorDlg::PlaceWindow()
{
    const SIZE start{startRect_.right - startRect_.left, startRect_.bottom - startRect_.top};
    const SIZE size = tray::SelectorWindowSize(iconType_, start, PictureSize(IDB_MEDIUM_SECONDARY),
                                               PictureSize(IDB_SMALL_SECONDARY));
    const SIZE fullScreen{::GetSystemMetrics(SM_CXFULLSCREEN), ::GetSystemMetrics(SM_CYFULLSCREEN)};
    const POINT position = tray::SelectorWindowPosition(GetWindowRect(), fullScreen);
    ::SetWindowPos(m_hWnd, alwaysOnTop_ ? HWND_TOPMOST : HWND_NOTOPMOST, position.x, position.y, size.cx, size.cy,
                   SWP_SHOWWINDOW);
}

bool CModeSelectorDlg::OnSysCommand(UINT id)
{
    if ((id & 0xFFF0) == IDM_SELECTOR_ABOUT) {
        static const ControlLabel kTexts[] = {{IDC_SELECTOR_ABOUT_VERSION, L"XML_DRIVER_VERSION"},
                                              {IDC_SELECTOR_ABOUT_NOTICE, L"XML_DRIVER_COPYRIGHT"}};
        CAboutDlg about(IDD_SELECTOR_ABOUT, m_hWnd, labels_, kTexts, L"XML_ABOUT");
        about.DoModal();
        return true;
    }
    if (id < IDM_ONE_HIT || id > IDM_ALWAYS_ON_TOP)
        return false;
    if (!::GetSystemMenu(m_hWnd, FALSE))
        return true;
    if (id == IDM_ONE_HIT) {
        DWORD stored = 0;
        {
            // The event thread may send the switch with it.
            std::lock_guard<std::mutex> hold(switchLock_);
            hitOne_ = !hitOne_;
            stored = hitOne_ ? 1 : 0;
        }
        SetCheck(IDM_ONE_HIT, stored == 1);
        WriteProductNumber(productKey_, ProductValueId::HitOne, stored);
        // The tray program sends the switch again with the new HitOne; without it the new value
        // goes out with the next click.
        SignalNamedEvent(kTrayModeEvent);
    } else if (id >= tray::kSmallIcons && id <= tray::kTextMode) {
        for (UINT size = tray::kSmallIcons; size <= tray::kTextMode; ++size)
            SetCheck(size, size == id);
        iconType_ = id;
        UpdatePicture();
        PlaceWindow();
        WriteProductNumber(productKey_, ProductValueId::IconType, iconType_);
    } else if (id == IDM_ALWAYS_ON_TOP) {
        alwaysOnTop_ = !alwaysOnTop_;
        SetCheck(IDM_ALWAYS_ON_TOP, alwaysOnTop_);
        PlaceWindow();
        const DWORD stored = alwaysOnTop_ ? 1 : 0;
        WriteProductNumber(productKey_, ProductValueId::AlwaysOnTop, stored);
    }
    return true;
}

bool CModeSelectorDlg::OnPaintIconic()
{
    if (!::IsIconic(m_hWnd))
        return false;
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc));
    const RECT client = GetClientRect();
    ::DrawIcon(dc, (client.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2,
               (client.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2, icon_);
    ::EndPaint(m_hWnd, &paint);
    return true;
}

bool CModeSelectorDlg::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        // Anywhere in the client area: the picture does not take the mouse.
        ToggleMode();
        UpdatePicture();
        return true;
    case kModeChangedMessage:
        UpdatePicture();
        return true;
    case WM_SYSCOMMAND:
        return OnSysCommand(static_cast<UINT>(wp));
    case WM_PAINT:
        return OnPaintIconic();
    case WM_QUERYDRAGICON:
        result = reinterpret_cast<LRESULT>(icon_);
        return true;
    case WM_DESTROY:
        // No redraw may come for a window that goes.
        dialogEvent_.Stop();
        return false;
    }
    return CDialog::OnMessage(msg, wp, lp, result);
}
