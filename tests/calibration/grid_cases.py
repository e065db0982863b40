# Cases of the grid tables: `python3 calibration_model.py < grid_cases.py > GridCalibrationCases.inc`
# prints the C++ table rows that GridCases.cpp includes (the table tests and the end-to-end runs).
import math

def centres(seg, n, cp):
    (L, T, W, H), t = layout(seg, 32, 32, cp, n)
    return [(x + 16 + L, y + 16 + T) for x, y in t]

def rot(sx, sy, deg, cx=640, cy=512):
    a = math.radians(deg)
    dx, dy = sx - cx, sy - cy
    return (2000 + int(round(3 * (dx * math.cos(a) - dy * math.sin(a)))),
            2000 + int(round(3 * (dx * math.sin(a) + dy * math.cos(a)))))

def bowed(sx, sy):
    nx, ny = (sx - 640) / 640, (sy - 512) / 512
    return (200 + 3 * sx + int(60 * nx * (1 - ny * ny)), 3900 - 3 * sy + int(-60 * ny * (1 - nx * nx)))

D = (0, 0, 1280, 1024)
cases = []
for n in (9, 25):
    c1 = centres(D, n, 1)
    c5 = centres(D, n, 5)
    cases += [
        (n, 'ExactGrid', 1, False, [(200 + 3 * x, 3900 - 3 * y) for x, y in c1]),
        (n, 'ExactGridWithBow', 1, True, [(200 + 3 * x, 3900 - 3 * y) for x, y in c1]),
        (n, 'Skewed', 1, False, [(300 + 3 * x + y // 4, 3800 - 3 * y + x // 8) for x, y in c1]),
        (n, 'SkewedMargin5', 5, False, [(300 + 3 * x + y // 4, 3800 - 3 * y + x // 8) for x, y in c5]),
        (n, 'Rotated10Degrees', 1, False, [rot(x, y, 10) for x, y in c1]),
        (n, 'BowedPanel', 1, True, [bowed(x, y) for x, y in c1]),
        (n, 'RawYDownward', 1, True, [(150 + 3 * x, 100 + 3 * y) for x, y in c1]),
        (n, 'MirroredX', 1, False, [(4000 - 3 * x, 3900 - 3 * y) for x, y in c1]),
        (n, 'WideRawRange', 1, False, [(5000 + 700 * x, 5000 + 700 * y) for x, y in c1]),
        (n, 'WideRawRangeBowed', 1, True, [(5000 + 700 * x + (30000 if 0 < x < 1200 and 100 < y < 900 else 0), 5000 + 700 * y) for x, y in c1]),
    ]
    same = [(1000, 1000)] * n
    cases.append((n, 'AllTouchesAtOnePoint', 1, False, same))
    line = [(100 + 3 * x, 100 + 3 * x) for x, y in c1]
    cases.append((n, 'TouchesOnOneLine', 1, False, line))
    left = 3 if n == 9 else 10
    right = 5 if n == 9 else 14
    tl = [(200 + 3 * x, 3900 - 3 * y) for x, y in c1]
    tl[left] = tl[0]
    cases.append((n, 'LeftMiddleOnTopLeftCorner', 1, True, tl))
    mid = [(200 + 3 * x, 3900 - 3 * y) for x, y in c1]
    mid[right] = mid[left]
    cases.append((n, 'LeftAndRightMiddleCoincide', 1, True, mid))
    near = [(200 + 3 * x, 3900 - 3 * y) for x, y in c1]
    bl = 6 if n == 9 else 20
    near[bl] = (near[0][0], near[0][1] - 1)  # bottom-left corner one unit below the top-left one
    cases.append((n, 'BottomLeftNextToTopLeft', 1, False, near))

for n, name, cp, bow, raw in cases:
    try:
        rec = nine(raw, cp, bow, (1280, 1024)) if n == 9 else twentyfive(raw, cp, bow, (1280, 1024))
        ok = 'true'
    except (Degenerate, ValueError, ZeroDivisionError) as e:
        rec, ok = [], 'false'
    pts = ', '.join('{%d, %d}' % p for p in raw)
    vals = ', '.join(str(v) for v in rec)
    print('    {"%s", %d, %d, %s, {%s}, %s, {%s}},' % (name, n, cp, 'true' if bow else 'false', pts, ok, vals))
