#!/usr/bin/env python3
"""Builds the 23 vertex tables of the food creature and prints them as C++
(src/tank/fish/FoodFishMeshTables.cpp).

Usage: python3 tools/foodmesh/foodmesh.py > src/tank/fish/FoodFishMeshTables.cpp

The food creature is a small glass shrimp. Model space: the body runs along y with the head
toward +y, x is lateral, z is up. The body is 14 ring sections from y = 0.31 to y = -0.41; the
other parts are the rostrum, the antennal scales, the eyes on their stalks, the two long
antennae, the antennules, five pairs of walking legs, seven pairs of swimmerets and the tail fan.

Every appendage is a grid whose rows are sections along its length (root first) and whose
columns run across or around it; the four ribbons (antennae and tail fan blades) have two rows,
their edges, and columns along their length. Texture coordinates address the food picture
(tools/assetgen/FoodSkin.cpp): the body uses t 0.02 ... 0.58 along its length and s around the
ring (0 on the back, 0.5 on the belly), the appendages t 0.62 ... 0.78, the eyes t 0.84 ... 0.98.
"""

import math
import sys

RINGS = 14
RING_COLUMNS = 11
Y_HEAD, Y_TAIL = 0.31, -0.41

# Ring profile, head to tail: half-width (x), half-height (z) and the height of the centre.
HALF_WIDTH = [0.030, 0.050, 0.062, 0.068, 0.070, 0.068, 0.062,
              0.057, 0.052, 0.046, 0.040, 0.033, 0.026, 0.018]
HALF_HEIGHT = [0.036, 0.060, 0.075, 0.082, 0.085, 0.083, 0.075,
               0.068, 0.062, 0.055, 0.048, 0.040, 0.032, 0.022]
CENTRE_Z = [0.150, 0.162, 0.170, 0.175, 0.176, 0.172, 0.165,
            0.155, 0.142, 0.127, 0.110, 0.092, 0.073, 0.055]

BODY_T = (0.02, 0.58)
LIMB_T = (0.62, 0.78)
EYE_T = (0.84, 0.98)


def ring_y(r):
    return Y_HEAD + (Y_TAIL - Y_HEAD) * r / (RINGS - 1)


def sub(a, b):
    return (a[0] - b[0], a[1] - b[1], a[2] - b[2])


def add(a, b):
    return (a[0] + b[0], a[1] + b[1], a[2] + b[2])


def mul(a, k):
    return (a[0] * k, a[1] * k, a[2] * k)


def cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def dot(a, b):
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]


def unit(v, fallback=(0.0, 0.0, 1.0)):
    n = math.sqrt(dot(v, v))
    return (v[0] / n, v[1] / n, v[2] / n) if n > 1e-9 else fallback


def lerp(a, b, t):
    return a + (b - a) * t


def bezier(points, t):
    """Point on a Bezier curve through control points (de Casteljau)."""
    pts = list(points)
    while len(pts) > 1:
        pts = [tuple(lerp(p[k], q[k], t) for k in range(3)) for p, q in zip(pts, pts[1:])]
    return pts[0]


def frame(path, i):
    """Unit tangent at sample i of a sampled path."""
    a = path[max(i - 1, 0)]
    b = path[min(i + 1, len(path) - 1)]
    return unit(sub(b, a), (0.0, 1.0, 0.0))


def perpendiculars(tangent, up_hint):
    """Two unit vectors across the tangent: `side` (toward up_hint x tangent) and `up`."""
    side = unit(cross(up_hint, tangent), (1.0, 0.0, 0.0))
    up = unit(cross(tangent, side))
    return side, up


def grid_normals(points, rows, columns, outward):
    """Per-vertex normals of a row-major grid from its two tangent directions."""
    normals = []
    for r in range(rows):
        for c in range(columns):
            p = points[r * columns + c]
            ra = points[max(r - 1, 0) * columns + c]
            rb = points[min(r + 1, rows - 1) * columns + c]
            ca = points[r * columns + max(c - 1, 0)]
            cb = points[r * columns + min(c + 1, columns - 1)]
            n = unit(cross(sub(rb, ra), sub(cb, ca)), outward(p))
            if dot(n, outward(p)) < 0:
                n = mul(n, -1)
            normals.append(n)
    return normals


class Part:
    def __init__(self, name, rows, columns, points, tex, strips, mirrored, outward):
        assert len(points) == rows * columns == len(tex), name
        self.name, self.rows, self.columns = name, rows, columns
        self.points, self.tex, self.strips, self.mirrored = points, tex, strips, mirrored
        self.normals = grid_normals(points, rows, columns, outward)


def chain(rows):
    return [(k, k + 1) for k in range(rows - 1)]


# ---------------------------------------------------------------- body


def body():
    points, tex = [], []
    for r in range(RINGS):
        y = ring_y(r)
        for j in range(RING_COLUMNS):
            theta = 2 * math.pi * j / (RING_COLUMNS - 1)
            points.append((HALF_WIDTH[r] * math.sin(theta), y,
                           CENTRE_Z[r] + HALF_HEIGHT[r] * math.cos(theta)))
            tex.append((j / (RING_COLUMNS - 1), lerp(BODY_T[0], BODY_T[1], r / (RINGS - 1))))

    def outward(p):
        r = min(range(RINGS), key=lambda k: abs(ring_y(k) - p[1]))
        return (p[0], 0.0, p[2] - CENTRE_Z[r])

    return Part("Body", RINGS, RING_COLUMNS, points, tex, chain(RINGS), False, outward)


# ---------------------------------------------------------------- appendage builders


def tube(name, path_points, radii, columns, closed, mirrored, up_hint=(0.0, 0.0, 1.0),
         squash=1.0, arc=(0.0, 2 * math.pi)):
    """Sections along a sampled path, columns around each section (closed: last = first)."""
    rows = len(path_points)
    points, tex = [], []
    for i, centre in enumerate(path_points):
        tangent = frame(path_points, i)
        side, up = perpendiculars(tangent, up_hint)
        for c in range(columns):
            if closed:
                a = 2 * math.pi * c / (columns - 1)
            else:
                a = lerp(arc[0], arc[1], c / (columns - 1))
            offset = add(mul(up, radii[i] * math.cos(a)), mul(side, radii[i] * squash * math.sin(a)))
            points.append(add(centre, offset))
            tex.append((c / (columns - 1), lerp(LIMB_T[0], LIMB_T[1], i / (rows - 1))))
    centres = {}
    for i, centre in enumerate(path_points):
        for c in range(columns):
            centres[points[i * columns + c]] = centre

    def outward(p):
        return sub(p, centres.get(p, path_points[0]))

    return Part(name, rows, columns, points, tex, chain(rows), mirrored, outward)


def blade(name, path_points, widths, columns, mirrored, across, cup=0.25):
    """Sections along a path, columns across a slightly cupped blade of the given widths."""
    rows = len(path_points)
    points, tex = [], []
    for i, centre in enumerate(path_points):
        tangent = frame(path_points, i)
        width_dir = unit(sub(across, mul(tangent, dot(across, tangent))), (0.0, 1.0, 0.0))
        cup_dir = unit(cross(tangent, width_dir))
        for c in range(columns):
            u = c / (columns - 1) * 2 - 1
            offset = add(mul(width_dir, u * widths[i] * 0.5), mul(cup_dir, (u * u - 0.5) * cup * widths[i]))
            points.append(add(centre, offset))
            tex.append((c / (columns - 1), lerp(LIMB_T[0], LIMB_T[1], i / (rows - 1))))
    normal_hint = {}
    for i, centre in enumerate(path_points):
        tangent = frame(path_points, i)
        width_dir = unit(sub(across, mul(tangent, dot(across, tangent))), (0.0, 1.0, 0.0))
        for c in range(columns):
            normal_hint[points[i * columns + c]] = unit(cross(tangent, width_dir))

    def outward(p):
        return normal_hint.get(p, (1.0, 0.0, 0.0))

    return Part(name, rows, columns, points, tex, chain(rows), mirrored, outward)


def ribbon(name, path_points, widths, edge_dir, mirrored):
    """Two rows (the edges) and columns along a path: a thin strip."""
    columns = len(path_points)
    points, tex = [], []
    for row in range(2):
        for c, centre in enumerate(path_points):
            tangent = frame(path_points, c)
            e = unit(sub(edge_dir, mul(tangent, dot(edge_dir, tangent))), (0.0, 0.0, 1.0))
            sign = -0.5 if row == 0 else 0.5
            points.append(add(centre, mul(e, sign * widths[c])))
            tex.append((0.3 + 0.4 * row, lerp(LIMB_T[0], LIMB_T[1], c / (columns - 1))))
    normal = unit(cross(sub(path_points[-1], path_points[0]), edge_dir), (1.0, 0.0, 0.0))

    def outward(p):
        return normal

    return Part(name, 2, columns, points, tex, [(0, 1)], mirrored, outward)


def sample(controls, n):
    return [bezier(controls, i / (n - 1)) for i in range(n)]


def taper(n, start, end, bulge=0.0):
    return [lerp(start, end, i / (n - 1)) + bulge * math.sin(math.pi * i / (n - 1)) for i in range(n)]


def mirror_x(part, name):
    """The same part reflected to the other side (x negated), for the left/right pairs."""
    points = [(-p[0], p[1], p[2]) for p in part.points]
    copy = Part.__new__(Part)
    copy.name, copy.rows, copy.columns = name, part.rows, part.columns
    copy.points, copy.tex, copy.strips, copy.mirrored = points, part.tex, part.strips, part.mirrored
    copy.normals = [(-n[0], n[1], n[2]) for n in part.normals]
    return copy


# ---------------------------------------------------------------- the 22 further parts


def rostrum():
    path = sample([(0.0, 0.27, 0.205), (0.0, 0.36, 0.225), (0.0, 0.44, 0.232)], 5)
    return tube("Rostrum", path, taper(5, 0.016, 0.002), 5, True, False, squash=0.45)


def antennal_scale():
    path = sample([(0.030, 0.27, 0.135), (0.055, 0.34, 0.14), (0.062, 0.41, 0.15)], 7)
    widths = taper(7, 0.014, 0.006, bulge=0.020)
    return blade("ScaleRight", path, widths, 5, False, across=(1.0, 0.0, 0.15), cup=0.3)


def eye():
    path = sample([(0.020, 0.275, 0.190), (0.045, 0.295, 0.205), (0.060, 0.305, 0.212)], 5)
    radii = [0.008, 0.009, 0.019, 0.022, 0.004]
    # Nearly a whole ring per section; the narrow opening faces the back of the head.
    part = tube("EyeRight", path, radii, 5, False, False, arc=(0.1 * math.pi, 1.9 * math.pi))
    for i in range(part.rows):
        t = lerp(LIMB_T[0], LIMB_T[1], i) if i < 2 else lerp(EYE_T[0], EYE_T[1], (i - 2) / 2)
        for c in range(part.columns):
            part.tex[i * part.columns + c] = (c / (part.columns - 1), t)
    return part


def antenna(name, side, columns, reach):
    controls = [(side * 0.025, 0.30, 0.170), (side * 0.09, 0.52, 0.20),
                (side * 0.16, 0.30, 0.34), (side * 0.12, -0.10 - reach, 0.30)]
    path = sample(controls, columns)
    return ribbon(name, path, taper(columns, 0.020, 0.007), (0.0, 0.0, 1.0), False)


def antennule():
    path = sample([(0.015, 0.285, 0.160), (0.030, 0.37, 0.175), (0.045, 0.43, 0.185)], 5)
    return tube("Antennule", path, taper(5, 0.009, 0.003), 7, True, True)


def walking_leg(name, y, ring, rows, spread):
    top = CENTRE_Z[ring] - 0.02
    bottom = CENTRE_Z[ring] - HALF_HEIGHT[ring]
    controls = [(0.025, y, top), (0.065 + spread, y + 0.012, bottom - 0.005),
                (0.080 + spread, y - 0.004, bottom - 0.060), (0.085 + spread, y - 0.015, bottom - 0.095)]
    path = sample(controls, rows)
    return blade(name, path, taper(rows, 0.016, 0.006), 5, True, across=(0.0, 1.0, 0.0), cup=0.35)


def swimmeret(name, ring, rows, length):
    y = ring_y(ring)
    top = CENTRE_Z[ring] - 0.02
    bottom = CENTRE_Z[ring] - HALF_HEIGHT[ring]
    controls = [(0.018, y, top), (0.035, y - 0.005, bottom - 0.010),
                (0.045, y - 0.025, bottom - length)]
    path = sample(controls, rows)
    return blade(name, path, taper(rows, 0.014, 0.012, bulge=0.010), 5, True,
                 across=(0.0, 1.0, 0.0), cup=0.2)


def tail_blade(name, spread, drop, length):
    y0 = ring_y(RINGS - 1)
    z0 = CENTRE_Z[RINGS - 1]
    controls = [(0.008, y0 + 0.01, z0), (0.02 + spread * 0.5, y0 - length * 0.5, z0 - drop * 0.5),
                (0.02 + spread, y0 - length, z0 - drop)]
    path = sample(controls, 8)
    return ribbon(name, path, taper(8, 0.025, 0.045, bulge=0.015), (0.35, 0.0, 1.0), True)


def parts():
    scale = antennal_scale()
    right_eye = eye()
    return [
        body(),                                                   # body
        rostrum(),                                                # 2
        scale,                                                    # 3
        mirror_x(scale, "ScaleLeft"),                             # 4
        right_eye,                                                # 5
        mirror_x(right_eye, "EyeLeft"),                           # 6
        antenna("AntennaRight", 1, 11, 0.20),                     # 7
        antenna("AntennaLeft", -1, 12, 0.26),                     # 8
        antennule(),                                              # 9
        walking_leg("LegA", 0.175, 3, 7, 0.000),                  # 10
        walking_leg("LegB", 0.135, 3, 7, 0.006),                  # 11
        walking_leg("LegC", 0.100, 4, 6, 0.010),                  # 12
        walking_leg("LegD", 0.065, 4, 6, 0.010),                  # 13
        walking_leg("LegE", 0.030, 5, 6, 0.006),                  # 14
        swimmeret("SwimmeretA", 5, 7, 0.045),                     # 15
        swimmeret("SwimmeretB", 6, 7, 0.050),                     # 16
        swimmeret("SwimmeretC", 7, 9, 0.052),                     # 17
        swimmeret("SwimmeretD", 8, 8, 0.050),                     # 18
        swimmeret("SwimmeretE", 9, 7, 0.046),                     # 19
        swimmeret("SwimmeretF", 10, 8, 0.040),                    # 20
        swimmeret("SwimmeretG", 11, 8, 0.034),                    # 21
        tail_blade("TailOuter", 0.085, 0.015, 0.15),              # 22
        tail_blade("TailInner", 0.035, 0.030, 0.16),              # 23
    ]


# ---------------------------------------------------------------- output


def f(v):
    return "%.5ff" % (0.0 if abs(v) < 5e-6 else v)


def write(out, all_parts):
    out.write("// Generated by tools/foodmesh/foodmesh.py: the 23 vertex tables of the food creature.\n")
    out.write("// Regenerate with: python3 tools/foodmesh/foodmesh.py > src/tank/fish/FoodFishMeshTables.cpp\n")
    out.write("// clang-format off\n")
    out.write('#include "tank/fish/FoodFishMeshTables.h"\n\nnamespace quelmarine {\n\nnamespace {\n\n')
    for part in all_parts:
        out.write("const MeshVertex k%s[] = {\n" % part.name)
        for r in range(part.rows):
            out.write("    // row %d\n" % r)
            for c in range(part.columns):
                k = r * part.columns + c
                p, n, t = part.points[k], part.normals[k], part.tex[k]
                out.write("    {%s},\n" % ", ".join(f(v) for v in (*p, *n, *t)))
        out.write("};\n")
        out.write("const RowPair k%sStrips[] = {%s};\n\n" %
                  (part.name, ", ".join("{%d, %d}" % s for s in part.strips)))
    out.write("} // namespace\n\n")
    out.write("const MeshTable kFoodFishParts[kFoodFishPartCount] = {\n")
    for part in all_parts:
        out.write("    {k%s, %d, %d, k%sStrips, %d, %s},\n" %
                  (part.name, part.rows, part.columns, part.name, len(part.strips),
                   "true" if part.mirrored else "false"))
    out.write("};\n\n} // namespace quelmarine\n// clang-format on\n")


if __name__ == "__main__":
    write(sys.stdout, parts())
