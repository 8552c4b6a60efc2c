#!/usr/bin/env python3
"""Checks the files in ui/assets/ the way the program and the resource
compiler will read them: check.py ASSETS_DIR.  Exits non-zero on a fault."""
import os
import struct
import sys
import wave

# name, width, height, transparent colour (None: drawn opaque)
BITMAPS = [
    ("create.bmp", 128, 65, "FFFFFF"),
    ("share.bmp", 128, 65, "FFFFFF"),
    ("start.bmp", 78, 53, "F2F2F2"),
    ("stop.bmp", 78, 53, "F2F2F2"),
    ("remove.bmp", 78, 53, "F2F2F2"),
    ("unshare.bmp", 78, 53, "F2F2F2"),
    ("usage.bmp", 100, 30, None),
    ("about.bmp", 100, 30, None),
]

CARDS = ("start.bmp", "stop.bmp", "remove.bmp", "unshare.bmp")
BARS = ("usage.bmp", "about.bmp")
# pixels the program's look depends on: (files, x, y from the top, colour)
PROBES = [
    (CARDS, 0, 0, "F2F2F2"),      # rounded corners show the button face
    (CARDS, 77, 52, "F2F2F2"),
    (CARDS, 39, 0, "B9B9B9"),     # top band
    (CARDS, 39, 9, "B9B9B9"),
    (CARDS, 39, 10, "FFFFFF"),    # inside starts under the band
    (CARDS, 0, 30, "B9B9B9"),     # sides and bottom, two pixels
    (CARDS, 1, 30, "B9B9B9"),
    (CARDS, 2, 30, "D8D8D8"),     # inner line
    (CARDS, 76, 30, "B9B9B9"),
    (CARDS, 75, 30, "D8D8D8"),
    (CARDS, 39, 51, "B9B9B9"),
    (CARDS, 39, 50, "FFFFFF"),
    (BARS, 0, 0, "6184B1"),
    (BARS, 99, 29, "6184B1"),
    (BARS, 2, 1, "E3F4FF"),
    (BARS, 2, 28, "9CCAFF"),
    (("create.bmp", "share.bmp"), 0, 0, "FFFFFF"),
    (("create.bmp", "share.bmp"), 127, 64, "FFFFFF"),
]

ICON_SIZES = [16, 24, 32, 48, 64, 256]

faults = []


def fault(msg):
    faults.append(msg)


def read_bmp(path, w, h):
    data = open(path, "rb").read()
    if len(data) < 54:
        fault(f"{path}: too short")
        return None
    bf_type, bf_size, _, _, bf_off = struct.unpack_from("<2sIHHI", data, 0)
    bi = struct.unpack_from("<IiiHHIIiiII", data, 14)
    bi_size, bi_w, bi_h, planes, bpp, compression = bi[:6]
    expect = [("bfType", bf_type, b"BM"), ("bfSize", bf_size, len(data)),
              ("bfOffBits", bf_off, 54), ("biSize", bi_size, 40),
              ("biWidth", bi_w, w), ("biHeight", bi_h, h), ("biPlanes", planes, 1),
              ("biBitCount", bpp, 24), ("biCompression", compression, 0)]
    bad = [f"{k}={v!r} (want {want!r})" for k, v, want in expect if v != want]
    if bad:
        fault(f"{path}: " + ", ".join(bad))
        return None
    stride = (w * 3 + 3) & ~3
    if len(data) != 54 + stride * h:
        fault(f"{path}: {len(data)} bytes, want {54 + stride * h}")
        return None
    rows = []
    for y in range(h):                       # top row first
        o = 54 + (h - 1 - y) * stride
        rows.append(["%02X%02X%02X" % (data[o + 3 * x + 2], data[o + 3 * x + 1], data[o + 3 * x])
                     for x in range(w)])
    return rows


def key_only_outside(path, rows, key):
    """The transparent colour may only be background: every pixel of it must
    be reachable from the border through pixels of it."""
    h, w = len(rows), len(rows[0])
    seen = set()
    todo = [(x, y) for y in range(h) for x in range(w)
            if (x in (0, w - 1) or y in (0, h - 1)) and rows[y][x] == key]
    seen.update(todo)
    while todo:
        x, y = todo.pop()
        for n in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)):
            if 0 <= n[0] < w and 0 <= n[1] < h and n not in seen and rows[n[1]][n[0]] == key:
                seen.add(n)
                todo.append(n)
    holes = [(x, y) for y in range(h) for x in range(w)
             if rows[y][x] == key and (x, y) not in seen]
    if holes:
        fault(f"{path}: transparent colour inside the artwork at {holes[:5]}")
    if len(seen) == w * h:
        fault(f"{path}: nothing but the transparent colour")


def check_bitmaps(d):
    loaded = {}
    for name, w, h, key in BITMAPS:
        path = os.path.join(d, name)
        rows = read_bmp(path, w, h)
        if rows is None:
            continue
        loaded[name] = rows
        if key:
            key_only_outside(path, rows, key)
    for names, x, y, colour in PROBES:
        for name in names:
            if name in loaded and loaded[name][y][x] != colour:
                fault(f"{name}: pixel ({x},{y}) is #{loaded[name][y][x]}, want #{colour}")


def check_icon(d):
    path = os.path.join(d, "zephyra.ico")
    data = open(path, "rb").read()
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if (reserved, kind) != (0, 1):
        fault(f"{path}: not an icon file")
        return
    sizes = []
    for i in range(count):
        w, h, colours, _, planes, bpp, length, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        s = w or 256
        sizes.append(s)
        blob = data[offset:offset + length]
        if (w, h) != (s % 256, s % 256) or bpp != 32 or planes != 1 or len(blob) != length:
            fault(f"{path}: bad directory entry {i}")
            continue
        if blob[:8] == b"\x89PNG\r\n\x1a\n":
            pw, ph, depth, ctype = struct.unpack_from(">IIBB", blob, 16)
            if s < 256 or (pw, ph, depth, ctype) != (s, s, 8, 6):
                fault(f"{path}: {s} px PNG entry is {pw}x{ph} depth {depth} type {ctype}")
            continue
        bi_size, bw, bh, bplanes, bbpp, comp = struct.unpack_from("<IiiHHI", blob, 0)
        mask = ((s + 31) // 32) * 4 * s
        if (bi_size, bw, bh, bplanes, bbpp, comp) != (40, s, 2 * s, 1, 32, 0) \
                or length != 40 + 4 * s * s + mask:
            fault(f"{path}: {s} px DIB entry malformed")
            continue
        alpha = blob[40 + 3:40 + 4 * s * s:4]
        if max(alpha) != 255 or min(alpha) != 0:
            fault(f"{path}: {s} px image has no transparent surround or no opaque badge")
    if sorted(sizes) != ICON_SIZES:
        fault(f"{path}: sizes {sizes}, want {ICON_SIZES}")


def check_click(d):
    path = os.path.join(d, "click.wav")
    with wave.open(path, "rb") as w:
        params = (w.getnchannels(), w.getsampwidth(), w.getframerate(), w.getcomptype())
        frames = w.readframes(w.getnframes())
        n = w.getnframes()
    if params[0] != 1 or params[1] != 2 or params[2] not in (22050, 44100) or params[3] != "NONE":
        fault(f"{path}: format {params}, want 16-bit mono PCM at 22050 or 44100 Hz")
        return
    ms = 1000 * n / params[2]
    if not 30 <= ms <= 60:
        fault(f"{path}: {ms:.1f} ms long")
    samples = struct.unpack(f"<{n}h", frames)
    if max(abs(v) for v in samples) < 8000:
        fault(f"{path}: too quiet")
    if samples[0] != 0 or samples[-1] != 0:
        fault(f"{path}: does not start and end on silence")
    if os.path.getsize(path) > 8192:
        fault(f"{path}: {os.path.getsize(path)} bytes")


def main(d):
    for check in (check_bitmaps, check_icon, check_click):
        try:
            check(d)
        except (OSError, struct.error, wave.Error) as e:
            fault(f"{check.__name__}: {e}")
    for f in faults:
        print("check.py:", f, file=sys.stderr)
    sys.exit(1 if faults else 0)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
