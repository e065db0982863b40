#pragma once
// The tray program's second icon: it shows the suite-wide button-mode switch (primary or
// secondary mode, the product-key value "Gesturo") and flips it on a click. It keeps every
// installed device in step with the switch, re-reads the switch when the mode selector changed it
// ("TrayGesturo"), and goes back to primary when a driver ends a one-touch secondary mode
// ("TRAY_GESTURO"). Every start of the program sets the switch back to primary and sends the
// primary request to every device, whether or not any icon is shown afterwards.
//
// Three threads change and apply the switch: the window thread (clicks, device arrival) and the
// two event threads. Each change or read of the switch and the apply that follows it happen under
// one lock, so the devices always receive the state that "Gesturo" holds; the same lock covers
// the product-key object.
#include <windows.h>

#include <mutex>
#include <string>

#include "EventThread.h"
#include "Handle.h"
#include "RegistryKey.h"
#include "ScopedAttach.h"
#include "TrayIcon.h"

class CModeToggleIcon : public CTrayIcon {
public:
    static constexpr UINT kIconId = 0;

    // Opens the product key, starts the two event threads, sets a stored secondary switch back to
    // primary and sends the switch to every device. No icon is shown yet.
    CModeToggleIcon();
    // Stops both event threads, then removes the icon.
    ~CModeToggleIcon() override;

    // Adds the icon with the image of the switch as it stands.
    bool Create(const std::wstring& tooltip);

    // Operations, each under the switch's lock
    void Flip();            // a click: flip, store, announce, apply
    void Reapply();         // re-read the stored switch and apply it
    void BackToPrimary();   // a one-touch secondary mode has ended
    void ApplyCurrent();    // a device arrived: send the switch as it stands

    DWORD Mode() const;

    // Overridables
    LRESULT OnTrayNotification(WPARAM wp, LPARAM lp) override;
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    void ReadModeLocked();
    void StoreModeLocked(DWORD mode);   // writes "Gesturo" and tells the selector
    void ApplyModeLocked();             // image and devices
    HICON ImageOf(DWORD mode) const;

    static void OnTrayEvent(void* self);
    static void OnDriverEvent(void* self);

    mutable std::mutex switchLock_;
    DWORD mode_ = 0;
    DWORD hitOne_ = 0;
    HICON primaryIcon_ = nullptr;
    HICON secondaryIcon_ = nullptr;
    CRegistryKey productKey_;
    CScopedAttach productKeyHandle_;
    CHandle stopEvent_;
    CEventThread trayEvent_;     // "TrayGesturo"
    CEventThread driverEvent_;   // "TRAY_GESTURO"; the address of its handle goes to the drivers
};
