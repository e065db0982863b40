// The mode selector's part of the button-mode switch: clicks, the "DialogGesturo" thread and the
// requests it sends while the tray program does not run.
#include "ModeSelectorDlg.h"

#include "ModeSwitch.h"
#include "NamedEvents.h"
#include "NamedObjects.h"
#include "ProductSchema.h"

void CModeSelectorDlg::ToggleMode()
{
    std::lock_guard<std::mutex> hold(switchLock_);
    mode_ = mode_ == tray::kPrimaryMode ? tray::kSecondaryMode : tray::kPrimaryMode;
    WriteProductNumber(productKey_, ProductValueId::ButtonModeSwitch, mode_);
    if (SignalNamedEvent(kTrayModeEvent)) {
        // The tray program re-reads the switch and drives the devices.
        oneTouchSent_ = false;
        return;
    }
    ApplyModeToDevices(mode_);
}

void CModeSelectorDlg::ApplyModeToDevices(DWORD mode)
{
    // The HitOne read at the start or last set by "One Hit".
    tray::SendModeToAllDevices(productKey_, mode, dialogEvent_.WatchedEventSlot(), hitOne_ ? 1 : 0);
    oneTouchSent_ = mode == tray::kSecondaryMode && hitOne_;
}

void CModeSelectorDlg::StartEventThread()
{
    stopEvent_.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    dialogEvent_.SetWatchedEvent(tray::CreateModeEvent(kDialogModeEvent));
    dialogEvent_.Start(stopEvent_.Get(), OnDialogEvent, this, CEventThread::Reset::BeforeHandler);
}

void CModeSelectorDlg::OnDialogEvent(void* self) { static_cast<CModeSelectorDlg*>(self)->OnModeEvent(); }

void CModeSelectorDlg::OnModeEvent()
{
    {
        std::lock_guard<std::mutex> hold(switchLock_);
        if (oneTouchSent_ && !tray::NamedEventExists(kTrayModeEvent)) {
            // Only a driver sets the event while the tray program does not run: the one-touch
            // secondary mode asked for from here has ended, and the device is back in its primary
            // mode. The switch follows it, and so do the other devices.
            mode_ = tray::kPrimaryMode;
            WriteProductNumber(productKey_, ProductValueId::ButtonModeSwitch, mode_);
            ApplyModeToDevices(mode_);
        } else {
            ReadModeLocked();
        }
    }
    PostMessage(kModeChangedMessage);
}
