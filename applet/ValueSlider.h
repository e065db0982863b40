#pragma once
// One value of a page shown twice: by a slider and, as a number, by a static beside it. A
// reversed slider stands at (minimum + maximum - value), so moving its thumb to the right
// lowers the value (a shorter time); the text and the value always hold the value, never the
// position. The pages keep their values (in a device record or in members); this helper only
// moves between value, position and text.
#include <windows.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "SliderCtrl.h"

class CDataExchange;
class CWnd;

struct SliderSpec {
    int sliderId;
    int textId;        // the static that shows the value
    int low;
    int high;
    bool reversed;
    DWORD defaultValue;   // what the page's Defaults button sets
};

class CValueSlider {
public:
    explicit CValueSlider(const SliderSpec& spec) : spec_(spec) {}

    const SliderSpec& Spec() const { return spec_; }
    bool IsSlider(HWND control) const { return control && control == slider_.m_hWnd; }
    bool AtDefault(DWORD value) const { return value == spec_.defaultValue; }

    // Binds the slider and exchanges the value text with its static.
    void Exchange(CDataExchange& dx);
    // The slider's range, without redraw.
    void SetRange();
    // Shows a value: the text says it as it is; the slider stands at its position (at an end
    // when the value lies outside the range).
    void Show(DWORD value);
    // The value the thumb stands at, read back from the slider and its range; the static shows
    // it at once.
    DWORD TakeValue(CWnd& page);

private:
    int PositionOf(long long value) const;

    SliderSpec spec_;
    CSliderCtrl slider_;
    std::wstring text_ = L"0";
};

class CDeviceSettings;

// Sliders that each show one number of the current device's record, for a device page.
class CRecordSliders {
public:
    struct Entry {
        SliderSpec spec;
        DWORD CDeviceSettings::*field;
    };
    explicit CRecordSliders(std::initializer_list<Entry> entries);

    void Exchange(CDataExchange& dx);
    void SetRange();
    // Shows the device's values; a value outside its slider's range is brought into it first.
    // True when one had to be corrected.
    bool Load(CDeviceSettings& device);
    bool AtDefaults(const CDeviceSettings& device) const;
    // The device's values to their defaults, shown.
    void SetDefaults(CDeviceSettings& device);
    // A scroll message of one of the sliders: its value goes into the device (when there is
    // one) and its text. False for any other control.
    bool TakeScroll(HWND control, CWnd& page, CDeviceSettings* device);

private:
    std::vector<std::unique_ptr<CValueSlider>> sliders_;
    std::vector<DWORD CDeviceSettings::*> fields_;
};
