#include "AppletFixture.h"

#include "TestPaths.h"

using namespace testsupport;

namespace applettest {

namespace {
std::wstring Escaped(const std::wstring& text)
{
    std::wstring out;
    for (wchar_t c : text) {
        if (c == L'&')
            out += L"&amp;";
        else if (c == L'<')
            out += L"&lt;";
        else if (c == L'>')
            out += L"&gt;";
        else
            out += c;
    }
    return out;
}

std::string Utf8(const std::wstring& text)
{
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0], size, nullptr, nullptr);
    return out;
}
}  // namespace

std::wstring DeviceKeyPath(const DeviceRow& device)
{
    return std::wstring(device.serial ? kSerialParameters : kUsbParameters) + L"\\" + std::to_wstring(device.instance);
}

void PrintTo(const DeviceRow& device, std::ostream* out)
{
    *out << (device.serial ? "RILO" : "MEKA") << device.instance << ' '
         << std::string(device.name.begin(), device.name.end());
}

void AddDevice(ScratchRegistry& registry, const DeviceRow& device)
{
    const std::wstring key = DeviceKeyPath(device);
    registry.Fill({
        RegRow::Str(key, L"Device Name", device.name),
        RegRow::Str(key, L"Controller Type", device.serial ? L"Tiven,Zarn,Serial" : L"Tiven USB"),
        RegRow::Num(key, L"Logical Desktop Segment", 0),
        RegRow::Num(key, L"Sample Rate", device.sampleRate),
        RegRow::Num(key, L"Touchdown Filter", device.touchdownFilter),
        RegRow::Num(key, L"Deglitch", device.deglitch),
        RegRow::Num(key, L"Controller Enabled", device.controllerEnabled),
        RegRow::Num(key, L"Sound Enabled", device.soundEnabled),
        RegRow::Num(key, L"Calibration Timeout", 10),
        RegRow::Num(key, L"CalibPoint", 1),
        RegRow::Num(key, L"calflag", 9),
        RegRow::Num(key, L"Primary Button Mode", 1),
        RegRow::Num(key, L"Secondary Button Mode", 2),
        RegRow::Num(key, L"ClickTime", 9),
        RegRow::Num(key, L"Tap Time", 9),
        RegRow::Num(key, L"Liftoff Time", 5),
        RegRow::Num(key, L"Stabilization", 0),
        RegRow::Num(key, L"Averaging", 0),
    });
    if (!device.waveFile.empty())
        registry.SetString(key, L"Wave File", device.waveFile);
    if (device.serial) {
        registry.Fill({
            RegRow::Num(key, L"FIFO", 0),
            RegRow::Str(key, L"Port", L"COM1"),
            RegRow::Num(key, L"Address", 760),
            RegRow::Num(key, L"Baud Rate", 9600),
            RegRow::Num(key, L"Parity", 0),
            RegRow::Num(key, L"IRQ", 0),
            RegRow::Num(key, L"Data bits", 8),
            RegRow::Num(key, L"Stop Bits", 1),
        });
    }
}

std::wstring WriteLabelFile(const Labels& labels)
{
    std::wstring xml = L"<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<labels>\n  <applet>\n";
    for (const auto& label : labels)
        xml += L"    <entry><key>" + label.first + L"</key><text>" + Escaped(label.second) + L"</text></entry>\n";
    xml += L"  </applet>\n</labels>\n";
    std::string bytes = Utf8(xml);
    std::wstring path = MakeTempDir(L"applet-labels") + L"\\labels.xml";
    WriteFileBytes(path, bytes.data(), bytes.size());
    return path;
}

void AddProduct(ScratchRegistry& registry, const std::wstring& labelFile, DWORD controllerKind,
                const std::wstring& deviceName)
{
    registry.Fill({
        RegRow::Str(kProductKey, L"Tiven Installed Path", kInstallDir),
        RegRow::Str(kProductKey, L"XML File Path", labelFile),
        RegRow::Num(kProductKey, L"Controller", controllerKind),
    });
    if (!deviceName.empty())
        registry.SetString(kProductKey, L"Device Name", deviceName);
}

}  // namespace applettest
