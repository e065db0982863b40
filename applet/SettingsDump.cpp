#include "SettingsDump.h"

#include "DeviceKeys.h"
#include "DeviceSettings.h"
#include "Handle.h"
#include "NameTable.h"
#include "ProductSchema.h"
#include "RegistryKey.h"

namespace {
using S = CDeviceSettings;

enum class Shown { Text, Number, Segment, ButtonMode };

// One line of a device block: lead, the value name, two blanks, tabs, "- ", the value, the end.
struct DumpLine {
    const wchar_t* lead;
    const wchar_t* name;
    const wchar_t* tabs;
    Shown shown;
    DWORD S::*number;
    std::wstring S::*text;
    const wchar_t* end;
};

constexpr DumpLine TextLine(const wchar_t* lead, const wchar_t* name, const wchar_t* tabs, std::wstring S::*text,
                            const wchar_t* end = L"\n")
{
    return {lead, name, tabs, Shown::Text, nullptr, text, end};
}

constexpr DumpLine NumberLine(const wchar_t* name, const wchar_t* tabs, DWORD S::*number, Shown shown = Shown::Number)
{
    return {L"", name, tabs, shown, number, nullptr, L"\n"};
}

// The lines in report order. The serial lines appear for USB devices too, with the record's
// defaults; "Deglitch", "Address" and "IRQ" are not reported.
constexpr DumpLine kLines[] = {
    TextLine(L"\n", L"Device Name", L"\t\t\t", &S::Str_DeviceName, L"\r\n"),
    TextLine(L"", L"Controller Type", L"\t\t", &S::ControllerProtocol, L"\r\n"),
    NumberLine(L"Logical Desktop Segment", L"\t", &S::Str_DesktopSegment, Shown::Segment),
    NumberLine(L"Primary Button Mode", L"\t\t", &S::dwPrimaryButtonMode, Shown::ButtonMode),
    NumberLine(L"Secondary Button Mode", L"\t", &S::dwSecondaryButtonMode, Shown::ButtonMode),
    NumberLine(L"Sample Rate", L"\t\t\t", &S::dwSampleRate),
    NumberLine(L"Touchdown Filter", L"\t\t", &S::dwTouchdownFilter),
    NumberLine(L"Sound Enabled", L"\t\t", &S::dwSoundEnabled),
    NumberLine(L"Controller Enabled", L"\t\t", &S::dwControllerEnabled),
    NumberLine(L"Calibration Timeout", L"\t\t", &S::dwCalibrationTimeout),
    NumberLine(L"CalibPoint", L"\t\t", &S::dwCalibPoint),
    NumberLine(L"calflag", L"\t\t", &S::dwCalFlag),
    NumberLine(L"Baud Rate", L"\t\t\t", &S::BaudRate),
    NumberLine(L"Stop Bits", L"\t\t\t", &S::dwStopBits),
    NumberLine(L"Data bits", L"\t\t\t", &S::DataBits),
    NumberLine(L"Parity", L"\t\t\t", &S::dwParity),
    NumberLine(L"FIFO", L"\t\t\t", &S::dwFIFO),
    TextLine(L"", L"Port", L"\t\t\t\t", &S::Str_Port),
    NumberLine(L"ClickTime", L"\t\t\t", &S::dwClickTime),
    NumberLine(L"Liftoff Time", L"\t\t", &S::dwLiftOffTime),
    NumberLine(L"Tap Time", L"\t\t\t", &S::dwTapTime),
    NumberLine(L"Stabilization", L"\t\t", &S::dwStabilization),
    NumberLine(L"Averaging", L"\t\t\t", &S::dwAveraging),
    TextLine(L"", L"Wave File", L"\t\t\t", &S::Str_WaveFile),
};

// Numbers are written as signed decimals, as the registry's DWORDs read as int.
std::wstring Signed(DWORD value) { return std::to_wstring(static_cast<int>(value)); }

std::wstring NameOrNumber(const CNameTable& names, DWORD index)
{
    return names.Contains(index) ? names.Name(index) : Signed(index);
}
}  // namespace

void CSettingsDump::AddPiece(const std::wstring& text)
{
    text_ += text;
    text_ += L'\0';
}

void CSettingsDump::AddHeader(const SYSTEMTIME& utc, const std::wstring& operatingSystem)
{
    AddPiece(L"\tTIVEN TOUCH PANEL DEVICE DRIVER(MAVO) SETTINGS\n\n");
    // Day, month, year, hour, minute, second, millisecond; nothing zero-padded.
    AddPiece(L"System Time\t\t" + std::to_wstring(utc.wDay) + L"-" + std::to_wstring(utc.wMonth) + L"-" +
             std::to_wstring(utc.wYear) + L"   " + std::to_wstring(utc.wHour) + L":" + std::to_wstring(utc.wMinute) +
             L":" + std::to_wstring(utc.wSecond) + L":" + std::to_wstring(utc.wMilliseconds) + L"\n");
    AddPiece(L"Operating System\t" + operatingSystem + L"\n");
    AddPiece(L"\nDump of driver parameter tree(s) follows\n");
}

bool CSettingsDump::Write(const std::wstring& path) const
{
    DeleteFileW(path.c_str());
    CHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    // The wide characters are UTF-16 little-endian already; no byte-order mark goes first.
    DWORD written = 0;
    WriteFile(file.Get(), text_.data(), static_cast<DWORD>(text_.size() * sizeof(wchar_t)), &written, nullptr);
    return true;
}

void DumpDeviceSettings(CSettingsDump& dump, const CDeviceSettings& record, const CNameTable& segmentNames,
                        const CNameTable& buttonModeNames)
{
    const wchar_t* parameters = record.IsSerial() ? kSerialParametersPath : kUsbParametersPath;
    dump.AddPiece(L"\n\nHKEY_LOCAL_MACHINE\\" + std::wstring(parameters) + L"\\" + record.Str_SubKey + L"  \n");
    for (const DumpLine& line : kLines) {
        std::wstring value;
        switch (line.shown) {
        case Shown::Text:
            value = record.*line.text;
            break;
        case Shown::Number:
            value = Signed(record.*line.number);
            break;
        case Shown::Segment:
            value = NameOrNumber(segmentNames, record.*line.number);
            break;
        case Shown::ButtonMode:
            value = NameOrNumber(buttonModeNames, record.*line.number);
            break;
        }
        dump.AddPiece(line.lead + std::wstring(line.name) + L"  " + line.tabs + L"- " + value + line.end);
    }
}

std::wstring ExpandEnvironment(const std::wstring& text)
{
    std::wstring expanded(text.size() + 1, L'\0');
    for (;;) {
        DWORD needed = ExpandEnvironmentStringsW(text.c_str(), &expanded[0], static_cast<DWORD>(expanded.size()));
        if (needed == 0)
            return text;
        if (needed <= expanded.size()) {
            expanded.resize(needed - 1);   // the count includes the terminator
            return expanded;
        }
        expanded.assign(needed, L'\0');
    }
}

std::wstring DumpFilePath(CRegistryKey& productKey)
{
    std::wstring path;
    if (ReadProductText(productKey, ProductValueId::DumpFile, path))
        return path;
    return ExpandEnvironment(L"%TEMP%") + L"\\TivenSettings.txt";
}
