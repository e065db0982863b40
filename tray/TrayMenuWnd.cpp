#include "TrayMenuWnd.h"

#include "DeviceKeys.h"
#include "ModeSwitch.h"
#include "NamedObjects.h"
#include "ProductSchema.h"
#include "ProgramLabels.h"
#include "ScopedAttach.h"
#include "WinApp.h"
#include "resource.h"

namespace {
constexpr UINT kQuitMessage = WM_APP + 11;       // Quit, posted from any thread
constexpr DWORD kPathBytes = 1000;               // a device key's "Device Name"
constexpr size_t kMaxMenuDevices = tray::kCmdCalibrateLast - tray::kCmdCalibrateFirst + 1;

struct MenuText {
    const wchar_t* key;
    const wchar_t* text;
};
constexpr MenuText kTitle = {L"DEVICE_MANAGER", L"Device Manager"};
constexpr MenuText kEnabled = {L"ENABLED", L"Enabled"};
constexpr MenuText kCalibrate = {L"CALIBRATE", L"Calibrate"};
constexpr MenuText kAdjustSettings = {L"ADJUST_SETTINGS", L"Adjust Settings"};
constexpr MenuText kGesturo = {L"GESTURO", L"Gesturo"};
constexpr MenuText kButtonModes = {L"BUTTON_MODES", L"Button Modes"};
constexpr MenuText kHelp = {L"HELP", L"Help"};
constexpr MenuText kAbout = {L"ABOUT", L"About"};
constexpr MenuText kClose = {L"CLOSE", L"Close"};
constexpr MenuText kTooltip = {L"SYS_TRAY_TOOLTIP", L"Tiven MAVO Settings"};
}  // namespace

CTrayMenuWnd::CTrayMenuWnd() : buttonModes_(MakeButtonModeNames())
{
    productKey_.SetRootKey(HKEY_LOCAL_MACHINE);
    stopEvent_.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    ReadPaths();
    // No window exists yet to own the message about a missing label path.
    tray::LoadProgramLabels(labels_, labelFile_, nullptr);
}

CTrayMenuWnd::~CTrayMenuWnd()
{
    iconsEvent_.Stop();
    RemoveIcon();
    currentDevice_.reset();
}

void CTrayMenuWnd::ReadPaths()
{
    productKey_.Open(kProductKeyPath, productKeyHandle_.Receive());
    productKey_.Attach(productKeyHandle_.Get());
    struct Path {
        ProductValueId value;
        std::wstring* text;
    } paths[] = {{ProductValueId::CalibrationProgram, &calibrationApp_},
                 {ProductValueId::TrayLabels, &labelFile_},
                 {ProductValueId::SettingsProgram, &renkaCplApp_},
                 {ProductValueId::SelectorProgram, &gesturoApp_},
                 {ProductValueId::HelpFile, &helpFile_}};
    for (const Path& path : paths)
        ReadProductText(productKey_, path.value, *path.text);
}

bool CTrayMenuWnd::IsTrayEnabled() const
{
    // A registry object of its own: the listener thread asks too.
    CRegistryKey product;
    product.Attach(productKeyHandle_.Get());
    // Not the value's default: a missing value means that the product key went with an
    // uninstall, and the tray program goes too.
    return ReadStoredProductNumber(product, ProductValueId::TrayIcons).value_or(0) == 1;
}

void CTrayMenuWnd::CreateIcons()
{
    CTrayIcon::Create(nullptr, kCallbackMessage, labels_.TextOr(kTooltip.key, kTooltip.text),
                      ::LoadIconW(CWinApp::ResourceInstance(), MAKEINTRESOURCEW(IDI_TRAY)), kIconId);
    SetNotificationWnd(this);
    modeToggle_.Create(labels_.TextOr(kGesturo.key, kGesturo.text));
    StartIconsThread();
    LoadButtonModeLabels();
    BuildMenu();
}

void CTrayMenuWnd::StartIconsThread()
{
    iconsEvent_.SetWatchedEvent(tray::CreateModeEvent(kTrayIconsEvent));
    iconsEvent_.Start(stopEvent_.Get(), OnIconsEvent, this, CEventThread::Reset::BeforeHandler);
}

void CTrayMenuWnd::OnIconsEvent(void* self)
{
    auto* tray = static_cast<CTrayMenuWnd*>(self);
    tray->ShowOrQuit(tray->IsTrayEnabled());
}

void CTrayMenuWnd::ShowOrQuit(bool show)
{
    if (!show) {
        Quit();
        return;
    }
    ShowIcon();
    modeToggle_.ShowIcon();
}

void CTrayMenuWnd::Quit()
{
    // The window thread ends its loop; the program's end then stops the threads (this one may be
    // one of them) and removes the icons.
    PostMessage(kQuitMessage);
}

void CTrayMenuWnd::LoadButtonModeLabels() { LoadButtonModeNames(buttonModes_, labels_); }

void CTrayMenuWnd::BuildMenu()
{
    titleMenu_.CreatePopupMenu();
    titleMenu_.AddTitle(labels_.TextOr(kTitle.key, kTitle.text));
    calibrateMenu_ = ::CreatePopupMenu();
    buttonModesMenu_ = ::CreatePopupMenu();
    enabledMenu_ = ::CreatePopupMenu();
    const HMENU menu = titleMenu_.Handle();
    auto text = [&](const MenuText& t) { return labels_.TextOr(t.key, t.text); };
    auto popup = [&](HMENU sub, const MenuText& t) {
        ::AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), text(t).c_str());
    };
    auto command = [&](UINT id, const MenuText& t) { ::AppendMenuW(menu, MF_STRING, id, text(t).c_str()); };
    auto separator = [&] { ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr); };
    separator();
    popup(enabledMenu_, kEnabled);
    separator();
    popup(calibrateMenu_, kCalibrate);
    separator();
    command(tray::kCmdAdjustSettings, kAdjustSettings);
    command(tray::kCmdRunSelector, kGesturo);
    separator();
    popup(buttonModesMenu_, kButtonModes);
    separator();
    command(tray::kCmdHelp, kHelp);
    command(tray::kCmdAbout, kAbout);
    command(tray::kCmdClose, kClose);
    for (UINT code = 1; code <= buttonModes_.Count(); ++code)
        ::AppendMenuW(buttonModesMenu_, MF_STRING, tray::kCmdButtonModeBase + code, buttonModes_.Name(code - 1).c_str());
}

std::wstring CTrayMenuWnd::GetCurrentDeviceName()
{
    productKey_.Attach(productKeyHandle_.Get());
    std::wstring name;
    ReadProductText(productKey_, ProductValueId::CurrentDevice, name);
    return name;
}

void CTrayMenuWnd::EnumerateDevices()
{
    CRegistryKey registry;
    ForEachDeviceKey(registry, [&](DeviceFamily, const std::wstring&, CKeyHandle& key) {
        CRegistryKey device;
        device.Attach(key.Get());
        TrayDeviceEntry entry;
        if (devices_.size() < kMaxMenuDevices && device.ReadString(L"Device Name", entry.name, kPathBytes)) {
            DWORD enabled = 0;
            device.ReadDword(L"Controller Enabled", &enabled);
            entry.enabled = enabled == 1;
            devices_.push_back(entry);
        }
        return false;
    });
}

void CTrayMenuWnd::FillDeviceMenus()
{
    for (size_t i = 0; i < devices_.size(); ++i) {
        ::RemoveMenu(calibrateMenu_, tray::kCmdCalibrateFirst + static_cast<UINT>(i), MF_BYCOMMAND);
        ::RemoveMenu(enabledMenu_, tray::kCmdEnabledFirst + static_cast<UINT>(i), MF_BYCOMMAND);
    }
    devices_.clear();
    EnumerateDevices();
    for (size_t i = 0; i < devices_.size(); ++i) {
        const UINT offset = static_cast<UINT>(i);
        ::AppendMenuW(calibrateMenu_, MF_STRING, tray::kCmdCalibrateFirst + offset, devices_[i].name.c_str());
        ::AppendMenuW(enabledMenu_, MF_STRING, tray::kCmdEnabledFirst + offset, devices_[i].name.c_str());
        if (devices_[i].enabled)
            ::CheckMenuItem(enabledMenu_, tray::kCmdEnabledFirst + offset, MF_BYCOMMAND | MF_CHECKED);
    }
}

void CTrayMenuWnd::MarkCurrentButtonMode()
{
    DWORD code = 0;
    if (productKey_.FindDevice(GetCurrentDeviceName().c_str())) {
        productKey_.ReadDword(L"Primary Button Mode", &code);
        productKey_.Close(productKey_.AttachedKey());
    }
    productKey_.Attach(productKeyHandle_.Get());
    for (UINT c = 1; c <= buttonModes_.Count(); ++c)
        ::CheckMenuItem(buttonModesMenu_, tray::kCmdButtonModeBase + c,
                        MF_BYCOMMAND | (c == code ? MF_CHECKED : MF_UNCHECKED));
}

bool CTrayMenuWnd::ShowPopupMenu()
{
    CWnd* owner = GetNotificationWnd();
    if (!owner || !titleMenu_.Handle())
        return true;
    FillDeviceMenus();
    MarkCurrentButtonMode();
    POINT cursor{};
    ::GetCursorPos(&cursor);
    // Without the foreground the menu would not close when the user clicks elsewhere; the null
    // message afterwards lets it close at once the next time.
    ::SetForegroundWindow(owner->GetSafeHwnd());
    ::TrackPopupMenu(titleMenu_.Handle(), TPM_LEFTALIGN | TPM_LEFTBUTTON, cursor.x, cursor.y, 0, owner->GetSafeHwnd(),
                     nullptr);
    owner->PostMessage(WM_NULL);
    return true;
}

LRESULT CTrayMenuWnd::OnTrayNotification(WPARAM wp, LPARAM lp)
{
    if (wp != kIconId)
        return 0;
    switch (LOWORD(lp)) {
    case WM_RBUTTONUP:
        return ShowPopupMenu() ? 1 : 0;
    case WM_LBUTTONDBLCLK:
        OnAdjustSettings();
        break;
    }
    return 1;
}

bool CTrayMenuWnd::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case kQuitMessage:
        // An open menu closes first: its loop would take the quit message for itself. The quit
        // message comes after every other message, so the menu has ended when the loop sees it.
        ::EndMenu();
        ::PostQuitMessage(0);
        return true;
    case WM_COMMAND:
        if (HIWORD(wp) == 0 && OnCommand(LOWORD(wp))) {
            result = 0;
            return true;
        }
        break;
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        if (item->CtlType == ODT_MENU && item->itemID == 0) {
            titleMenu_.MeasureItem(*item);
            result = TRUE;
            return true;
        }
        break;
    }
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        if (item->CtlType == ODT_MENU && item->itemID == 0) {
            titleMenu_.DrawItem(*item);
            result = TRUE;
            return true;
        }
        break;
    }
    }
    return CTrayIcon::OnMessage(msg, wp, lp, result);
}
