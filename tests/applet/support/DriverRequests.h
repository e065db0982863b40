#pragma once
// What reached the stand-in drivers since their log was cleared, as the applet tests read it.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "DeviceKeyFixture.h"
#include "StandinClient.h"

namespace applettest {

// The requests that reached one device (optionally only those of one code).
std::vector<standin::LoggedRequest> Requests(const testsupport::DeviceRow& device, DWORD code = 0);
// The requests with this code that reached either stand-in, whichever device they were for.
std::vector<standin::LoggedRequest> Requests(DWORD code);
// The codes of the requests, in order.
std::vector<DWORD> Codes(const std::vector<standin::LoggedRequest>& log);

// The mode request's twelve bytes: both mode codes (4 bytes each), click, tap, lift-off, zero.
std::vector<uint8_t> ModeBytes(DWORD primaryCode, DWORD secondaryCode, BYTE click, BYTE tap, BYTE liftOff);

}  // namespace applettest
