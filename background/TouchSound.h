#pragma once
// The touch sound of one device and the thread that plays it.
#include <windows.h>

#include <cstddef>
#include <string>

#include "DeviceAccess.h"
#include "EventThread.h"
#include "Handle.h"

namespace chimer {

// "Sound Enabled" of a device key.
constexpr DWORD kSoundOff = 0;
constexpr DWORD kSoundWaveFile = 1;
constexpr DWORD kSoundBeep = 2;

// The touch event of the device at this position of the sound program's list: "BeepEvent %d "
// with the position, ending in one blank.
std::string BeepEventName(size_t position);

// Mode 1 plays the wave file asynchronously (sndPlaySoundA with SND_ASYNC, the path passed as it
// is, empty or missing included), mode 2 beeps at 500 Hz for 50 ms, any other mode is silent.
void PlayTouchSound(const char* waveFile, DWORD soundMode);

// One device of the sound program, read from its device key, and its touch thread.
struct SoundDevice {
    std::string deviceName;       // "Device Name"
    std::string subkey;           // instance subkey, the device-file suffix
    std::string waveFile;         // "Wave File"
    std::string controllerType;   // "Controller Type": selects the serial or the USB driver
    DWORD soundMode = kSoundOff;  // "Sound Enabled"
    bool usb = false;             // the key is under the USB driver's Parameters key
    CHandle stopEvent;            // set to end the touch thread
    CEventThread touch;           // owns the touch event "BeepEvent %d ", handed to the driver
    HANDLE deviceHandle = INVALID_HANDLE_VALUE;   // driver handle, cached by GetDeviceHandle

    DeviceEndpointA Endpoint() { return {&controllerType, &subkey, &deviceHandle}; }
};

// Starts the touch thread of a device whose touch event and stop event are set: it waits for the
// touch event, plays the device's sound, resets the event and waits again; a touch that comes
// while a sound starts is absorbed by the reset. It ends when the device's stop event is set or a
// wait or reset fails. The device's sound mode and wave file must not change while it runs.
// False when it could not start.
bool StartTouchSound(SoundDevice& device);

}  // namespace chimer
