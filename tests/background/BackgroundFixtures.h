#pragma once
// Device keys and driver requests shared by the tests of the logon programs.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "DeviceKeyFixture.h"
#include "StandinClient.h"

namespace backgroundtest {

constexpr DWORD kSecondaryMonitorSegment = 2;   // "Logical Desktop Segment" of the secondary monitor
constexpr LONG kDeviceNotReady = static_cast<LONG>(0xC00000A3);

testsupport::DeviceRow WithSound(testsupport::DeviceRow row, DWORD mode, const std::wstring& wave = L"");
testsupport::DeviceRow OnSegment(testsupport::DeviceRow row, DWORD segment);

// Tests in the prefix's registry start without device keys and without a product key.
void StartWithoutDevices(testsupport::ScratchRegistry& registry);

// The devices of the power tests: serial "RILO Device-1" (RILO1), "RILO Device-2" switched off
// (RILO2), "RILO Device-3" under key 7 (RILO7), "Renamed" (RILO4), "RILO Device-4" (RILO5),
// "RILO Device-5" (RILO6), "RILO Device-6" without "Controller Enabled" (RILO8), and the USB
// "MEKA Device-1" (MEKA1). Suspend and resume switch RILO1 and RILO7 only.
void AddPowerDevices(testsupport::ScratchRegistry& registry);

// The logged requests with this code, in arrival order.
std::vector<standin::LoggedRequest> RequestsOf(DWORD code);
// The three fields of a display-orientation request, or nothing for another size.
std::vector<int32_t> Orientation(const standin::LoggedRequest& request);

}  // namespace backgroundtest
