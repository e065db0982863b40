#include "DeviceKeyFixture.h"

namespace testsupport {

std::wstring SerialKey(int instance) { return ::DeviceKeyPath(DeviceFamily::Serial, std::to_wstring(instance)); }

std::wstring UsbKey(int instance) { return ::DeviceKeyPath(DeviceFamily::Usb, std::to_wstring(instance)); }

DeviceRow Serial(int instance, const std::wstring& name)
{
    DeviceRow row;
    row.serial = true;
    row.instance = instance;
    row.name = name;
    return row;
}

DeviceRow Usb(int instance, const std::wstring& name)
{
    DeviceRow row = Serial(instance, name);
    row.serial = false;
    return row;
}

DeviceRow Distinct(DeviceRow row)
{
    return DeviceRow{row.serial, row.instance, row.name, 60, 4, 30, 1, 2, L"C:\\sounds\\tick.wav", 7, 25, 3, 25, 3, 13,
                     11, 12, 13, 14, 15, 14, L"COM3", 0x3E8, 19200, 2, 4, 7, 2};
}

std::wstring DeviceKeyPath(const DeviceRow& device)
{
    return device.serial ? SerialKey(device.instance) : UsbKey(device.instance);
}

void PrintTo(const DeviceRow& device, std::ostream* out)
{
    *out << (device.serial ? "RILO" : "MEKA") << device.instance << ' '
         << std::string(device.name.begin(), device.name.end());
}

void AddDevice(ScratchRegistry& registry, const DeviceRow& d)
{
    const std::wstring key = DeviceKeyPath(d);
    registry.Fill({
        RegRow::Str(key, L"Device Name", d.name),
        RegRow::Str(key, L"Controller Type", d.serial ? kSerialControllerType : kUsbControllerType),
        RegRow::Num(key, L"Logical Desktop Segment", d.segment),
        RegRow::Num(key, L"Sample Rate", d.sampleRate),
        RegRow::Num(key, L"Touchdown Filter", d.touchdownFilter),
        RegRow::Num(key, L"Deglitch", d.deglitch),
        RegRow::Num(key, L"Controller Enabled", d.controllerEnabled),
        RegRow::Num(key, L"Sound Enabled", d.soundEnabled),
        RegRow::Num(key, L"Calibration Timeout", d.calibrationTimeout),
        RegRow::Num(key, L"CalibPoint", d.calibPoint),
        RegRow::Num(key, L"calflag", d.calFlag),
        RegRow::Num(key, L"Primary Button Mode", d.primaryMode),
        RegRow::Num(key, L"Secondary Button Mode", d.secondaryMode),
        RegRow::Num(key, L"ClickTime", d.clickTime),
        RegRow::Num(key, L"Tap Time", d.tapTime),
        RegRow::Num(key, L"Liftoff Time", d.liftOffTime),
        RegRow::Num(key, L"Stabilization", d.stabilization),
        RegRow::Num(key, L"Averaging", d.averaging),
    });
    if (!d.waveFile.empty())
        registry.SetString(key, L"Wave File", d.waveFile);
    if (d.serial) {
        registry.Fill({
            RegRow::Num(key, L"FIFO", d.fifo),
            RegRow::Str(key, L"Port", d.port),
            RegRow::Num(key, L"Address", d.address),
            RegRow::Num(key, L"Baud Rate", d.baudRate),
            RegRow::Num(key, L"Parity", d.parity),
            RegRow::Num(key, L"IRQ", d.irq),
            RegRow::Num(key, L"Data bits", d.dataBits),
            RegRow::Num(key, L"Stop Bits", d.stopBits),
        });
    }
}

void AddProduct(ScratchRegistry& registry, const ProductKeyRow& product)
{
    registry.Fill({
        RegRow::Str(kProductKeyPath, L"Tiven Installed Path", product.installDir),
        RegRow::Num(kProductKeyPath, L"Controller", product.controllerKind),
    });
    if (!product.labelFile.empty())
        registry.SetString(kProductKeyPath, L"XML File Path", product.labelFile);
    if (!product.deviceName.empty())
        registry.SetString(kProductKeyPath, L"Device Name", product.deviceName);
}

}  // namespace testsupport
