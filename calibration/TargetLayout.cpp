#include "TargetLayout.h"

namespace calib {

namespace {
// Conversion of a margin position to pixels truncates toward zero, as a plain cast does.
int32_t Trunc(double v) { return static_cast<int32_t>(v); }
}  // namespace

bool DesktopSegmentRect(int index, const RECT& d, RECT& out)
{
    const LONG w = d.right - d.left;
    const LONG h = d.bottom - d.top;
    switch (index) {
    case 0: out = {d.left, d.top, d.right, d.bottom}; return true;
    case 3: out = {d.left, d.top, w / 2, d.bottom}; return true;
    case 4: out = {w / 2, d.top, d.right, d.bottom}; return true;
    case 5: out = {d.left, d.top, w / 3, d.bottom}; return true;
    case 6: out = {w / 3, d.top, (2 * w) / 3, d.bottom}; return true;
    case 7: out = {(2 * w) / 3, d.top, d.right, d.bottom}; return true;
    case 8: out = {d.left, d.top, d.right, h / 2}; return true;
    case 9: out = {d.left, h / 2, d.right, d.bottom}; return true;
    case 10: out = {d.left, d.top, w / 4, d.bottom}; return true;
    case 11: out = {(3 * w) / 4, d.top, d.right, d.bottom}; return true;
    case 12: out = {d.left, d.top, w / 2, h / 2}; return true;
    case 13: out = {w / 2, d.top, d.right, h / 2}; return true;
    case 14: out = {d.left, h / 2, w / 2, d.bottom}; return true;
    case 15: out = {w / 2, h / 2, d.right, d.bottom}; return true;
    default: return false;
    }
}

int PointCount(int calFlag) { return calFlag == 25 || calFlag == 9 ? calFlag : 4; }

TargetLayout LayoutTargets(const RECT& segment, int targetWidth, int targetHeight, int calibPoint, int calFlag)
{
    TargetLayout t;
    const int32_t W = segment.right - segment.left;
    const int32_t H = segment.bottom - segment.top;
    t.segmentLeft = segment.left;
    t.segmentTop = segment.top;
    t.segmentWidth = W;
    t.segmentHeight = H;
    const int32_t bw = targetWidth / 2;
    const int32_t bh = targetHeight / 2;
    const double mx = W * calibPoint * 0.01;
    const double my = H * calibPoint * 0.01;

    if (calFlag == 25 || calFlag == 9) {
        std::array<int32_t, 5> cols{};
        std::array<int32_t, 5> rows{};
        int n = 0;
        if (calFlag == 25) {
            cols = {Trunc(mx - bw), W / 4 - bw, W / 2 - bw, (3 * W) / 4 - bw, Trunc((W - bw) - mx)};
            rows = {Trunc(my - bh), H / 4 - bh, H / 2 - bh, (3 * H) / 4 - bh, Trunc((H - bh) - my)};
            n = 5;
        } else {
            cols = {Trunc(mx - bw), W / 2 - bw, Trunc((W - bw) - mx)};
            rows = {Trunc(my - bh), H / 2 - bh, Trunc((H - bh) - my)};
            n = 3;
        }
        for (int r = 0; r < n; ++r)
            for (int c = 0; c < n; ++c)
                t.targets[r * n + c] = {cols[c], rows[r]};
        return t;
    }

    const double m4x = W * 0.12;
    const double m4y = H * 0.12;
    const int32_t left = Trunc(m4x - bw);
    const int32_t right = Trunc((W - bw) - m4x);
    const int32_t top = Trunc(m4y - bh);
    const int32_t bottom = Trunc((H - bh) - m4y);
    t.targets[0] = {left, top};
    t.targets[1] = {right, top};
    t.targets[2] = {left, bottom};
    t.targets[3] = {right, bottom};
    return t;
}

IntPoint ScreenPointOf(const IntPoint& corner, int targetWidth, int targetHeight, int32_t originLeft, int32_t originTop)
{
    return {corner.x + targetWidth / 2 + originLeft, corner.y + targetHeight / 2 + originTop};
}

}  // namespace calib
