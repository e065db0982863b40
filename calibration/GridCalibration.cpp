// The 9- and 25-point computations share one scheme: a corner map from the four corner touches
// to 1/1024 segment units, an optional bow correction for resistive panels, and one bilinear
// map per grid cell fitted to the corrected points.
#include "CalibrationMath.h"

#include <cmath>

#include "BilinearFit.h"
#include "CheckedMath.h"

namespace calib {

namespace {

// Indexes (0-based, touch order) of the points the corner map and the bow correction use.
struct GridShape {
    int n;   // points per row
    int tl, tr, bl, br;
    int top, left, right, bottom;
};

constexpr GridShape kGrid9 = {3, 0, 2, 6, 8, 1, 3, 5, 7};
constexpr GridShape kGrid25 = {5, 0, 4, 20, 24, 2, 10, 14, 22};

struct GridStage {
    BowValues bow{};
    BilinearMap corner{};
    std::array<IntPoint, 25> corrected{};   // U', V'
    int32_t rotate = 0;
};

bool TruncFloat(float v, int32_t& out) { return TruncToInt32(v, out); }

// The a, b and c terms of one bow: mid is the edge middle and a, b the two corners it lies between,
// all in the coordinate the bow varies with.
bool BowTerms(float bow, int32_t mid, int32_t a, int32_t b, int32_t& ap, int32_t& bp, int32_t& cp)
{
    // mid - a and mid - b are not zero here (checked by the caller).
    const CheckedInt m = mid, ca = a, cb = b;
    const CheckedInt quarter = CheckedInt(4096) / (m - cb);
    const CheckedInt sumDiv = (ca + cb) / (ca - m);
    const CheckedInt prodDiv = (ca * cb) / (m - ca);
    if (!quarter.Ok() || !sumDiv.Ok() || !prodDiv.Ok())
        return false;
    const float slope = bow * 4096.0f / static_cast<float>((m - cb).Value());
    return TruncFloat((bow * 1024.0f / static_cast<float>((m - ca).Value())) * static_cast<float>(quarter.Value()), ap) &&
           TruncFloat(static_cast<float>(sumDiv.Value()) * slope, bp) &&
           TruncFloat(static_cast<float>(prodDiv.Value()) * slope, cp);
}

// Moves one coordinate by the bow correction: c' = trunc(c - w (2 c - plus) / minus), with
// w = (along * bp + cp + (along^2 * ap) / 1024) / 4096.
bool BowCorrect(int32_t c, int32_t along, int32_t ap, int32_t bp, int32_t cp, int32_t plus, int32_t minus,
                int32_t& out)
{
    const CheckedInt v = along;
    const CheckedInt w = (v * bp + cp + (v * v * ap) / 1024) / 4096;
    const CheckedInt lever = CheckedInt(2) * c - plus;
    if (!w.Ok() || !lever.Ok() || minus == 0)
        return false;
    const float shift = static_cast<float>(w.Value()) * static_cast<float>(lever.Value()) / static_cast<float>(minus);
    return TruncFloat(static_cast<float>(c) - shift, out);
}

bool ComputeGridStage(const GridShape& s, const RawPoints& raw, int calibPoint, bool bow, GridStage& st)
{
    const int count = s.n * s.n;
    st.rotate = RotationOf(raw[0], raw[count - 1]);

    const double f1 = 1 - calibPoint * 0.02;
    const double f2 = 1 - calibPoint * 0.01;
    const FitTargets cornerTargets = {static_cast<float>(1024 * f2), static_cast<float>(1024 * f1),
                                      static_cast<float>(1024 * f2), static_cast<float>(1024 * f1), 8192, 1048576};
    if (!FitBilinear(raw[s.tl], raw[s.tr], raw[s.bl], raw[s.br], cornerTargets, st.corner))
        return false;

    std::array<IntPoint, 25> uv{};
    for (int k = 0; k < count; ++k)
        if (!ApplyMap(st.corner, raw[k], 8192, uv[k]))
            return false;

    st.corrected = uv;
    if (!bow)
        return true;

    const IntPoint TL = uv[s.tl], TR = uv[s.tr], BL = uv[s.bl], BR = uv[s.br];
    const IntPoint T = uv[s.top], L = uv[s.left], R = uv[s.right], B = uv[s.bottom];
    if (L.y == TL.y || L.y == BL.y || B.x == BL.x || B.x == BR.x)
        return false;

    const CheckedInt bowXi = ((CheckedInt(TR.x) + BR.x) / 2 - R.x) + (CheckedInt(L.x) - (CheckedInt(TL.x) + BL.x) / 2);
    const CheckedInt bowYi = ((CheckedInt(TL.y) + TR.y) / 2 - T.y) + (CheckedInt(B.y) - (CheckedInt(BL.y) + BR.y) / 2);
    if (!bowXi.Ok() || !bowYi.Ok())
        return false;
    const float bowX = static_cast<float>(bowXi.Value()) * 0.5f;
    const float bowY = static_cast<float>(bowYi.Value()) * 0.5f;

    BowValues& b = st.bow;
    // The X bow varies along V between the left corners, the Y bow along U between the bottom ones.
    if (!BowTerms(bowX, L.y, TL.y, BL.y, b.axP, b.bxP, b.cxP) || !BowTerms(bowY, B.x, BL.x, BR.x, b.ayP, b.byP, b.cyP))
        return false;
    const CheckedInt xPlus = CheckedInt(R.x) + L.x, xMinus = CheckedInt(L.x) - R.x;
    const CheckedInt yPlus = CheckedInt(T.y) + B.y, yMinus = CheckedInt(B.y) - T.y;
    if (!xPlus.ToInt32(b.x4plx6P) || !xMinus.ToInt32(b.x4mix6P) || !yPlus.ToInt32(b.y8ply2P) ||
        !yMinus.ToInt32(b.y8miy2P))
        return false;
    // Left and right (or top and bottom) middles that coincide leave nothing to correct against.
    if (b.x4mix6P == 0 || b.y8miy2P == 0)
        return false;

    for (int k = 0; k < count; ++k) {
        if (!BowCorrect(uv[k].x, uv[k].y, b.axP, b.bxP, b.cxP, b.x4plx6P, b.x4mix6P, st.corrected[k].x) ||
            !BowCorrect(uv[k].y, uv[k].x, b.ayP, b.byP, b.cyP, b.y8ply2P, b.y8miy2P, st.corrected[k].y))
            return false;
    }
    return true;
}

void PushMap(DwordValues& values, const std::wstring& stem, const std::wstring& suffix, const BilinearMap& m)
{
    const int32_t* v = &m.ax;
    for (int i = 0; i < 8; ++i)
        values.push_back({stem + static_cast<wchar_t>(L'a' + i) + suffix, static_cast<DWORD>(v[i])});
}

void PushBow(DwordValues& values, const BowValues& b, const wchar_t* flagName, bool flagAfterEach)
{
    const wchar_t* names[10] = {L"Cal_axP", L"Cal_ayP", L"Cal_bxP", L"Cal_byP", L"Cal_cxP",
                                L"Cal_cyP", L"CAL_x4plx6P", L"CAL_x4mix6P", L"CAL_y8ply2P", L"CAL_y8miy2P"};
    const int32_t* v = &b.axP;
    for (int i = 0; i < 10; ++i) {
        values.push_back({names[i], static_cast<DWORD>(v[i])});
        if (flagAfterEach)
            values.push_back({flagName, 1});
    }
    if (!flagAfterEach)
        values.push_back({flagName, 1});
}

DWORD Dw(int32_t v) { return static_cast<DWORD>(v); }

// The fields both grid records end with: the desktop size, the bow flag and the rotation.
template <typename Record>
void SetGridTrailer(Record& r, const CalibrationGeometry& g, const GridStage& st, bool bow)
{
    r.maxXPixels = g.desktopRect.right - g.desktopRect.left;
    r.maxYPixels = g.desktopRect.bottom - g.desktopRect.top;
    r.bowFlag = bow ? 1 : 0;
    r.rotate = st.rotate;
}

// The values both grid calibrations store last, in this order.
template <typename Record>
void PushGridTrailer(DwordValues& v, const Record& r, const CalibrationGeometry& g)
{
    v.push_back({L"rotate", Dw(r.rotate)});
    v.push_back({L"Max XPixels", Dw(r.maxXPixels)});
    v.push_back({L"Max YPixels", Dw(r.maxYPixels)});
    v.push_back({L"Segment Width", Dw(g.layout.segmentWidth)});
    v.push_back({L"Segment Height", Dw(g.layout.segmentHeight)});
}

}  // namespace

bool Compute9Point(const CalibrationGeometry& g, const RawPoints& raw, bool bow, Calibration9& out)
{
    GridStage st;
    if (!ComputeGridStage(kGrid9, raw, g.calibPoint, bow, st))
        return false;

    CalibrationRecord9 r{};
    if (bow)
        r.bow = st.bow;
    r.corner = st.corner;
    const double f1 = 1 - g.calibPoint * 0.02;
    const float full = 1024.0f;
    const float reduced = static_cast<float>(1024 * f1);
    static const int kCellCorners[4][4] = {{0, 1, 3, 4}, {1, 2, 4, 5}, {3, 4, 6, 7}, {4, 5, 7, 8}};
    for (int cell = 0; cell < 4; ++cell) {
        const int* c = kCellCorners[cell];
        const bool left = cell == 0 || cell == 2;
        const bool top = cell < 2;
        const FitTargets t = {left ? full : reduced, reduced, top ? full : reduced, reduced, 8192, 1048576};
        const auto& p = st.corrected;
        if (!FitBilinear(p[c[0]], p[c[1]], p[c[2]], p[c[3]], t, r.cells[cell]))
            return false;
    }
    r.midX = st.corrected[4].x;
    r.midY = st.corrected[4].y;
    SetGridTrailer(r, g, st, bow);

    DwordValues v;
    v.push_back({L"Mid9X", Dw(r.midX)});
    v.push_back({L"Mid9Y", Dw(r.midY)});
    PushMap(v, L"Cal4", L"", r.corner);
    if (bow)
        PushBow(v, r.bow, L"Cal9CcFlag", true);
    else
        v.push_back({L"Cal9CcFlag", 0});
    for (int cell = 0; cell < 4; ++cell)
        PushMap(v, L"Cal9", std::to_wstring(cell + 1), r.cells[cell]);
    PushGridTrailer(v, r, g);

    out.record = r;
    out.values = std::move(v);
    return true;
}

bool Compute25Point(const CalibrationGeometry& g, const RawPoints& raw, bool bow, Calibration25& out)
{
    GridStage st;
    if (!ComputeGridStage(kGrid25, raw, g.calibPoint, bow, st))
        return false;

    CalibrationRecord25 r{};
    if (bow)
        r.bow = st.bow;
    r.corner = st.corner;
    const double f4 = 1 - g.calibPoint * 0.04;
    const float full = 512.0f;
    const float reduced = static_cast<float>(512 * f4);
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            const int tl = 5 * i + j;   // 0-based: point 5 i + j + 1
            const bool outerCol = j == 0 || j == 3;
            const bool outerRow = i == 0 || i == 3;
            const FitTargets t = {j == 3 ? reduced : full, outerCol ? reduced : full, i == 3 ? reduced : full,
                                  outerRow ? reduced : full, 4096, 524288};
            const auto& p = st.corrected;
            if (!FitBilinear(p[tl], p[tl + 1], p[tl + 5], p[tl + 6], t, r.cells[4 * i + j]))
                return false;
        }
    }
    r.midX = st.corrected[12].x;
    r.midY = st.corrected[12].y;
    r.rightQ = st.corrected[18].x;
    r.leftQ = st.corrected[6].x;
    r.upQ = st.corrected[6].y;
    r.downQ = st.corrected[18].y;
    SetGridTrailer(r, g, st, bow);

    DwordValues v;
    v.push_back({L"MidX", Dw(r.midX)});
    v.push_back({L"MidY", Dw(r.midY)});
    v.push_back({L"RightQ", Dw(r.rightQ)});
    v.push_back({L"LeftQ", Dw(r.leftQ)});
    v.push_back({L"UpQ", Dw(r.upQ)});
    v.push_back({L"DownQ", Dw(r.downQ)});
    PushMap(v, L"Cal4", L"", r.corner);
    if (bow)
        PushBow(v, r.bow, L"Cal25CcFlag", false);
    else
        v.push_back({L"Cal25CcFlag", 0});
    for (int cell = 0; cell < 16; ++cell)
        PushMap(v, L"Cal25", std::to_wstring(cell + 1), r.cells[cell]);
    PushGridTrailer(v, r, g);

    out.record = r;
    out.values = std::move(v);
    return true;
}

}  // namespace calib
