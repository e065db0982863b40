#include "ValueSlider.h"

#include "DataExchange.h"
#include "DevicePage.h"
#include "DeviceSettings.h"
#include "Wnd.h"

void CValueSlider::Exchange(CDataExchange& dx)
{
    DDX_Control(dx, spec_.sliderId, slider_);
    DDX_Text(dx, spec_.textId, text_);
}

void CValueSlider::SetRange() { slider_.SetRange(spec_.low, spec_.high, false); }

int CValueSlider::PositionOf(long long value) const
{
    long long position = spec_.reversed ? spec_.low + spec_.high - value : value;
    if (position < spec_.low)
        return spec_.low;
    if (position > spec_.high)
        return spec_.high;
    return static_cast<int>(position);
}

void CValueSlider::Show(DWORD value)
{
    text_ = std::to_wstring(value);
    slider_.SetPos(PositionOf(value));
}

DWORD CValueSlider::TakeValue(CWnd& page)
{
    const int position = slider_.GetPos();
    const int value = spec_.reversed ? slider_.GetRangeMin() + slider_.GetRangeMax() - position : position;
    text_ = std::to_wstring(value);
    page.SetDlgItemText(spec_.textId, text_);
    return static_cast<DWORD>(value);
}

CRecordSliders::CRecordSliders(std::initializer_list<Entry> entries)
{
    for (const Entry& entry : entries) {
        sliders_.push_back(std::make_unique<CValueSlider>(entry.spec));
        fields_.push_back(entry.field);
    }
}

void CRecordSliders::Exchange(CDataExchange& dx)
{
    for (auto& slider : sliders_)
        slider->Exchange(dx);
}

void CRecordSliders::SetRange()
{
    for (auto& slider : sliders_)
        slider->SetRange();
}

bool CRecordSliders::Load(CDeviceSettings& device)
{
    bool corrected = false;
    for (size_t i = 0; i < sliders_.size(); ++i) {
        DWORD& value = device.*fields_[i];
        const SliderSpec& spec = sliders_[i]->Spec();
        corrected |= ClampValue(value, static_cast<DWORD>(spec.low), static_cast<DWORD>(spec.high));
        sliders_[i]->Show(value);
    }
    return corrected;
}

bool CRecordSliders::AtDefaults(const CDeviceSettings& device) const
{
    for (size_t i = 0; i < sliders_.size(); ++i)
        if (!sliders_[i]->AtDefault(device.*fields_[i]))
            return false;
    return true;
}

void CRecordSliders::SetDefaults(CDeviceSettings& device)
{
    for (size_t i = 0; i < sliders_.size(); ++i) {
        device.*fields_[i] = sliders_[i]->Spec().defaultValue;
        sliders_[i]->Show(device.*fields_[i]);
    }
}

bool CRecordSliders::TakeScroll(HWND control, CWnd& page, CDeviceSettings* device)
{
    for (size_t i = 0; i < sliders_.size(); ++i) {
        if (!sliders_[i]->IsSlider(control))
            continue;
        const DWORD value = sliders_[i]->TakeValue(page);
        if (device)
            device->*fields_[i] = value;
        return true;
    }
    return false;
}
