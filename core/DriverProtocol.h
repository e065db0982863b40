#pragma once
// Control codes of the RILO and MEKA touch drivers and the request and reply buffers that the
// device configuration sends. Every code is FILE_DEVICE_UNKNOWN, METHOD_BUFFERED,
// FILE_ANY_ACCESS; every number in a buffer is little-endian and a byte field carries the low
// byte of its setting. The buffers of every code the programs send are declared here.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

constexpr DWORD TouchControlCode(DWORD function)
{
    return (0x22u << 16) | (0u << 14) | (function << 2) | 0u;   // device type, access, function, method
}

constexpr DWORD IOCTL_NEW_DEVICE_NOTIFIATION = TouchControlCode(1);
constexpr DWORD IOCTL_SERIAL_SETTINGS = TouchControlCode(2);
constexpr DWORD IOCTL_MODE_SETTINGS = TouchControlCode(3);
constexpr DWORD IOCTL_PACKET_FILTER_SETTINGS = TouchControlCode(4);
constexpr DWORD IOCTL_CALLIBRATION_DELTAS = TouchControlCode(5);
constexpr DWORD IOCTL_DEVICE_SEGMENT = TouchControlCode(6);
constexpr DWORD IOCTL_BEEP_EVENT = TouchControlCode(7);
constexpr DWORD IOCTL_DEVICE_STATE = TouchControlCode(8);
constexpr DWORD IOCTL_USE_PRIMARY_MODE = TouchControlCode(9);
constexpr DWORD IOCTL_USE_SECONDARY_MODE = TouchControlCode(10);
constexpr DWORD IOCTL_REINITIALIZE_DEVICE = TouchControlCode(11);
constexpr DWORD IOCTL_DISABLE_DEVICE = TouchControlCode(12);
constexpr DWORD IOCTL_ENABLE_DEVICE = TouchControlCode(13);
constexpr DWORD IOCTL_DELETE_DEVICE_NOTIFICATION = TouchControlCode(14);
constexpr DWORD IOCTL_SET_CALIBRATION_EVENT = TouchControlCode(15);
constexpr DWORD IOCTL_CALIBRATION_25_POINT = TouchControlCode(16);
constexpr DWORD IOCTL_GET_CALIBRATION_POINT = TouchControlCode(17);
constexpr DWORD IOCTL_CALIBRATION_9_POINT = TouchControlCode(18);
constexpr DWORD IOCTL_CALIBRATION_4_POINT = TouchControlCode(19);
constexpr DWORD IOCTL_SENSITIVITY_CONT = TouchControlCode(24);
constexpr DWORD IOCTL_SENSITIVITY_COMMAND = TouchControlCode(27);
constexpr DWORD IOCTL_SENSITIVITY_MODE = TouchControlCode(28);
constexpr DWORD IOCTL_SENSITIVITY_DATA = TouchControlCode(29);
constexpr DWORD IOCTL_DISPLAY_ORIENTATION = TouchControlCode(35);

static_assert(IOCTL_NEW_DEVICE_NOTIFIATION == 0x220004, "control code layout");
static_assert(IOCTL_DELETE_DEVICE_NOTIFICATION == 0x220038, "control code layout");
static_assert(IOCTL_DISPLAY_ORIENTATION == 0x22008C, "control code layout");

static_assert(sizeof(wchar_t) == 2, "port texts are UTF-16 in the driver buffers");

// Characters of a port text field, the terminating NUL included: at most 99 characters of text.
constexpr size_t kPortTextChars = 100;

#pragma pack(push, 1)

// IOCTL_NEW_DEVICE_NOTIFIATION, to \\.\RILO0 when a serial device is added.
struct NewDeviceRequest {
    wchar_t port[kPortTextChars];
    uint8_t instance;
    uint8_t reserved;
};
static_assert(sizeof(NewDeviceRequest) == 202, "NewDeviceRequest is 202 bytes");
static_assert(offsetof(NewDeviceRequest, instance) == 200, "NewDeviceRequest layout");

// IOCTL_SERIAL_SETTINGS.
struct SerialSettingsRequest {
    uint32_t baudRate;
    uint8_t fifo;
    uint8_t dataBits;
    uint8_t parity;
    uint8_t stopBits;
    wchar_t port[kPortTextChars];
};
static_assert(sizeof(SerialSettingsRequest) == 208, "SerialSettingsRequest is 208 bytes");
static_assert(offsetof(SerialSettingsRequest, port) == 8, "SerialSettingsRequest layout");

// IOCTL_MODE_SETTINGS. The modes travel as codes (index + 1).
struct ModeSettingsRequest {
    uint32_t primaryMode;
    uint32_t secondaryMode;
    uint8_t clickTime;
    uint8_t tapTime;
    uint8_t liftOffTime;
    uint8_t reserved;
};
static_assert(sizeof(ModeSettingsRequest) == 12, "ModeSettingsRequest is 12 bytes");
static_assert(offsetof(ModeSettingsRequest, clickTime) == 8, "ModeSettingsRequest layout");

// IOCTL_PACKET_FILTER_SETTINGS. Note the order differs from the registry's write order.
struct PacketFilterRequest {
    uint8_t touchdownFilter;
    uint8_t sampleRate;
    uint8_t deglitch;
    uint8_t averaging;
    uint8_t stabilization;
};
static_assert(sizeof(PacketFilterRequest) == 5, "PacketFilterRequest is 5 bytes");

// IOCTL_USE_PRIMARY_MODE: 0 = use the device's primary button mode again; 1..13 = make this
// button-mode code the primary mode and use it.
struct PrimaryModeRequest {
    uint8_t mode;
};
static_assert(sizeof(PrimaryModeRequest) == 1, "PrimaryModeRequest is 1 byte");

// IOCTL_USE_SECONDARY_MODE. The address is that of the sender's variable holding the event the
// driver sets when a one-touch secondary mode ends, in the sender's address space; the field is
// 4 bytes on every architecture, so a 64-bit sender hands over the low half of the address.
struct SecondaryModeRequest {
    uint32_t eventAddress;
    uint8_t hitOne;              // 1 = for one touch only, 0 = until switched back
    uint8_t reserved[3];
};
static_assert(sizeof(SecondaryModeRequest) == 8, "SecondaryModeRequest is 8 bytes");
static_assert(offsetof(SecondaryModeRequest, hitOne) == 4, "SecondaryModeRequest layout");

// IOCTL_DEVICE_STATE reply.
struct DeviceStateReply {
    uint32_t state;              // non-zero: the device is active
    uint32_t commErrors;
    uint32_t syncErrors;
};
static_assert(sizeof(DeviceStateReply) == 12, "DeviceStateReply is 12 bytes");

// IOCTL_DISPLAY_ORIENTATION: the display's orientation code (0 normal, 1 90 degrees, 2 180,
// 3 270) and the resolution of the current display mode.
struct DisplayOrientationRequest {
    uint32_t orientation;
    uint32_t width;
    uint32_t height;
};
static_assert(sizeof(DisplayOrientationRequest) == 12, "DisplayOrientationRequest is 12 bytes");
static_assert(offsetof(DisplayOrientationRequest, height) == 8, "DisplayOrientationRequest layout");

// IOCTL_BEEP_EVENT: the value of the touch event's handle in the sender's process, 32 bits on
// both architectures (handle values fit in 32 bits).
struct BeepEventRequest {
    uint32_t eventHandle;
};
static_assert(sizeof(BeepEventRequest) == 4, "BeepEventRequest is 4 bytes");

// The sensitivity requests of a USB controller carry one 16-bit word each way:
// IOCTL_SENSITIVITY_COMMAND a command in and the raw sensitivity value out, IOCTL_SENSITIVITY_MODE
// a mode in, IOCTL_SENSITIVITY_DATA a word address in and the word at that address out.
struct SensitivityWord {
    uint16_t value;
};
static_assert(sizeof(SensitivityWord) == 2, "SensitivityWord is 2 bytes");

#pragma pack(pop)

// IOCTL_SENSITIVITY_COMMAND commands.
constexpr uint16_t kSensitivityReport = 0;       // report the value
constexpr uint16_t kSensitivityAutoAdjust = 1;   // start the automatic adjustment
constexpr uint16_t kSensitivityDuller = 2;       // one step duller (higher value)
constexpr uint16_t kSensitivitySharper = 3;      // one step more sensitive (lower value)
// The reply word that carries no value.
constexpr uint16_t kSensitivityNoValue = 0xFFFF;
// IOCTL_SENSITIVITY_MODE modes.
constexpr uint16_t kSensitivityFetchData = 0;    // fetch the stored sensitivity data back
constexpr uint16_t kSensitivityStoreData = 1;    // store the sensitivity data in the controller

// Calibration records, byte for byte as the drivers read them: little-endian 32-bit signed
// values, no padding, the same on x86 and x64.
#pragma pack(push, 1)

// Reply of IOCTL_GET_CALIBRATION_POINT: the raw controller coordinate of the last touch.
struct RawPointReply {
    int32_t x;
    int32_t y;
};

// Input of IOCTL_CALIBRATION_4_POINT. Points are in record order: 1 bottom-right,
// 2 top-right, 3 top-left, 4 bottom-left.
struct CalibrationRecord4 {
    int32_t rawX[4];
    int32_t rawY[4];
    int32_t screenX[4];
    int32_t screenY[4];
    int32_t maxXPixels;
    int32_t maxYPixels;
    int32_t secMouX;
    int32_t secMouY;
};

// Bow-correction values shared by the 9- and 25-point records.
struct BowValues {
    int32_t axP, ayP, bxP, byP, cxP, cyP;
    int32_t x4plx6P, x4mix6P, y8ply2P, y8miy2P;
};

// One bilinear map: X = (a_x u + b_x v + c_x u v / 128 + d_x) / K, Y likewise.
struct BilinearMap {
    int32_t ax, bx, cx, dx, ay, by, cy, dy;
};

// Input of IOCTL_CALIBRATION_9_POINT.
struct CalibrationRecord9 {
    BowValues bow;
    BilinearMap corner;
    BilinearMap cells[4];
    int32_t midX;
    int32_t midY;
    int32_t maxXPixels;
    int32_t maxYPixels;
    int32_t bowFlag;
    int32_t rotate;
    int32_t secMouX;
    int32_t secMouY;
};

// Input of IOCTL_CALIBRATION_25_POINT.
struct CalibrationRecord25 {
    BowValues bow;
    BilinearMap corner;
    BilinearMap cells[16];
    int32_t midX;
    int32_t midY;
    int32_t rightQ;
    int32_t leftQ;
    int32_t upQ;
    int32_t downQ;
    int32_t maxXPixels;
    int32_t maxYPixels;
    int32_t bowFlag;
    int32_t rotate;
    int32_t secMouX;
    int32_t secMouY;
};

#pragma pack(pop)

static_assert(sizeof(RawPointReply) == 8, "raw point reply is 8 bytes");
static_assert(sizeof(BowValues) == 40 && sizeof(BilinearMap) == 32, "map blocks");
static_assert(sizeof(CalibrationRecord4) == 80, "4-point record is 80 bytes");
static_assert(offsetof(CalibrationRecord4, screenX) == 8 * 4 && offsetof(CalibrationRecord4, maxXPixels) == 16 * 4 &&
                  offsetof(CalibrationRecord4, secMouY) == 19 * 4,
              "4-point record layout");
static_assert(sizeof(CalibrationRecord9) == 232, "9-point record is 232 bytes");
static_assert(offsetof(CalibrationRecord9, corner) == 10 * 4 && offsetof(CalibrationRecord9, cells) == 18 * 4 &&
                  offsetof(CalibrationRecord9, midX) == 50 * 4 && offsetof(CalibrationRecord9, maxXPixels) == 52 * 4 &&
                  offsetof(CalibrationRecord9, bowFlag) == 54 * 4 && offsetof(CalibrationRecord9, rotate) == 55 * 4 &&
                  offsetof(CalibrationRecord9, secMouX) == 56 * 4,
              "9-point record layout");
static_assert(sizeof(CalibrationRecord25) == 632, "25-point record is 632 bytes");
static_assert(offsetof(CalibrationRecord25, corner) == 10 * 4 && offsetof(CalibrationRecord25, cells) == 18 * 4 &&
                  offsetof(CalibrationRecord25, midX) == 146 * 4 && offsetof(CalibrationRecord25, rightQ) == 148 * 4 &&
                  offsetof(CalibrationRecord25, downQ) == 151 * 4 &&
                  offsetof(CalibrationRecord25, maxXPixels) == 152 * 4 &&
                  offsetof(CalibrationRecord25, bowFlag) == 154 * 4 && offsetof(CalibrationRecord25, rotate) == 155 * 4 &&
                  offsetof(CalibrationRecord25, secMouX) == 156 * 4,
              "25-point record layout");

// Copies a port text into a request field: at most 99 characters, always NUL-terminated, the
// rest of the field zero.
void CopyPortText(wchar_t (&field)[kPortTextChars], const std::wstring& port);

NewDeviceRequest MakeNewDeviceRequest(const std::wstring& port, DWORD instance);
SerialSettingsRequest MakeSerialSettingsRequest(DWORD baudRate, DWORD fifo, DWORD dataBits, DWORD parity,
                                                DWORD stopBits, const std::wstring& port);
// Button modes are given as 0-based indices and sent as codes.
ModeSettingsRequest MakeModeSettingsRequest(DWORD primaryIndex, DWORD secondaryIndex, DWORD clickTime, DWORD tapTime,
                                            DWORD liftOffTime);
// `mode`: 0, or a button-mode code 1..13; the low byte travels.
PrimaryModeRequest MakePrimaryModeRequest(DWORD mode);
// `hitOne` is sent as it is given (callers pass 0 or 1).
SecondaryModeRequest MakeSecondaryModeRequest(const HANDLE* eventVariable, DWORD hitOne);
PacketFilterRequest MakePacketFilterRequest(DWORD touchdownFilter, DWORD sampleRate, DWORD deglitch,
                                            DWORD averaging, DWORD stabilization);
// The handle's value as the driver reads it: its low 32 bits.
BeepEventRequest MakeBeepEventRequest(HANDLE event);

// The device interface of the USB driver's touch controllers; their arrival is announced with it.
constexpr GUID MEKA_DEVICE_INTERFACE_GUID = {0x1E06762A, 0xA1D3, 0x489D, {0x9F, 0xBA, 0x62, 0x2B, 0x0E, 0xA1, 0x36, 0x50}};
