#pragma once
// Segmenta's hidden window: keeps the touch drivers in step with the display (orientation and
// resolution of the current device, segment codes of the devices on the secondary monitor) and
// switches serial controllers off and on across suspend and resume.
#include <windows.h>

#include "ControllerPower.h"
#include "DriverProtocol.h"
#include "HiddenWindow.h"

class CSegmentaWindow : public CHiddenWindow {
public:
    // Sends the current display orientation and resolution to the current device.
    void ApplyCurrentRotation();

    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    void OnPowerBroadcast(WPARAM event);

    DisplayOrientationRequest orientation_{};   // the one request buffer: keeps the last code sent
    CPowerEvents power_;
};
