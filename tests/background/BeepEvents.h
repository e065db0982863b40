#pragma once
// The touch events of the sound program as tests see them: by name, through the stand-in
// drivers' log of IOCTL_BEEP_EVENT, and by the handle value a request carried.
#include <windows.h>

#include <string>
#include <vector>

#include "StandinClient.h"

namespace backgroundtest {

// The touch event of list position `position`: "BeepEvent <position> ", one blank at the end.
std::string TouchEventName(size_t position);

// True when the named event exists and is set.
bool EventIsSet(const std::string& name);
// Sets a named event (as the applet sets "BEEP_EVENT"); false when it does not exist.
bool SetNamedEvent(const std::string& name);
// Waits until the named event exists and is clear: the device's touch thread has taken a touch.
bool WaitEventCleared(const std::string& name, DWORD deadlineMs = 15000);
bool EventExists(const std::string& name);

// The IOCTL_BEEP_EVENT requests of the log, in arrival order, and the handle value each carried.
std::vector<standin::LoggedRequest> BeepRequests();
uint32_t HandleValue(const standin::LoggedRequest& request);
// The name of the object behind a handle value of `process` (the part after
// "BaseNamedObjects\"), or an empty text.
std::wstring ObjectNameOf(HANDLE process, uint32_t handleValue);

// "RILO1", "MEKA2" ... for a logged request, in assertion messages and comparisons.
std::string DeviceOf(const standin::LoggedRequest& request);
std::vector<std::string> DevicesOf(const std::vector<standin::LoggedRequest>& requests);

// A touch on the panel of a device armed as list position `position`: the stand-in is told the
// event's name and sets it.
bool TouchArmedDevice(standin::Driver driver, unsigned instance, size_t position);

}  // namespace backgroundtest
