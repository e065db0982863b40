#pragma once
// Label keys and built-in texts of the calibration program's message boxes that more than one
// place shows.
namespace calib {

struct LabelText {
    const wchar_t* key;
    const wchar_t* text;
};

// The caption of every box.
inline constexpr LabelText kTitle{L"XML_CALIBRATION_TITLE", L"MAVO Calibration"};
// No device name given and none in the product key, or no device of that name.
inline constexpr LabelText kDeviceNotFound{L"XML_DEVICE_NAME_NOT_FOUND", L"Device name not found in the registry"};

}  // namespace calib
