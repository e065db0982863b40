#!/usr/bin/env python3
"""Independent model of the calibration arithmetic, used to work out the expected values that
the C++ tests hold in their tables. Single-precision steps are modelled by rounding every
operation's exact result to the nearest float32 (exact for +, -, *, / of float32 operands)."""
import math
import struct
import sys


def f32(x):
    return struct.unpack('<f', struct.pack('<f', x))[0]


def tdiv(a, b):
    """Integer division truncating toward zero."""
    q = abs(a) // abs(b)
    return q if (a >= 0) == (b >= 0) else -q


def trunc(x):
    if math.isnan(x) or math.isinf(x):
        raise ValueError('non-finite')
    t = int(x)  # Python int() truncates toward zero
    if t < -2**31 or t > 2**31 - 1:
        raise ValueError('out of range')
    return t


class Degenerate(Exception):
    pass


def det3(r1, r2, r3):
    # a11(a22 a33 - a23 a32) - a12(a21 a33 - a23 a31) + a13(a21 a32 - a22 a31), each step in float32
    m = lambda a, b: f32(a * b)
    s = lambda a, b: f32(a - b)
    t1 = m(r1[0], s(m(r2[1], r3[2]), m(r2[2], r3[1])))
    t2 = m(r1[1], s(m(r2[0], r3[2]), m(r2[2], r3[0])))
    t3 = m(r1[2], s(m(r2[0], r3[1]), m(r2[1], r3[0])))
    return f32(f32(t1 - t2) + t3)


def diff(p, q):
    return (f32(p[0] - q[0]), f32(p[1] - q[1]), f32(p[0] * p[1] - q[0] * q[1]))


def solve(r1, r2, r3, span):
    det = det3(r1, r2, r3)
    if det == 0.0:
        raise Degenerate('zero determinant')
    a = f32(det3((0.0, r1[1], r1[2]), (0.0, r2[1], r2[2]), (span, r3[1], r3[2])) / det)
    b = f32(det3((r1[0], 0.0, r1[2]), (r2[0], 0.0, r2[2]), (r3[0], span, r3[2])) / det)
    c = f32(det3((r1[0], r1[1], 0.0), (r2[0], r2[1], 0.0), (r3[0], r3[1], span)) / det)
    return a, b, c


def fit(tl, tr, bl, br, xr, sx, yb, sy, k, kc):
    xr, sx, yb, sy = f32(xr), f32(sx), f32(yb), f32(sy)
    a, b, c = solve(diff(tl, bl), diff(br, tr), diff(tr, tl), sx)
    a2, b2, c2 = solve(diff(tl, tr), diff(br, bl), diff(bl, tl), sy)
    u, v, uv = f32(br[0]), f32(br[1]), f32(br[0] * br[1])
    d = f32(f32(f32(xr - f32(a * u)) - f32(b * v)) - f32(c * uv))
    d2 = f32(f32(f32(yb - f32(a2 * u)) - f32(b2 * v)) - f32(c2 * uv))
    K, KC = f32(k), f32(kc)
    return [trunc(f32(a * K)), trunc(f32(b * K)), trunc(f32(c * KC)), trunc(f32(d * K)),
            trunc(f32(a2 * K)), trunc(f32(b2 * K)), trunc(f32(c2 * KC)), trunc(f32(d2 * K))]


def apply(m, p, k):
    u, v = p
    x = tdiv(u * m[0] + v * m[1] + m[3] + tdiv(u * v * m[2], 128), k)
    y = tdiv(u * m[4] + v * m[5] + m[7] + tdiv(u * v * m[6], 128), k)
    if not all(-2**31 <= c < 2**31 for c in (x, y)):
        raise ValueError('corrected point out of range')
    return (x, y)


def rotation(first, last):
    if first[0] < last[0]:
        return 0 if last[1] < first[1] else 3
    return 1 if last[1] < first[1] else 2


def bow_terms(bow, mid, a, b):
    quarter = tdiv(4096, mid - b)
    slope = f32(f32(bow * 4096.0) / f32(mid - b))
    ap = trunc(f32(f32(f32(bow * 1024.0) / f32(mid - a)) * f32(quarter)))
    bp = trunc(f32(f32(tdiv(a + b, a - mid)) * slope))
    cp = trunc(f32(f32(tdiv(a * b, mid - a)) * slope))
    return ap, bp, cp


def bow_correct(c, along, ap, bp, cp, plus, minus):
    w = tdiv(along * bp + cp + tdiv(along * along * ap, 1024), 4096)
    shift = f32(f32(f32(w) * f32(2 * c - plus)) / f32(minus))
    return trunc(f32(f32(c) - shift))


def grid_stage(n, raw, calib_point, bow, tl, tr, bl, br, top, left, right, bottom):
    count = n * n
    rotate = rotation(raw[0], raw[count - 1])
    f1 = 1 - calib_point * 0.02
    f2 = 1 - calib_point * 0.01
    corner = fit(raw[tl], raw[tr], raw[bl], raw[br], 1024 * f2, 1024 * f1, 1024 * f2, 1024 * f1, 8192, 1048576)
    uv = [apply(corner, raw[k], 8192) for k in range(count)]
    bowv = [0] * 10
    if not bow:
        return rotate, corner, uv, bowv
    TL, TR, BL, BR = uv[tl], uv[tr], uv[bl], uv[br]
    T, L, R, B = uv[top], uv[left], uv[right], uv[bottom]
    if L[1] == TL[1] or L[1] == BL[1] or B[0] == BL[0] or B[0] == BR[0]:
        raise Degenerate('bow input')
    bowX = f32((tdiv(TR[0] + BR[0], 2) - R[0] + (L[0] - tdiv(TL[0] + BL[0], 2))) * 0.5)
    bowY = f32((tdiv(TL[1] + TR[1], 2) - T[1] + (B[1] - tdiv(BL[1] + BR[1], 2))) * 0.5)
    axP, bxP, cxP = bow_terms(bowX, L[1], TL[1], BL[1])
    ayP, byP, cyP = bow_terms(bowY, B[0], BL[0], BR[0])
    xplus, xminus = R[0] + L[0], L[0] - R[0]
    yplus, yminus = T[1] + B[1], B[1] - T[1]
    if xminus == 0 or yminus == 0:
        raise Degenerate('middles coincide')
    bowv = [axP, ayP, bxP, byP, cxP, cyP, xplus, xminus, yplus, yminus]
    out = [(bow_correct(p[0], p[1], axP, bxP, cxP, xplus, xminus),
            bow_correct(p[1], p[0], ayP, byP, cyP, yplus, yminus)) for p in uv]
    return rotate, corner, out, bowv


def nine(raw, calib_point, bow, desktop_wh):
    rotate, corner, p, bowv = grid_stage(3, raw, calib_point, bow, 0, 2, 6, 8, 1, 3, 5, 7)
    f1 = 1 - calib_point * 0.02
    full, reduced = 1024.0, 1024 * f1
    cells = []
    for cell, c in enumerate([(0, 1, 3, 4), (1, 2, 4, 5), (3, 4, 6, 7), (4, 5, 7, 8)]):
        left, topc = cell in (0, 2), cell < 2
        cells += fit(p[c[0]], p[c[1]], p[c[2]], p[c[3]], full if left else reduced, reduced,
                     full if topc else reduced, reduced, 8192, 1048576)
    rec = bowv + corner + cells + [p[4][0], p[4][1], desktop_wh[0], desktop_wh[1], 1 if bow else 0, rotate, 0, 0]
    assert len(rec) == 58
    return rec


def twentyfive(raw, calib_point, bow, desktop_wh):
    rotate, corner, p, bowv = grid_stage(5, raw, calib_point, bow, 0, 4, 20, 24, 2, 10, 14, 22)
    f4 = 1 - calib_point * 0.04
    full, reduced = 512.0, 512 * f4
    cells = []
    for i in range(4):
        for j in range(4):
            tl = 5 * i + j
            outer_c, outer_r = j in (0, 3), i in (0, 3)
            cells += fit(p[tl], p[tl + 1], p[tl + 5], p[tl + 6], reduced if j == 3 else full, reduced if outer_c else full,
                         reduced if i == 3 else full, reduced if outer_r else full, 4096, 524288)
    rec = bowv + corner + cells + [p[12][0], p[12][1], p[18][0], p[6][0], p[6][1], p[18][1],
                                   desktop_wh[0], desktop_wh[1], 1 if bow else 0, rotate, 0, 0]
    assert len(rec) == 158
    return rec


# ---- layout ----
def layout(seg, tw, th, calib_point, cal_flag):
    L, T, R, B = seg
    W, H = R - L, B - T
    bw, bh = tdiv(tw, 2), tdiv(th, 2)
    mx, my = W * calib_point * 0.01, H * calib_point * 0.01
    if cal_flag == 25:
        cols = [int(mx - bw), tdiv(W, 4) - bw, tdiv(W, 2) - bw, tdiv(3 * W, 4) - bw, int((W - bw) - mx)]
        rows = [int(my - bh), tdiv(H, 4) - bh, tdiv(H, 2) - bh, tdiv(3 * H, 4) - bh, int((H - bh) - my)]
    elif cal_flag == 9:
        cols = [int(mx - bw), tdiv(W, 2) - bw, int((W - bw) - mx)]
        rows = [int(my - bh), tdiv(H, 2) - bh, int((H - bh) - my)]
    else:
        cols = [int(W * 0.12 - bw), int((W - bw) - W * 0.12)]
        rows = [int(H * 0.12 - bh), int((H - bh) - H * 0.12)]
    return (L, T, W, H), [(c, r) for r in rows for c in cols]


def panel(points, fx, fy):
    """Raw points of a panel: each screen point (in 1/1024 units) mapped by fx, fy."""
    return [(fx(x, y), fy(x, y)) for (x, y) in points]


if __name__ == '__main__':
    exec(sys.stdin.read())
