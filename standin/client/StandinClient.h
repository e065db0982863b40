#pragma once
// Client of the stand-in RILO and MEKA kernel drivers (test equipment; see standin/README.md).
//
// The stand-ins are real kernel drivers loaded by Wine: product code opens \\.\RILO<n> and
// \\.\MEKA<n> and sends its control codes as it would on Windows. This library talks to the
// stand-ins' own test devices to see what was sent and to play the controller's part (touches,
// replies, unplugging). Tests that use it hold the CTest resource lock "standin" and normally
// start with standin::Reset().
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

#include "StandinCodes.h"

namespace standin {

enum class Driver { Rilo, Meka };

constexpr unsigned kMaxInstance = 32;   // instances 1..32 of each driver (and RILO0)

// The product's control codes of the touch drivers, for tests that send or look for them
// (sizes and targets in StandinCodes.h).
namespace ioctl {
constexpr DWORD kNewDeviceNotification = STANDIN_IOCTL_NEW_DEVICE_NOTIFICATION;
constexpr DWORD kSerialSettings = STANDIN_IOCTL_SERIAL_SETTINGS;
constexpr DWORD kModeSettings = STANDIN_IOCTL_MODE_SETTINGS;
constexpr DWORD kPacketFilterSettings = STANDIN_IOCTL_PACKET_FILTER_SETTINGS;
constexpr DWORD kCalibrationDeltas = STANDIN_IOCTL_CALIBRATION_DELTAS;
constexpr DWORD kDeviceSegment = STANDIN_IOCTL_DEVICE_SEGMENT;
constexpr DWORD kBeepEvent = STANDIN_IOCTL_BEEP_EVENT;
constexpr DWORD kDeviceState = STANDIN_IOCTL_DEVICE_STATE;
constexpr DWORD kUsePrimaryMode = STANDIN_IOCTL_USE_PRIMARY_MODE;
constexpr DWORD kUseSecondaryMode = STANDIN_IOCTL_USE_SECONDARY_MODE;
constexpr DWORD kReinitializeDevice = STANDIN_IOCTL_REINITIALIZE_DEVICE;
constexpr DWORD kDisableDevice = STANDIN_IOCTL_DISABLE_DEVICE;
constexpr DWORD kEnableDevice = STANDIN_IOCTL_ENABLE_DEVICE;
constexpr DWORD kDeleteDeviceNotification = STANDIN_IOCTL_DELETE_DEVICE_NOTIFICATION;
constexpr DWORD kSetCalibrationEvent = STANDIN_IOCTL_SET_CALIBRATION_EVENT;
constexpr DWORD kCalibration25Point = STANDIN_IOCTL_CALIBRATION_25_POINT;
constexpr DWORD kGetCalibrationPoint = STANDIN_IOCTL_GET_CALIBRATION_POINT;
constexpr DWORD kCalibration9Point = STANDIN_IOCTL_CALIBRATION_9_POINT;
constexpr DWORD kCalibration4Point = STANDIN_IOCTL_CALIBRATION_4_POINT;
constexpr DWORD kSensitivityCont = STANDIN_IOCTL_SENSITIVITY_CONT;
constexpr DWORD kSensitivityCommand = STANDIN_IOCTL_SENSITIVITY_COMMAND;
constexpr DWORD kSensitivityMode = STANDIN_IOCTL_SENSITIVITY_MODE;
constexpr DWORD kSensitivityData = STANDIN_IOCTL_SENSITIVITY_DATA;
constexpr DWORD kDisplayOrientation = STANDIN_IOCTL_DISPLAY_ORIENTATION;
}  // namespace ioctl

// One request that reached a product device file, in arrival order.
struct LoggedRequest {
    Driver driver = Driver::Rilo;
    unsigned instance = 0;              // 0 = \\.\RILO0
    DWORD code = 0;
    std::vector<uint8_t> input;         // the input bytes (at most the first 640; see inputSize)
    DWORD inputSize = 0;                // full input length
    DWORD outputSize = 0;               // output buffer length the caller gave
    LONG status = 0;                    // NTSTATUS the stand-in completed it with (0 = success)
    DWORD bytesReturned = 0;
    uint64_t sequence = 0;              // per driver, increasing
    int64_t timestamp = 0;              // arrival time (performance counter)
};

// The 12-byte DeviceStateReply of IOCTL_DEVICE_STATE.
struct StateReply {
    DWORD state = 1;                    // non-zero = active
    DWORD communicationErrors = 0;
    DWORD synchronisationErrors = 0;
};

// What the USB sensitivity requests answer.
struct SensitivityReply {
    uint16_t value = 500;               // raw value of IOCTL_SENSITIVITY_COMMAND; 0xFFFF = no value
    uint16_t step = 10;                 // command 2 adds it (duller), command 3 subtracts it
    bool storeFixesWords = true;        // mode 1 sets word 0 = 0, word 1 = 0xAAAA, 30..46 = 10..26
    std::vector<uint16_t> words;        // data words by address (up to 64; missing ones read 0)
};

// A device's state as the stand-in holds it. Byte records are empty until first received.
struct DeviceState {
    bool valid = false;                 // false: the stand-in could not be asked
    Driver driver = Driver::Rilo;
    unsigned instance = 0;
    bool present = false;               // plugged: its device file can be opened
    bool enabled = true;                // IOCTL_DISABLE_DEVICE / IOCTL_ENABLE_DEVICE
    bool secondaryMode = false;         // IOCTL_USE_SECONDARY_MODE in force
    bool hitOne = false;                // ... for one touch only
    uint32_t secondaryEventAddress = 0; // the address field of that request
    uint8_t primaryModeByte = 0;        // byte of the last IOCTL_USE_PRIMARY_MODE
    bool calibrationEventRegistered = false;
    uint32_t calibrationEventValue = 0;
    bool beepEventRegistered = false;
    uint32_t beepEventValue = 0;
    std::wstring beepEventName;         // the event an injected touch sets (SetBeepEventName)
    bool hasSegment = false;
    uint8_t segment = 0;                // last IOCTL_DEVICE_SEGMENT byte
    bool hasSensitivityMode = false;
    uint16_t sensitivityMode = 0;
    bool deleteNotified = false;        // MEKA: IOCTL_DELETE_DEVICE_NOTIFICATION received
    bool hasDeletedInstance = false;    // RILO0: the last delete notice ...
    uint8_t deletedInstance = 0;        // ... named this instance
    unsigned reinitializeCount = 0;
    unsigned sensitivityContCount = 0;
    unsigned requestCount = 0;          // requests to this device since the last Reset
    bool stateReplyFixed = false;
    StateReply stateReply;              // what IOCTL_DEVICE_STATE answers now
    int32_t calibrationPoint[2] = {0, 0};  // what IOCTL_GET_CALIBRATION_POINT answers
    SensitivityReply sensitivity;
    std::vector<uint8_t> packetFilter;  // 5 bytes
    std::vector<uint8_t> modeSettings;  // 12 bytes
    std::vector<uint8_t> serialSettings;  // 208 bytes
    std::vector<uint8_t> displayOrientation;  // 12 bytes
    std::vector<uint8_t> calibration4;  // 80 bytes
    std::vector<uint8_t> calibration9;  // 232 bytes
    std::vector<uint8_t> calibration25; // 632 bytes
    std::vector<uint8_t> newDevice;     // RILO0: the last 202-byte NewDeviceRequest
};

// What an injected touch or the end of a one-touch mode did.
struct EventResult {
    bool ok = false;                    // the stand-in carried out the request
    bool calibrationEventSet = false;   // "CALIB_APPLICATION" was set
    bool beepEventSet = false;          // the device's beep event name was set
    bool oneTouchEnded = false;         // a one-touch secondary mode went back to primary
    std::wstring modeEndEvent;          // "TRAY_GESTURO", "DialogGesturo" or empty
};

// --- availability and services ---
bool Installed();                       // both services "RILO" and "MEKA" are registered
bool Running();                         // both test devices answer
// Ticks per second of LoggedRequest::timestamp (0 when the stand-in cannot be asked).
int64_t TimestampFrequency(Driver driver);
// Stops both services, copies rilo.sys and meka.sys from binDir to %SystemRoot%\System32\drivers,
// registers them as demand-start kernel drivers and starts them (used by standin-ctl).
bool InstallAndStart(const std::wstring& binDir, std::wstring* error = nullptr);
bool Stop(std::wstring* error = nullptr);      // stops both services (they stay registered)
bool Uninstall(std::wstring* error = nullptr); // stops and deletes both services

// --- the test channel (each returns false when the stand-in refused or is not running) ---
bool Reset();                           // both drivers: devices to start state, plugged, log cleared
bool ClearLog();
// Requests to both drivers merged in arrival order. *overflow tells whether entries were dropped
// (more than 2048 per driver since the last clear).
std::vector<LoggedRequest> ReadLog(bool* overflow = nullptr);
std::vector<LoggedRequest> ReadLog(Driver driver, bool* overflow = nullptr);
DeviceState GetState(Driver driver, unsigned instance);
bool SetStateReply(Driver driver, unsigned instance, const StateReply& reply);
bool SetAutomaticStateReply(Driver driver, unsigned instance);  // state follows "enabled"
bool SetCalibrationPoint(Driver driver, unsigned instance, int32_t x, int32_t y);
// A touch on the panel: stores (x, y) as the calibration point, sets "CALIB_APPLICATION" when the
// device got IOCTL_SET_CALIBRATION_EVENT, sets its beep event when it got IOCTL_BEEP_EVENT and a
// name is known, and ends a one-touch secondary mode (as EndOneTouch).
EventResult InjectTouch(Driver driver, unsigned instance, int32_t x, int32_t y);
// Ends a one-touch secondary mode: back to primary, then sets "TRAY_GESTURO" when it exists,
// else "DialogGesturo". ok is false when the device is not in a one-touch secondary mode.
EventResult EndOneTouch(Driver driver, unsigned instance);
bool Unplug(Driver driver, unsigned instance);  // the device file disappears; open handles fail
bool Replug(Driver driver, unsigned instance);
bool SetSensitivityReply(Driver driver, unsigned instance, const SensitivityReply& reply);
// The named event a touch sets after IOCTL_BEEP_EVENT (Chimer's "BeepEvent %d ", trailing blank).
bool SetBeepEventName(Driver driver, unsigned instance, const std::wstring& name);
// Makes every later request with this code to the device complete with status (e.g.
// STATUS_DEVICE_NOT_READY 0xC00000A3); status 0 stops it; code 0 with status 0 clears all.
bool FailRequests(Driver driver, unsigned instance, DWORD code, LONG status);

// Waits until the log holds a request to the device with that code (0 = any), polling every 10 ms
// up to the deadline; the request goes to *request when given. For programs under test that send
// from their own process (wrap standin::ReadLog in testsupport::WaitUntil when a message pump is
// needed meanwhile).
bool WaitForRequest(Driver driver, unsigned instance, DWORD code, DWORD deadlineMs = 15000,
                    LoggedRequest* request = nullptr);

// --- helpers for tests ---
const wchar_t* DriverName(Driver driver);               // L"RILO" / L"MEKA"
std::wstring DeviceFileName(Driver driver, unsigned instance);  // L"\\\\.\\RILO1"
// The requests of a log to one device, optionally of one code (0 = any).
std::vector<LoggedRequest> Select(const std::vector<LoggedRequest>& log, Driver driver,
                                  unsigned instance, DWORD code = 0);
std::string Describe(const LoggedRequest& request);     // "RILO1 0x220010 in 5 [01 02 ..] out 0 -> 0x0"
std::string Describe(const std::vector<LoggedRequest>& log);  // one line per request
// Little-endian 32-bit value number index of a byte record (calibration records, orientation).
int32_t Int32At(const std::vector<uint8_t>& bytes, size_t index);

}  // namespace standin
