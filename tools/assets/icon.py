#!/usr/bin/env python3
"""The window icon.

  icon.py mvg          prints it as ImageMagick drawing commands at 1024 px
  icon.py 16 OUT.rgba  writes the 16 px image, drawn pixel by pixel


The badge is a blue ring round a light-grey face with the Wi-Fi sign: a
wedge and three arcs spreading upwards at 45 degrees either side.  The arcs
are emitted as filled polygons with round ends, since ImageMagick 6 strokes
open arcs badly.  Lengths are in units of 1/16 of the icon (64 px here), so
at 16 px every arc and gap would be one pixel wide -- but scaled down they
land between pixels and blur into a smudge, so the 16 px image has the sign
set by hand on the pixel grid, with the same ring and face.
"""
import math
import sys

U = 64                        # one 16th of the icon
CX, CY = 8 * U, 8 * U         # badge centre
SX, SY = CX, CY + 3.75 * U    # point of the wedge; the sign is 7.5 units high
BLUE, FACE = "#1C5FC4", "#E4E7EB"
HALF = math.radians(45)       # each side of straight up
STEPS = 48


def point(r, a):
    """a = 0 is straight up, positive to the right."""
    return SX + r * math.sin(a), SY - r * math.cos(a)


def fmt(p):
    return f"{p[0]:.2f},{p[1]:.2f}"


def arc(r_mid, width):
    r_out, r_in = r_mid + width / 2, r_mid - width / 2
    angles = [-HALF + 2 * HALF * i / STEPS for i in range(STEPS + 1)]
    ring = [point(r_out, a) for a in angles] + [point(r_in, a) for a in reversed(angles)]
    cmds = ["polygon " + " ".join(fmt(p) for p in ring)]
    for a in (-HALF, HALF):
        x, y = point(r_mid, a)
        cmds.append(f"circle {x:.2f},{y:.2f} {x + width / 2:.2f},{y:.2f}")
    return cmds


def wedge(r):
    angles = [-HALF + 2 * HALF * i / STEPS for i in range(STEPS + 1)]
    return ["polygon " + fmt((SX, SY)) + " " + " ".join(fmt(point(r, a)) for a in angles)]


def mvg():
    out = ["stroke none",
           f"fill {BLUE}", f"circle {CX},{CY} {CX},{CY - 7.75 * U:.2f}",
           f"fill {FACE}", f"circle {CX},{CY} {CX},{CY - 6.25 * U:.2f}",
           f"fill {BLUE}"]
    out += wedge(1.5 * U)
    for k in range(3):
        out += arc((3 + 2 * k) * U, U)
    print("\n".join(out))


SIGN_16 = """
................
................
................
................
.....######.....
...##......##...
...#..####..#...
.....#....#.....
....#..##..#....
......#..#......
................
......####......
.......##.......
................
................
................
"""


def rgb(hex_colour):
    return tuple(bytes.fromhex(hex_colour[1:]))


def small16(path):
    rows = SIGN_16.split()
    if len(rows) != 16 or any(len(r) != 16 for r in rows):
        sys.exit("icon.py: SIGN_16 must be 16 rows of 16")
    blue, face = rgb(BLUE), rgb(FACE)
    r_outer, r_face = 7.95, 6.2
    n = 4                                    # 4 x 4 samples per pixel
    data = bytearray()
    for y in range(16):
        for x in range(16):
            if rows[y][x] == "#":
                data += bytes(blue) + b"\xff"
                continue
            in_ring = in_face = 0
            for j in range(n):
                for i in range(n):
                    d = math.hypot(x + (i + 0.5) / n - 8, y + (j + 0.5) / n - 8)
                    if d <= r_face:
                        in_face += 1
                    elif d <= r_outer:
                        in_ring += 1
            inside = in_ring + in_face
            if inside == 0:
                data += bytes(4)
                continue
            colour = [round((b * in_ring + f * in_face) / inside) for b, f in zip(blue, face)]
            data += bytes(colour) + bytes((round(255 * inside / (n * n)),))
    with open(path, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    if sys.argv[1:] == ["mvg"]:
        mvg()
    elif len(sys.argv) == 3 and sys.argv[1] == "16":
        small16(sys.argv[2])
    else:
        sys.exit(__doc__)
