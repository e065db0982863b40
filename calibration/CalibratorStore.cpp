// The end of a run: the stores of the 4-, 9- and 25-point results and the restore that every
// ending goes through.
#include "Calibrator.h"

#include "CalibrationMessages.h"

#include "DeviceAccess.h"
#include "DeviceKeys.h"
#include "EndOfRun.h"
#include "LabelBoxes.h"
#include "LabelStore.h"
#include "ProductSchema.h"
#include "ScopedAttach.h"

namespace {
constexpr WPARAM kQuitInterrupted = 4;
// "やり直してください": please try again.
constexpr wchar_t kRetryText[] = L"\x3084\x308A\x76F4\x3057\x3066\x304F\x3060\x3055\x3044";
}  // namespace

bool CCalibrator::ConfirmStore()
{
    storeAccepted_ = true;
    if (checkCalibration_ &&
        LabelQuestionBox(ProgramLabels(), nullptr, L"XML_CHECK_CALIBRATION", calib::kTitle.key,
                         L"Check calibration", calib::kTitle.text) != IDYES)
        storeAccepted_ = false;
    return storeAccepted_;
}

void CCalibrator::WriteValues(const calib::DwordValues& values)
{
    CRegistryKey& key = finder_.Key();
    for (const calib::DwordValue& v : values)
        key.WriteDword(v.name.c_str(), &v.value);
}

void CCalibrator::SendToDriver(DWORD code, const void* record, DWORD size)
{
    if (IsValidDeviceHandle(GetDeviceHandle(device_.get())))
        DeviceIoctl(device_.get(), code, record, size);
}

void CCalibrator::Store4Point()
{
    if (!ConfirmStore())
        return;
    if (segmentIndex_ == calib::kSecondaryMonitorSegment)
        segmentLeft_ = segmentTop_ = 0;
    calib::Calibration4 result = calib::Compute4Point(Geometry(), rawPoints_);
    WriteValues(result.values);
    WriteMonitorValues(result.record.secMouX, result.record.secMouY);
    SendToDriver(IOCTL_CALIBRATION_4_POINT, &result.record, sizeof result.record);
}

void CCalibrator::FailDegenerate()
{
    MessageBoxW(nullptr, kRetryText, L"Calibration", MB_ICONINFORMATION);
    Restore();
    SetCursor(nullptr);
    QuitRun(kQuitInterrupted);
}

void CCalibrator::Store9Point(bool bow)
{
    if (!ConfirmStore())
        return;
    if (segmentIndex_ == calib::kSecondaryMonitorSegment)
        segmentLeft_ = segmentTop_ = 0;
    calib::Calibration9 result;
    // Touches that admit no correction store and send nothing.
    if (!calib::Compute9Point(Geometry(), rawPoints_, bow, result)) {
        FailDegenerate();
        return;
    }
    WriteValues(result.values);
    WriteMonitorValues(result.record.secMouX, result.record.secMouY);
    SendToDriver(IOCTL_CALIBRATION_9_POINT, &result.record, sizeof result.record);
}

void CCalibrator::Store25Point(bool bow)
{
    if (!ConfirmStore())
        return;
    if (segmentIndex_ == calib::kSecondaryMonitorSegment)
        segmentLeft_ = segmentTop_ = 0;
    calib::Calibration25 result;
    if (!calib::Compute25Point(Geometry(), rawPoints_, bow, result)) {
        FailDegenerate();
        return;
    }
    WriteValues(result.values);
    WriteMonitorValues(result.record.secMouX, result.record.secMouY);
    SendToDriver(IOCTL_CALIBRATION_25_POINT, &result.record, sizeof result.record);
}

void CCalibrator::WriteMonitorValues(int32_t& secMouX, int32_t& secMouY)
{
    CRegistryKey& key = finder_.Key();
    DWORD segment = 0;
    key.ReadDword(L"Logical Desktop Segment", &segment);
    if (segment != 1 && segment != 2)
        return;

    const HKEY deviceKey = key.AttachedKey();
    const DWORD width = static_cast<DWORD>(desktopRect_.right - desktopRect_.left);
    const DWORD height = static_cast<DWORD>(desktopRect_.bottom - desktopRect_.top);
    DWORD priX = 0, priY = 0;
    {
        CScopedAttach product(key, kProductKeyPath);
        if (segment == 1) {
            WriteProductNumber(key, ProductValueId::PrimaryHeight, height);
            WriteProductNumber(key, ProductValueId::PrimaryWidth, width);
        }
        if (segment == 2) {
            priY = ReadProductNumber(key, ProductValueId::PrimaryHeight);
            priX = ReadProductNumber(key, ProductValueId::PrimaryWidth);
        }
    }
    key.Attach(deviceKey);
    if (segment == 1)
        return;

    const calib::SecondaryScale scale = calib::ComputeSecondaryScale(width, height, priX, priY);
    const DWORD y = static_cast<DWORD>(scale.secMouY);
    const DWORD x = static_cast<DWORD>(scale.secMouX);
    key.WriteDword(L"SecMouY", &y);
    key.WriteDword(L"SecMouX", &x);
    secMouX = scale.secMouX;
    secMouY = scale.secMouY;
}

void CCalibrator::Restore()
{
    if (device_) {
        const calib::DriverRequest end = calib::EndOfRunRequest(calFlag_);
        SendToDriver(end.code, end.input.data(), static_cast<DWORD>(end.input.size()));
    }
    RestoreDisplayOnce();
    touch_.Stop();
}
