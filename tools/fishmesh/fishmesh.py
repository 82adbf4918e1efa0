#!/usr/bin/env python3
"""Builds the ten vertex tables of the main fish and prints them as C++ (src/tank/fish/FishMeshTables.cpp).

Usage: python3 tools/fishmesh/fishmesh.py > src/tank/fish/FishMeshTables.cpp

Model space: x along the body with the head at -x, y lateral (only the y <= 0 half is stored),
z up. The fish is a deep-bodied, laterally flattened reef fish: a tall disc of a body, a small
snout with a protruding lower jaw, a high front dorsal fin that runs into a low soft one, a
matching anal fin, long pelvic fins, paddle-shaped pectoral fins and a crescent tail.

Texture coordinates are a side projection: s follows x and t follows z, so the species skin is
painted as a side view of the fish (tools/assetgen/FishSkins.cpp uses the same mapping).
"""

import math
import sys

# The side projection shared with the skin generator.
S_ORIGIN, S_SPAN = -0.52, 1.04
T_ORIGIN, T_SPAN = -0.24, 0.48


# The pectoral fins lie over the flank in the side view; their skin is painted in the free
# corner above the snout instead, this far away from where the fins are.
PECTORAL_SKIN_SHIFT = (-0.28, 0.20)


def tex(x, z):
    return ((x - S_ORIGIN) / S_SPAN, (z - T_ORIGIN) / T_SPAN)


def sub(a, b):
    return (a[0] - b[0], a[1] - b[1], a[2] - b[2])


def cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def dot(a, b):
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]


def unit(v):
    n = math.sqrt(dot(v, v))
    return (v[0] / n, v[1] / n, v[2] / n) if n > 0 else (0.0, -1.0, 0.0)


def lerp(a, b, t):
    return a + (b - a) * t


# ---------------------------------------------------------------- body profile
STATIONS = [-0.462, -0.397, -0.301, -0.233, -0.153, -0.045, 0.076, 0.184, 0.265, 0.332]
TOP = [-0.020, 0.040, 0.084, 0.100, 0.107, 0.105, 0.093, 0.066, 0.036, 0.022]
BOTTOM = [-0.082, -0.112, -0.124, -0.126, -0.126, -0.123, -0.110, -0.084, -0.048, -0.030]
HALF_WIDTH = [0.021, 0.034, 0.055, 0.066, 0.071, 0.069, 0.058, 0.040, 0.022, 0.010]
# Cross-section angle of the five rows, from the dorsal ridge (0) to the belly ridge (pi).
ROW_ANGLES = [0.0, math.pi / 4, math.pi / 2, 3 * math.pi / 4, math.pi]


def profile(values, x):
    """Piecewise-cubic (Catmull-Rom) interpolation of a station table."""
    xs = STATIONS
    if x <= xs[0]:
        i = 0
    elif x >= xs[-1]:
        i = len(xs) - 2
    else:
        i = max(k for k in range(len(xs) - 1) if xs[k] <= x)
    t = (x - xs[i]) / (xs[i + 1] - xs[i])
    p0 = values[max(i - 1, 0)]
    p1, p2 = values[i], values[i + 1]
    p3 = values[min(i + 2, len(values) - 1)]
    return 0.5 * ((2 * p1) + (-p0 + p2) * t + (2 * p0 - 5 * p1 + 4 * p2 - p3) * t * t +
                  (-p0 + 3 * p1 - 3 * p2 + p3) * t * t * t)


def top_at(x):
    return profile(TOP, x)


def bottom_at(x):
    return profile(BOTTOM, x)


def body_point(x, theta):
    top, bottom, w = profile(TOP, x), profile(BOTTOM, x), profile(HALF_WIDTH, x)
    centre, half = (top + bottom) / 2, (top - bottom) / 2
    return (x, -w * math.sin(theta), centre + half * math.cos(theta))


def body_normal(x, theta):
    h = 1e-4
    dx = sub(body_point(x + h, theta), body_point(x - h, theta))
    dt = sub(body_point(x, theta + h), body_point(x, theta - h))
    n = unit(cross(dx, dt))
    # Outward: away from the body's axis.
    p = body_point(x, theta)
    centre = (x, 0.0, (top_at(x) + bottom_at(x)) / 2)
    if dot(n, sub(p, centre)) < 0:
        n = (-n[0], -n[1], -n[2])
    return n


def body():
    rows = []
    for theta in ROW_ANGLES:
        row = []
        for x in STATIONS:
            p = body_point(x, theta)
            row.append((p, body_normal(x, theta)))
        rows.append(row)
    return rows


# ---------------------------------------------------------------- helpers for the other parts
def grid_normals(points, outward):
    """Normals of a rows x columns grid from its neighbours, turned by `outward(p, n)`."""
    rows, cols = len(points), len(points[0])
    result = []
    for r in range(rows):
        line = []
        for c in range(cols):
            a = points[r][min(c + 1, cols - 1)]
            b = points[r][max(c - 1, 0)]
            d = points[min(r + 1, rows - 1)][c]
            e = points[max(r - 1, 0)][c]
            n = unit(cross(sub(a, b), sub(d, e)))
            line.append(outward(points[r][c], n))
        result.append(line)
    return result


def facing_minus_y(p, n):
    return n if n[1] <= 0 else (-n[0], -n[1], -n[2])


def sheet(points, normal=(0.0, -1.0, 0.0)):
    return [[(p, normal) for p in row] for row in points]


def with_normals(points, outward):
    normals = grid_normals(points, outward)
    return [list(zip(points[r], normals[r])) for r in range(len(points))]


def linspace(a, b, n):
    return [a + (b - a) * i / (n - 1) for i in range(n)]


# ---------------------------------------------------------------- jaws
def jaw(tip_x, hinge_x, top, side, bottom, side_width):
    """Three rows: the side (row 1), the midline above (row 2), the midline below (row 3).
    Each of top/side/bottom is (z at the tip, z at the hinge); columns run tip to hinge."""
    xs = linspace(tip_x, hinge_x, 5)
    rows = [[], [], []]
    for c, x in enumerate(xs):
        u = c / 4
        w = side_width * (0.12 + 0.88 * math.sqrt(u))
        rows[0].append((x, -w, lerp(side[0], side[1], u)))
        rows[1].append((x, 0.0, lerp(top[0], top[1], u)))
        rows[2].append((x, 0.0, lerp(bottom[0], bottom[1], u)))
    mid_z = (top[0] + bottom[1]) / 2

    def outward(p, n):
        away = (0.0, p[1], p[2] - mid_z)
        if p[1] == 0.0:
            away = (0.0, 0.0, p[2] - mid_z)
        return n if dot(n, away) >= 0 else (-n[0], -n[1], -n[2])

    # Normals from the grid in surface order (top, side, bottom); the table's row order is
    # side, top midline, bottom midline.
    top_row, side_row, bottom_row = with_normals([rows[1], rows[0], rows[2]], outward)
    return [side_row, top_row, bottom_row]


def upper_jaw():
    return jaw(-0.486, -0.456, top=(-0.040, -0.026), side=(-0.049, -0.044),
               bottom=(-0.057, -0.064), side_width=0.036)


def lower_jaw():
    return jaw(-0.500, -0.457, top=(-0.061, -0.054), side=(-0.069, -0.067),
               bottom=(-0.076, -0.085), side_width=0.034)


# ---------------------------------------------------------------- fins
def dorsal_front():
    n = 11
    base, edge = [], []
    for i in range(n):
        u = i / (n - 1)
        x = lerp(-0.179, 0.013, u)
        z = top_at(x) - 0.006
        # A spiny front that rises steeply, peaks a third of the way back and sweeps down.
        rise = math.sin(min(u / 0.3, 1.0) * math.pi / 2) ** 0.8
        fall = 1.0 if u <= 0.3 else 1.0 - 0.5 * ((u - 0.3) / 0.7) ** 1.3
        height = (0.221 - z) * rise * fall
        base.append((x, 0.0, z))
        edge.append((x + 0.03 * math.sin(math.pi * u), 0.0, z + max(height, 0.004)))
    return sheet([base, edge])


def dorsal_rear():
    base = [(x, 0.0, top_at(x) - 0.006) for x in linspace(0.026, 0.212, 6)]
    edge = [(0.045, 0.0, 0.112), (0.105, 0.0, 0.111), (0.160, 0.0, 0.104),
            (0.205, 0.0, 0.090), (0.236, 0.0, 0.068), (0.247, 0.0, 0.044)]
    return sheet([base, edge])


def anal():
    base = [(x, 0.0, bottom_at(x) + 0.006) for x in linspace(0.074, 0.205, 6)]
    edge = [(0.088, 0.0, -0.160), (0.128, 0.0, -0.186), (0.172, 0.0, -0.176),
            (0.210, 0.0, -0.150), (0.236, 0.0, -0.118), (0.246, 0.0, -0.086)]
    return sheet([base, edge])


def pectoral():
    n = 10
    edge, base = [], []
    for i in range(n):
        u = i / (n - 1)
        bulge = math.sin(math.pi * u) ** 0.7
        base.append((lerp(-0.226, -0.239, u), -0.056, lerp(0.014, -0.058, u)))
        edge.append((lerp(-0.205, -0.218, u) + 0.081 * bulge, -0.060 - 0.076 * bulge,
                     lerp(0.028, -0.069, u)))
    return with_normals([edge, base], facing_minus_y)


def pelvic():
    n = 7
    edge, base = [], []
    for i in range(n):
        u = i / (n - 1)
        base.append((lerp(-0.201, -0.150, u), -0.013, lerp(-0.110, -0.116, u)))
        edge.append((lerp(-0.194, -0.105, u), lerp(-0.022, -0.069, u), lerp(-0.132, -0.221, u)))
    return with_normals([edge, base], facing_minus_y)


def tail():
    n = 15
    edge, base = [], []
    for i in range(n):
        u = i / (n - 1)
        z_edge = lerp(0.065, -0.138, u)
        crescent = abs(2 * u - 1) ** 1.6
        edge.append((0.442 + 0.058 * crescent, 0.0, z_edge))
        base.append((0.300 + 0.030 * math.sin(math.pi * u), 0.0, lerp(0.024, -0.034, u)))
    return sheet([edge, base])


def eyes():
    cx, cz = -0.4325, -0.028
    angles = [math.pi / 4 + k * math.pi / 2 for k in range(5)]  # closed loop: last repeats first
    inner, outer, centre = [], [], []
    for a in angles:
        c, s = math.cos(a), math.sin(a)
        outer.append(((cx + 0.0125 * c, -0.025, cz + 0.012 * s), unit((0.8 * c, -0.6, 0.8 * s))))
        inner.append(((cx + 0.0075 * c, -0.033, cz + 0.0072 * s),
                      unit((0.45 * c, -0.89, 0.45 * s))))
        centre.append(((cx, -0.036, cz), (0.0, -1.0, 0.0)))
    return [inner, outer, centre]


# ---------------------------------------------------------------- output
PARTS = [
    # name, rows builder, strips, mirrored
    ("Body", body, [(0, 1), (1, 2), (2, 3), (3, 4)], True),
    ("UpperJaw", upper_jaw, [(1, 0), (0, 2)], True),
    ("LowerJaw", lower_jaw, [(1, 0), (0, 2)], True),
    ("DorsalFront", dorsal_front, [(0, 1)], False),
    ("DorsalRear", dorsal_rear, [(0, 1)], False),
    ("Pectoral", pectoral, [(0, 1)], True),
    ("Pelvic", pelvic, [(0, 1)], True),
    ("Anal", anal, [(0, 1)], False),
    ("Tail", tail, [(0, 1)], False),
    ("Eyes", eyes, [(1, 0), (0, 2)], True),
]


def fmt(v):
    s = "%.5f" % v
    if s == "-0.00000":
        s = "0.00000"
    return s + "f"


def main():
    out = sys.stdout
    out.write("// Generated by tools/fishmesh/fishmesh.py: the ten vertex tables of the main fish.\n")
    out.write("// Regenerate with: python3 tools/fishmesh/fishmesh.py > src/tank/fish/FishMeshTables.cpp\n")
    out.write("// clang-format off\n")
    out.write('#include "tank/fish/FishMeshTables.h"\n\nnamespace quelmarine {\n\nnamespace {\n\n')
    for name, build, strips, _ in PARTS:
        rows = build()
        shift = PECTORAL_SKIN_SHIFT if name == "Pectoral" else (0.0, 0.0)
        out.write("const MeshVertex k%s[] = {\n" % name)
        for r, row in enumerate(rows):
            out.write("    // row %d\n" % (r + 1))
            for p, n in row:
                s, t = tex(p[0] + shift[0], p[2] + shift[1])
                n = unit(n)
                out.write("    {%s, %s, %s, %s, %s, %s, %s, %s},\n" %
                          tuple(fmt(v) for v in (p[0], p[1], p[2], n[0], n[1], n[2], s, t)))
        out.write("};\n")
        out.write("const RowPair k%sStrips[] = {%s};\n\n" %
                  (name, ", ".join("{%d, %d}" % pair for pair in strips)))
    out.write("} // namespace\n\n")
    out.write("const MeshTable kFishParts[kFishPartCount] = {\n")
    for name, build, strips, mirrored in PARTS:
        rows = build()
        out.write("    {k%s, %d, %d, k%sStrips, %d, %s},\n" %
                  (name, len(rows), len(rows[0]), name, len(strips), "true" if mirrored else "false"))
    out.write("};\n\n} // namespace quelmarine\n// clang-format on\n")


if __name__ == "__main__":
    main()
