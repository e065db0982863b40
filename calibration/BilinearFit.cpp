#include "BilinearFit.h"

#include <cmath>

#include "CheckedMath.h"

namespace calib {

namespace {

// One row of the 3 x 3 system: coefficients of a, b, c.
struct Row {
    float du, dv, duv;
};

float Det3(const Row& r1, const Row& r2, const Row& r3)
{
    return r1.du * (r2.dv * r3.duv - r2.duv * r3.dv) - r1.dv * (r2.du * r3.duv - r2.duv * r3.du) +
           r1.duv * (r2.du * r3.dv - r2.dv * r3.du);
}

// Differences of coordinates and of the products u v between two points. The products can
// exceed 32 bits for wide raw ranges, so they are formed in 64 bits before going to float.
Row Difference(const IntPoint& p, const IntPoint& q)
{
    const int64_t du = static_cast<int64_t>(p.x) - q.x;
    const int64_t dv = static_cast<int64_t>(p.y) - q.y;
    const int64_t duv = static_cast<int64_t>(p.x) * p.y - static_cast<int64_t>(q.x) * q.y;
    return {static_cast<float>(du), static_cast<float>(dv), static_cast<float>(duv)};
}

// Solves r1 = 0, r2 = 0, r3 = span for (a, b, c) by Cramer's rule.
bool Solve(const Row& r1, const Row& r2, const Row& r3, float span, float& a, float& b, float& c)
{
    const float det = Det3(r1, r2, r3);
    if (det == 0.0f || !std::isfinite(det))
        return false;
    const float zero = 0.0f;
    a = Det3({zero, r1.dv, r1.duv}, {zero, r2.dv, r2.duv}, {span, r3.dv, r3.duv}) / det;
    b = Det3({r1.du, zero, r1.duv}, {r2.du, zero, r2.duv}, {r3.du, span, r3.duv}) / det;
    c = Det3({r1.du, r1.dv, zero}, {r2.du, r2.dv, zero}, {r3.du, r3.dv, span}) / det;
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c);
}

bool Scaled(float v, int32_t scale, int32_t& out)
{
    const float product = v * static_cast<float>(scale);
    return TruncToInt32(product, out);
}

}  // namespace

bool TruncToInt32(double v, int32_t& out)
{
    if (!std::isfinite(v))
        return false;
    const double t = std::trunc(v);
    if (t < -2147483648.0 || t > 2147483647.0)
        return false;
    out = static_cast<int32_t>(t);
    return true;
}

bool FitBilinear(const IntPoint& tl, const IntPoint& tr, const IntPoint& bl, const IntPoint& br, const FitTargets& t,
                 BilinearMap& out)
{
    float a, b, c, a2, b2, c2;
    // X: equal on the left corners, equal on the right corners, xSpan from left to right.
    if (!Solve(Difference(tl, bl), Difference(br, tr), Difference(tr, tl), t.xSpan, a, b, c))
        return false;
    // Y: equal on the top corners, equal on the bottom corners, ySpan from top to bottom.
    if (!Solve(Difference(tl, tr), Difference(br, bl), Difference(bl, tl), t.ySpan, a2, b2, c2))
        return false;

    const float u = static_cast<float>(br.x);
    const float v = static_cast<float>(br.y);
    const float uv = static_cast<float>(static_cast<int64_t>(br.x) * br.y);
    const float d = t.xRight - a * u - b * v - c * uv;
    const float d2 = t.yBottom - a2 * u - b2 * v - c2 * uv;

    return Scaled(a, t.k, out.ax) && Scaled(b, t.k, out.bx) && Scaled(c, t.kc, out.cx) && Scaled(d, t.k, out.dx) &&
           Scaled(a2, t.k, out.ay) && Scaled(b2, t.k, out.by) && Scaled(c2, t.kc, out.cy) && Scaled(d2, t.k, out.dy);
}

bool ApplyMap(const BilinearMap& m, const IntPoint& p, int32_t k, IntPoint& out)
{
    const CheckedInt u = p.x;
    const CheckedInt v = p.y;
    const CheckedInt x = (u * m.ax + v * m.bx + m.dx + (u * v * m.cx) / 128) / k;
    const CheckedInt y = (u * m.ay + v * m.by + m.dy + (u * v * m.cy) / 128) / k;
    return x.ToInt32(out.x) && y.ToInt32(out.y);
}

}  // namespace calib
