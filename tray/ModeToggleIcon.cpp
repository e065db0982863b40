#include "ModeToggleIcon.h"

#include "DeviceKeys.h"
#include "ModeSwitch.h"
#include "NamedEvents.h"
#include "NamedObjects.h"
#include "ProductSchema.h"
#include "WinApp.h"
#include "resource.h"

namespace {
HICON LoadProgramIcon(int id)
{
    return static_cast<HICON>(::LoadImageW(CWinApp::ResourceInstance(), MAKEINTRESOURCEW(id), IMAGE_ICON,
                                           ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON),
                                           LR_DEFAULTCOLOR));
}
}  // namespace

CModeToggleIcon::CModeToggleIcon()
    : primaryIcon_(LoadProgramIcon(IDI_MODE_PRIMARY)), secondaryIcon_(LoadProgramIcon(IDI_MODE_SECONDARY))
{
    productKey_.SetRootKey(HKEY_LOCAL_MACHINE);
    productKeyHandle_ = CScopedAttach(productKey_, kProductKeyPath);

    stopEvent_.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    // Both events are reset before their call: a setting that comes while the switch is applied
    // leads to one more call, so no change is lost.
    trayEvent_.SetWatchedEvent(tray::CreateModeEvent(kTrayModeEvent));
    trayEvent_.Start(stopEvent_.Get(), OnTrayEvent, this, CEventThread::Reset::BeforeHandler);
    driverEvent_.SetWatchedEvent(tray::CreateModeEvent(kDriverModeEvent));
    driverEvent_.Start(stopEvent_.Get(), OnDriverEvent, this, CEventThread::Reset::BeforeHandler);

    std::lock_guard<std::mutex> hold(switchLock_);
    ReadModeLocked();
    if (mode_ == tray::kSecondaryMode)
        StoreModeLocked(tray::kPrimaryMode);
    ApplyModeLocked();
}

CModeToggleIcon::~CModeToggleIcon()
{
    // No thread may work on the switch while the object goes.
    trayEvent_.Stop();
    driverEvent_.Stop();
    RemoveIcon();
    if (primaryIcon_)
        ::DestroyIcon(primaryIcon_);
    if (secondaryIcon_)
        ::DestroyIcon(secondaryIcon_);
}

bool CModeToggleIcon::Create(const std::wstring& tooltip)
{
    std::lock_guard<std::mutex> hold(switchLock_);
    HICON image = ImageOf(mode_);
    return CTrayIcon::Create(nullptr, kCallbackMessage, tooltip, image ? image : primaryIcon_, kIconId);
}

DWORD CModeToggleIcon::Mode() const
{
    std::lock_guard<std::mutex> hold(switchLock_);
    return mode_;
}

void CModeToggleIcon::Flip()
{
    std::lock_guard<std::mutex> hold(switchLock_);
    StoreModeLocked(mode_ == tray::kPrimaryMode ? tray::kSecondaryMode : tray::kPrimaryMode);
    ApplyModeLocked();
}

void CModeToggleIcon::Reapply()
{
    std::lock_guard<std::mutex> hold(switchLock_);
    ReadModeLocked();
    ApplyModeLocked();
}

void CModeToggleIcon::BackToPrimary()
{
    // The driver's signal means the device has left the secondary mode: the switch follows it to
    // primary. It never flips, so a signal that comes late cannot turn the secondary mode on.
    std::lock_guard<std::mutex> hold(switchLock_);
    StoreModeLocked(tray::kPrimaryMode);
    ApplyModeLocked();
}

void CModeToggleIcon::ApplyCurrent()
{
    std::lock_guard<std::mutex> hold(switchLock_);
    ApplyModeLocked();
}

void CModeToggleIcon::ReadModeLocked()
{
    mode_ = ReadProductNumber(productKey_, ProductValueId::ButtonModeSwitch);
}

void CModeToggleIcon::StoreModeLocked(DWORD mode)
{
    mode_ = mode;
    WriteProductNumber(productKey_, ProductValueId::ButtonModeSwitch, mode_);
    SignalNamedEvent(kDialogModeEvent);
}

HICON CModeToggleIcon::ImageOf(DWORD mode) const
{
    if (mode == tray::kPrimaryMode)
        return primaryIcon_;
    if (mode == tray::kSecondaryMode)
        return secondaryIcon_;
    return nullptr;   // a stored value that is neither keeps the image as it is
}

void CModeToggleIcon::ApplyModeLocked()
{
    if (HICON image = ImageOf(mode_))
        SetIcon(image);
    if (mode_ == tray::kSecondaryMode) {
        // HitOne is read before each secondary request; the stored value is left as it is.
        hitOne_ = tray::NormalisedHitOne(ReadProductNumber(productKey_, ProductValueId::HitOne));
    }
    tray::SendModeToAllDevices(productKey_, mode_, driverEvent_.WatchedEventSlot(), hitOne_);
}

void CModeToggleIcon::OnTrayEvent(void* self) { static_cast<CModeToggleIcon*>(self)->Reapply(); }

void CModeToggleIcon::OnDriverEvent(void* self) { static_cast<CModeToggleIcon*>(self)->BackToPrimary(); }

LRESULT CModeToggleIcon::OnTrayNotification(WPARAM, LPARAM lp)
{
    const UINT mouse = LOWORD(lp);
    if (mouse == WM_LBUTTONUP || mouse == WM_RBUTTONUP)
        Flip();
    return 1;
}

bool CModeToggleIcon::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    // A device that has just arrived gets the switch as it stands.
    if (msg == WM_DEVICECHANGE)
        ApplyCurrent();
    return CTrayIcon::OnMessage(msg, wp, lp, result);
}
