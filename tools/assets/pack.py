#!/usr/bin/env python3
"""Packs raw pixels rendered by ImageMagick into the files the program loads.

  pack.py bmp SRC.rgb W H KEY OUT.bmp
      SRC holds W*H RGB triplets, top row first.  KEY (RRGGBB) is the colour
      the program drops when it draws the bitmap.  The background is the part
      of the picture in KEY that touches the border; any pixel of the artwork
      that happens to have the KEY colour exactly is moved one step off it, so
      no hole opens up inside the picture.  The result is a 24-bit BI_RGB
      bottom-up BMP with a BITMAPINFOHEADER.

  pack.py ico OUT.ico SIZE:SRC.rgba [SIZE:SRC.rgba ...]
      Each SRC holds SIZE*SIZE RGBA quadruplets.  Images below 256 px are
      stored as 32-bit DIBs with an AND mask, the 256 px one as a PNG.

Everything is written byte by byte, so the same input gives the same file.
"""
import struct
import sys
import zlib


def read_exact(path, size):
    with open(path, "rb") as f:
        data = f.read()
    if len(data) != size:
        sys.exit(f"pack.py: {path}: {len(data)} bytes, expected {size}")
    return data


def nudge(rgb):
    return tuple(c + 1 if c < 255 else c - 1 for c in rgb)


def keep_key_outside_only(pixels, w, h, key):
    """pixels: list of RGB tuples, top row first; returns how many were moved."""
    outside = bytearray(w * h)
    stack = [i for i in range(w * h)
             if (i % w in (0, w - 1) or i // w in (0, h - 1)) and pixels[i] == key]
    for i in stack:
        outside[i] = 1
    while stack:
        i = stack.pop()
        x, y = i % w, i // w
        for nx, ny in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)):
            if 0 <= nx < w and 0 <= ny < h:
                j = ny * w + nx
                if not outside[j] and pixels[j] == key:
                    outside[j] = 1
                    stack.append(j)
    moved = 0
    for i in range(w * h):
        if pixels[i] == key and not outside[i]:
            pixels[i] = nudge(key)
            moved += 1
    return moved


def bmp24(pixels, w, h):
    stride = (w * 3 + 3) & ~3
    image = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for r, g, b in pixels[y * w:(y + 1) * w]:
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        image += row
    offset = 14 + 40
    header = struct.pack("<2sIHHI", b"BM", offset + len(image), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(image),
                       2835, 2835, 0, 0)
    return header + info + bytes(image)


def do_bmp(src, w, h, key_hex, out):
    w, h = int(w), int(h)
    key = tuple(bytes.fromhex(key_hex))
    data = read_exact(src, w * h * 3)
    pixels = [tuple(data[i:i + 3]) for i in range(0, len(data), 3)]
    if pixels[0] != key:
        sys.exit(f"pack.py: {out}: top-left pixel is {bytes(pixels[0]).hex()}, "
                 f"not the transparent colour {key_hex}")
    moved = keep_key_outside_only(pixels, w, h, key)
    if moved:
        print(f"{out}: moved {moved} artwork pixel(s) off the transparent colour")
    with open(out, "wb") as f:
        f.write(bmp24(pixels, w, h))


def dib32(rgba, s):
    xor = bytearray()
    for y in range(s - 1, -1, -1):
        for x in range(s):
            r, g, b, a = rgba[(y * s + x) * 4:(y * s + x) * 4 + 4]
            xor += bytes((b, g, r, a))
    mask_stride = ((s + 31) // 32) * 4
    mask = bytearray()
    for y in range(s - 1, -1, -1):
        row = bytearray(mask_stride)
        for x in range(s):
            if rgba[(y * s + x) * 4 + 3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    info = struct.pack("<IiiHHIIiiII", 40, s, 2 * s, 1, 32, 0,
                       len(xor) + len(mask), 0, 0, 0, 0)
    return info + bytes(xor) + bytes(mask)


def png_rgba(rgba, s):
    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body
                + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))
    raw = bytearray()
    for y in range(s):
        raw += b"\x00" + rgba[y * s * 4:(y + 1) * s * 4]
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", s, s, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + chunk(b"IEND", b""))


def do_ico(out, *items):
    images = []
    for item in items:
        size, src = item.split(":", 1)
        s = int(size)
        rgba = read_exact(src, s * s * 4)
        images.append((s, png_rgba(rgba, s) if s >= 256 else dib32(rgba, s)))
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    body = b""
    for s, blob in images:
        directory += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32,
                                 len(blob), offset + len(body))
        body += blob
    with open(out, "wb") as f:
        f.write(directory + body)


if __name__ == "__main__":
    if len(sys.argv) >= 2 and sys.argv[1] == "bmp" and len(sys.argv) == 7:
        do_bmp(*sys.argv[2:])
    elif len(sys.argv) >= 4 and sys.argv[1] == "ico":
        do_ico(*sys.argv[2:])
    else:
        sys.exit(__doc__)
