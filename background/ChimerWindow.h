#pragma once
// Chimer's hidden window: receives the notices of arriving USB touch controllers, on which the
// sound program reads the device keys again and re-arms its USB devices.
#include <windows.h>

#include "HiddenWindow.h"

class CSoundManager;

class CChimerWindow : public CHiddenWindow {
public:
    explicit CChimerWindow(CSoundManager& manager) : manager_(manager) {}

    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    CSoundManager& manager_;
    HDEVNOTIFY arrivalNotice_ = nullptr;
};

namespace chimer {

// Registers the window for arrival notices of devices of one interface class
// (RegisterDeviceNotificationA with a device-interface filter); the notice handle, or null.
HDEVNOTIFY RegisterDeviceArrival(const GUID& interfaceClass, HWND window);

}  // namespace chimer
