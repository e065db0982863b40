#include "ValueSlider.h"

#include "DataExchange.h"
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
