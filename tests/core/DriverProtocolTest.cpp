#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "DeviceAccess.h"
#include "DeviceSettings.h"
#include "DriverProtocol.h"

namespace {
template <typename T>
std::vector<uint8_t> BytesOf(const T& value)
{
    const auto* p = reinterpret_cast<const uint8_t*>(&value);
    return std::vector<uint8_t>(p, p + sizeof value);
}

// The expected bytes of a port field: UTF-16 text, the rest zero.
std::vector<uint8_t> PortField(const std::wstring& text)
{
    std::vector<uint8_t> bytes(200, 0);
    for (size_t i = 0; i < text.size(); ++i) {
        bytes[2 * i] = static_cast<uint8_t>(text[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<uint8_t>(text[i] >> 8);
    }
    return bytes;
}

std::vector<uint8_t> Concat(std::vector<uint8_t> a, const std::vector<uint8_t>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
}  // namespace

TEST(DriverProtocol, ControlCodes)
{
    struct Case { DWORD code; DWORD expected; } cases[] = {
        {IOCTL_NEW_DEVICE_NOTIFIATION, 0x220004}, {IOCTL_SERIAL_SETTINGS, 0x220008},
        {IOCTL_MODE_SETTINGS, 0x22000C}, {IOCTL_PACKET_FILTER_SETTINGS, 0x220010},
        {IOCTL_CALLIBRATION_DELTAS, 0x220014}, {IOCTL_DEVICE_SEGMENT, 0x220018}, {IOCTL_BEEP_EVENT, 0x22001C},
        {IOCTL_DEVICE_STATE, 0x220020}, {IOCTL_USE_PRIMARY_MODE, 0x220024}, {IOCTL_USE_SECONDARY_MODE, 0x220028},
        {IOCTL_REINITIALIZE_DEVICE, 0x22002C}, {IOCTL_DISABLE_DEVICE, 0x220030}, {IOCTL_ENABLE_DEVICE, 0x220034},
        {IOCTL_DELETE_DEVICE_NOTIFICATION, 0x220038}, {IOCTL_SET_CALIBRATION_EVENT, 0x22003C},
        {IOCTL_CALIBRATION_25_POINT, 0x220040}, {IOCTL_GET_CALIBRATION_POINT, 0x220044},
        {IOCTL_CALIBRATION_9_POINT, 0x220048}, {IOCTL_CALIBRATION_4_POINT, 0x22004C},
        {IOCTL_SENSITIVITY_CONT, 0x220060}, {IOCTL_SENSITIVITY_COMMAND, 0x22006C},
        {IOCTL_SENSITIVITY_MODE, 0x220070}, {IOCTL_SENSITIVITY_DATA, 0x220074},
        {IOCTL_DISPLAY_ORIENTATION, 0x22008C},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, c.code);
}

TEST(DriverProtocol, NewDeviceRequestBytes)
{
    std::vector<uint8_t> expected = PortField(L"COM1");
    expected.push_back(3);
    expected.push_back(0);
    EXPECT_EQ(expected, BytesOf(MakeNewDeviceRequest(L"COM1", 3)));
    const uint8_t com1[] = {0x43, 0x00, 0x4F, 0x00, 0x4D, 0x00, 0x31, 0x00, 0x00, 0x00};
    NewDeviceRequest r = MakeNewDeviceRequest(L"COM1", 3);
    EXPECT_EQ(0, std::memcmp(&r, com1, sizeof com1));
}

TEST(DriverProtocol, SerialSettingsRequestBytes)
{
    std::vector<uint8_t> head = {0x80, 0x25, 0x00, 0x00, 14, 7, 2, 1};   // 9600, FIFO, data, parity, stop
    EXPECT_EQ(Concat(head, PortField(L"COM12")), BytesOf(MakeSerialSettingsRequest(9600, 14, 7, 2, 1, L"COM12")));
    // A byte field carries the low byte of its setting.
    std::vector<uint8_t> wide = BytesOf(MakeSerialSettingsRequest(0x12345678, 0x1FF, 0x108, 0, 0x102, L""));
    EXPECT_EQ((std::vector<uint8_t>{0x78, 0x56, 0x34, 0x12, 0xFF, 0x08, 0x00, 0x02}),
              std::vector<uint8_t>(wide.begin(), wide.begin() + 8));
}

TEST(DriverProtocol, ModeSettingsRequestCarriesCodesAndTimes)
{
    // Indices 2 and 12 travel as codes 3 and 13; click, tap, lift-off in that order.
    EXPECT_EQ((std::vector<uint8_t>{3, 0, 0, 0, 13, 0, 0, 0, 9, 7, 5, 0}),
              BytesOf(MakeModeSettingsRequest(2, 12, 9, 7, 5)));
}

TEST(DriverProtocol, PrimaryModeRequestIsOneByte)
{
    struct Case { DWORD mode; uint8_t byte; } cases[] = {{0, 0}, {3, 3}, {13, 13}, {0x105, 5}};
    for (const Case& c : cases)
        EXPECT_EQ((std::vector<uint8_t>{c.byte}), BytesOf(MakePrimaryModeRequest(c.mode))) << c.mode;
}

TEST(DriverProtocol, SecondaryModeRequestCarriesTheEventVariablesAddressAndHitOne)
{
    // The address of the variable, not the handle in it: its low four bytes, little-endian, then
    // HitOne and three zero bytes.
    HANDLE variable = reinterpret_cast<HANDLE>(static_cast<uintptr_t>(0x5A5A5A5A));
    const uint32_t address = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(&variable));
    for (DWORD hitOne : {0u, 1u}) {
        std::vector<uint8_t> bytes = BytesOf(MakeSecondaryModeRequest(&variable, hitOne));
        EXPECT_EQ((std::vector<uint8_t>{static_cast<uint8_t>(address), static_cast<uint8_t>(address >> 8),
                                        static_cast<uint8_t>(address >> 16), static_cast<uint8_t>(address >> 24),
                                        static_cast<uint8_t>(hitOne), 0, 0, 0}),
                  bytes)
            << hitOne;
    }
}

TEST(DriverProtocol, PacketFilterRequestOrderDiffersFromTheRegistryOrder)
{
    // touchdown filter, sample rate, deglitch, averaging, stabilization
    EXPECT_EQ((std::vector<uint8_t>{4, 100, 30, 12, 21}), BytesOf(MakePacketFilterRequest(4, 100, 30, 12, 21)));
}

TEST(DriverProtocol, PortTextIsCutTo99CharactersAndAlwaysTerminated)
{
    struct Case { size_t length; size_t kept; } cases[] = {{0, 0}, {98, 98}, {99, 99}, {100, 99}, {300, 99}};
    for (const Case& c : cases) {
        std::wstring port(c.length, L'P');
        std::vector<uint8_t> notice = BytesOf(MakeNewDeviceRequest(port, 1));
        std::vector<uint8_t> settings = BytesOf(MakeSerialSettingsRequest(1, 0, 0, 0, 0, port));
        EXPECT_EQ(PortField(std::wstring(c.kept, L'P')), std::vector<uint8_t>(notice.begin(), notice.begin() + 200))
            << c.length;
        EXPECT_EQ(PortField(std::wstring(c.kept, L'P')), std::vector<uint8_t>(settings.begin() + 8, settings.end()))
            << c.length;
    }
    // The instance byte right after the field is not overwritten by a long port.
    EXPECT_EQ(5, MakeNewDeviceRequest(std::wstring(300, L'P'), 5).instance);
}

TEST(DeviceAccess, DeviceFilesFollowTheControllerType)
{
    struct Case { const wchar_t* type; const wchar_t* subKey; const wchar_t* path; } cases[] = {
        {L"Tiven,Zarn,Serial", L"2", L"\\\\.\\RILO2"},
        {L"Tiven USB", L"3", L"\\\\.\\MEKA3"},
        {L"tiven,zarn,serial", L"1", L"\\\\.\\MEKA1"},   // serial only for the exact text
        {L"Something else", L"4", L"\\\\.\\MEKA4"},
        {L"Tiven,Zarn,Serial", L"0", L"\\\\.\\RILO0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.path, DeviceFilePath(c.type, c.subKey)) << c.type;
}

TEST(DeviceAccess, AMissingRecordOrDeviceGivesNoHandle)
{
    CDeviceSettings* none = nullptr;
    EXPECT_EQ(nullptr, GetDeviceHandle(none));
    EXPECT_FALSE(DeviceIoctl(none, IOCTL_ENABLE_DEVICE));

    CDeviceSettings record;
    record.ControllerProtocol = L"Tiven USB";
    record.Str_SubKey = L"999";   // no such device file
    EXPECT_EQ(INVALID_HANDLE_VALUE, GetDeviceHandle(&record));
    EXPECT_EQ(INVALID_HANDLE_VALUE, record.hDevice);
    EXPECT_FALSE(DeviceIoctl(&record, IOCTL_ENABLE_DEVICE));
    EXPECT_EQ(INVALID_HANDLE_VALUE, GetDeviceHandle(&record));   // tried again, still absent
    CloseDeviceHandle(&record);
    EXPECT_EQ(nullptr, record.hDevice);
}
