#include "CalibrationMath.h"

#include "BilinearFit.h"

namespace calib {

namespace {
// Record point 1..4 (bottom-right, top-right, top-left, bottom-left) by touch index.
constexpr int kTouchOfRecordPoint[4] = {3, 1, 0, 2};
}  // namespace

Calibration4 Compute4Point(const CalibrationGeometry& g, const RawPoints& raw)
{
    Calibration4 c;
    CalibrationRecord4& r = c.record;
    // Points on the secondary monitor are relative to that monitor's top-left corner.
    const bool secondary = g.segmentIndex == kSecondaryMonitorSegment;
    const int32_t originLeft = secondary ? 0 : g.layout.segmentLeft;
    const int32_t originTop = secondary ? 0 : g.layout.segmentTop;
    for (int i = 0; i < 4; ++i) {
        const int touch = kTouchOfRecordPoint[i];
        r.rawX[i] = raw[touch].x;
        r.rawY[i] = raw[touch].y;
        const IntPoint s = ScreenPointOf(g.layout.targets[touch], g.targetWidth, g.targetHeight, originLeft, originTop);
        r.screenX[i] = s.x;
        r.screenY[i] = s.y;
    }
    r.maxXPixels = g.desktopRect.right - g.desktopRect.left;
    r.maxYPixels = g.desktopRect.bottom - g.desktopRect.top;

    const struct {
        const wchar_t* prefix;
        const int32_t* values;
    } groups[] = {{L"Cal_X", r.rawX}, {L"Cal_Y", r.rawY}, {L"Cal_M", r.screenX}, {L"Cal_N", r.screenY}};
    for (const auto& grp : groups)
        for (int i = 0; i < 4; ++i)
            c.values.push_back({grp.prefix + std::to_wstring(i + 1), static_cast<DWORD>(grp.values[i])});
    c.values.push_back({L"Max XPixels", static_cast<DWORD>(r.maxXPixels)});
    c.values.push_back({L"Max YPixels", static_cast<DWORD>(r.maxYPixels)});
    c.values.push_back({L"Segment Width", static_cast<DWORD>(g.layout.segmentWidth)});
    c.values.push_back({L"Segment Height", static_cast<DWORD>(g.layout.segmentHeight)});
    return c;
}

SecondaryScale ComputeSecondaryScale(DWORD width, DWORD height, DWORD priXmax, DWORD priYmax)
{
    if (priXmax == 0)
        priXmax = 1024;
    if (priYmax == 0)
        priYmax = 768;
    auto scale = [](DWORD size, DWORD primary) {
        int32_t v = 0;
        if (!TruncToInt32(size * 100.0 / primary + 0.5, v))
            v = 0;   // no monitor is that large; treated like a missing size
        return v == 0 ? 100 : v;
    };
    return {scale(width, priXmax), scale(height, priYmax)};
}

int32_t RotationOf(const IntPoint& first, const IntPoint& last)
{
    if (first.x < last.x)
        return last.y < first.y ? 0 : 3;
    return last.y < first.y ? 1 : 2;
}

}  // namespace calib
