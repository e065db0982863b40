#pragma once
// Label keys and built-in texts of the calibration program's message boxes that more than one
// place shows.
namespace calib {

// The caption of every box.
inline constexpr wchar_t kTitleKey[] = L"XML_CALIBRATION_TITLE";
inline constexpr wchar_t kDefaultTitle[] = L"MAVO Calibration";

// No device name given and none in the product key, or no device of that name.
inline constexpr wchar_t kDeviceNotFoundKey[] = L"XML_DEVICE_NAME_NOT_FOUND";
inline constexpr wchar_t kDeviceNotFoundText[] = L"Device name not found in the registry";

}  // namespace calib
