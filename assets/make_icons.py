#!/usr/bin/env python3
"""Regenerate Zolta's icons from the hand-written SVG sources in assets/src/.

Needs these Debian packages: python3, librsvg2-bin (for rsvg-convert).
No Python modules beyond the standard library are used.

Usage:  python3 assets/make_icons.py          (from any directory)

Writes:
  assets/die.ico            1 image  32x32, 24 bit, opaque (white background)
  assets/hand.ico           2 images 32x32 + 16x16, 16 colours, transparent
  assets/pencil.ico         2 images 32x32 + 16x16, 16 colours, transparent
  assets/lamp_<c>.ico       1 image  32x32, 16 colours, transparent corners
                            (c = grey, yellow, red, green)
  assets/hicolor/<n>x<n>/apps/zolta.png  (n = 16, 32, 48, 128)
  assets/hicolor/scalable/apps/zolta.svg

The 16-colour palette of each picture is taken from its SVG source: black
(used for transparent pixels) plus every distinct #rrggbb colour written in
the file, in order of first appearance.  Each rendered pixel is mapped to the
nearest palette colour (no dithering); pixels less than half covered become
transparent.  After writing, every .ico file is read back and checked; the
script exits with an error if anything does not match.
"""

import os
import re
import shutil
import struct
import subprocess
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
SRC = os.path.join(HERE, "src")

BLACK = (0, 0, 0)


# --------------------------------------------------------------------------
# Rendering: rsvg-convert -> PNG -> list of RGBA rows
# --------------------------------------------------------------------------

def render_png_bytes(svg_path, size):
    return subprocess.run(
        ["rsvg-convert", "--width", str(size), "--height", str(size),
         "--format", "png", svg_path],
        check=True, stdout=subprocess.PIPE).stdout


def decode_png(data):
    """Decode an 8-bit RGBA or RGB, non-interlaced PNG into rows of RGBA."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG")
    pos = 8
    idat = b""
    width = height = None
    while pos < len(data):
        length, ctype = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if ctype == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(
                ">IIBBBBB", body)
            if depth != 8 or colour not in (2, 6) or interlace != 0:
                raise ValueError("unsupported PNG layout")
            channels = 4 if colour == 6 else 3
        elif ctype == b"IDAT":
            idat += body
        elif ctype == b"IEND":
            break
    raw = zlib.decompress(idat)
    stride = width * channels
    rows = []
    prev = bytearray(stride)
    p = 0
    for _ in range(height):
        ftype = raw[p]
        line = bytearray(raw[p + 1:p + 1 + stride])
        p += 1 + stride
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b = prev[i]
            c = prev[i - channels] if i >= channels else 0
            if ftype == 1:
                line[i] = (line[i] + a) & 0xFF
            elif ftype == 2:
                line[i] = (line[i] + b) & 0xFF
            elif ftype == 3:
                line[i] = (line[i] + ((a + b) >> 1)) & 0xFF
            elif ftype == 4:
                pa, pb, pc = abs(b - c), abs(a - c), abs(a + b - 2 * c)
                pred = a if (pa <= pb and pa <= pc) else (b if pb <= pc else c)
                line[i] = (line[i] + pred) & 0xFF
        prev = line
        row = []
        for x in range(width):
            px = tuple(line[x * channels:(x + 1) * channels])
            row.append(px if channels == 4 else px + (255,))
        rows.append(row)
    return rows


def render(svg_path, size):
    return decode_png(render_png_bytes(svg_path, size))


# --------------------------------------------------------------------------
# Palette handling
# --------------------------------------------------------------------------

def svg_palette(svg_path):
    """Black first, then every #rrggbb of the SVG in order of appearance."""
    with open(svg_path, encoding="utf-8") as f:
        text = f.read()
    pal = [BLACK]
    for m in re.finditer(r"#([0-9a-fA-F]{6})\b", text):
        c = tuple(int(m.group(1)[i:i + 2], 16) for i in (0, 2, 4))
        if c not in pal:
            pal.append(c)
    if len(pal) > 16:
        raise SystemExit("%s uses %d colours, at most 15 (+ black) allowed"
                         % (svg_path, len(pal)))
    while len(pal) < 16:
        pal.append(BLACK)
    return pal


def nearest(pal, rgb, cache):
    hit = cache.get(rgb)
    if hit is None:
        r, g, b = rgb
        best = None
        for i, (pr, pg, pb) in enumerate(pal):
            rm = (r + pr) / 2.0        # "redmean" weighted distance
            d = ((2 + rm / 256) * (r - pr) ** 2 + 4 * (g - pg) ** 2
                 + (2 + (255 - rm) / 256) * (b - pb) ** 2)
            if best is None or d < best:
                best, hit = d, i
        cache[rgb] = hit
    return hit


def quantise(rows, pal):
    """-> (index rows, mask rows); mask 1 = transparent."""
    cache = {}
    idx, mask = [], []
    for row in rows:
        irow, mrow = [], []
        for r, g, b, a in row:
            if a < 128:
                irow.append(0)
                mrow.append(1)
            else:
                irow.append(nearest(pal, (r, g, b), cache))
                mrow.append(0)
        idx.append(irow)
        mask.append(mrow)
    return idx, mask


def flatten_on_white(rows):
    out = []
    for row in rows:
        out.append([tuple((c * a + 255 * (255 - a) + 127) // 255
                          for c in (r, g, b)) for r, g, b, a in row])
    return out


# --------------------------------------------------------------------------
# ICO writing (BMP-style entries) and reading back
# --------------------------------------------------------------------------

def _pad4(b):
    return b + b"\0" * (-len(b) % 4)


def _mask_bytes(mask):
    out = b""
    for mrow in reversed(mask):             # bottom-up
        bits = bytearray((len(mrow) + 7) // 8)
        for x, m in enumerate(mrow):
            if m:
                bits[x // 8] |= 0x80 >> (x % 8)
        out += _pad4(bytes(bits))
    return out


def entry_4bit(idx, mask, pal):
    size = len(idx)
    xor = b""
    for irow in reversed(idx):
        line = bytearray()
        for x in range(0, size, 2):
            line.append((irow[x] << 4) | irow[x + 1])
        xor += _pad4(bytes(line))
    andm = _mask_bytes(mask)
    head = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0,
                       len(xor) + len(andm), 0, 0, 16, 0)
    palb = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in pal)
    return (size, 16, 4, head + palb + xor + andm)


def entry_24bit(rgb_rows):
    size = len(rgb_rows)
    xor = b""
    for row in reversed(rgb_rows):
        xor += _pad4(b"".join(struct.pack("BBB", b, g, r) for r, g, b in row))
    andm = _mask_bytes([[0] * size for _ in range(size)])
    head = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 24, 0,
                       len(xor) + len(andm), 0, 0, 0, 0)
    return (size, 0, 24, head + xor + andm)


def write_ico(path, entries):
    out = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    blobs = b""
    for size, ncol, bpp, data in entries:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, ncol, 0,
                           1, bpp, len(data), offset + len(blobs))
        blobs += data
    with open(path, "wb") as f:
        f.write(out + blobs)


def read_ico(path):
    """-> list of dicts: size, bpp, ncolours, mask (rows, 1 = transparent)."""
    with open(path, "rb") as f:
        data = f.read()
    reserved, kind, count = struct.unpack("<HHH", data[:6])
    if reserved != 0 or kind != 1:
        raise ValueError("%s: not an icon file" % path)
    result = []
    for n in range(count):
        w, h, ncol, _, planes, bpp, length, off = struct.unpack(
            "<BBBBHHII", data[6 + 16 * n:22 + 16 * n])
        hdr = struct.unpack("<IiiHHIIiiII", data[off:off + 40])
        size = w or 256
        if hdr[0] != 40 or hdr[1] != size or hdr[2] != 2 * size \
                or hdr[4] != bpp or (h or 256) != size:
            raise ValueError("%s: entry %d header mismatch" % (path, n))
        pal_len = 4 * (1 << bpp) if bpp <= 8 else 0
        xor_len = ((size * bpp + 31) // 32) * 4 * size
        and_stride = ((size + 31) // 32) * 4
        and_off = off + 40 + pal_len + xor_len
        if and_off + and_stride * size != off + length:
            raise ValueError("%s: entry %d has wrong length" % (path, n))
        mask = []
        for y in range(size - 1, -1, -1):
            line = data[and_off + y * and_stride:and_off + (y + 1) * and_stride]
            mask.append([(line[x // 8] >> (7 - x % 8)) & 1
                         for x in range(size)])
        result.append({"size": size, "bpp": bpp, "ncolours": ncol,
                       "mask": mask})
    return result


# --------------------------------------------------------------------------
# The pictures
# --------------------------------------------------------------------------

def src(name):
    return os.path.join(SRC, name)


def make_paletted(ico_name, sources):
    """sources: list of (svg file, pixel size)."""
    entries = []
    for svg, size in sources:
        pal = svg_palette(src(svg))
        idx, mask = quantise(render(src(svg), size), pal)
        entries.append(entry_4bit(idx, mask, pal))
    write_ico(os.path.join(HERE, ico_name), entries)


def make_die():
    rgb = flatten_on_white(render(src("die.svg"), 32))
    write_ico(os.path.join(HERE, "die.ico"), [entry_24bit(rgb)])


def make_hicolor():
    for size in (16, 32, 48, 128):
        svg = "die_16.svg" if size == 16 else "die.svg"
        d = os.path.join(HERE, "hicolor", "%dx%d" % (size, size), "apps")
        os.makedirs(d, exist_ok=True)
        with open(os.path.join(d, "zolta.png"), "wb") as f:
            f.write(render_png_bytes(src(svg), size))
    d = os.path.join(HERE, "hicolor", "scalable", "apps")
    os.makedirs(d, exist_ok=True)
    shutil.copyfile(src("die.svg"), os.path.join(d, "zolta.svg"))


LAMPS = ("grey", "yellow", "red", "green")


def check():
    """Read every .ico back and compare with what it has to be."""
    problems = []

    def expect(cond, text):
        if not cond:
            problems.append(text)

    want = {"die.ico": [(32, 24)],
            "hand.ico": [(32, 4), (16, 4)],
            "pencil.ico": [(32, 4), (16, 4)]}
    for c in LAMPS:
        want["lamp_%s.ico" % c] = [(32, 4)]
    for name, layout in sorted(want.items()):
        ents = read_ico(os.path.join(HERE, name))
        got = [(e["size"], e["bpp"]) for e in ents]
        expect(got == layout, "%s: entries %s, expected %s" % (name, got, layout))
        for e in ents:
            m, s = e["mask"], e["size"]
            clear = sum(map(sum, m))
            if name == "die.ico":
                expect(clear == 0, "die.ico has %d transparent pixels" % clear)
            else:
                expect(e["ncolours"] == 16, "%s: colour count" % name)
                expect(0 < clear < s * s,
                       "%s %dx%d: %d transparent pixels" % (name, s, s, clear))
            if name.startswith("lamp_"):
                for x, y in ((0, 0), (s - 1, 0), (0, s - 1), (s - 1, s - 1)):
                    expect(m[y][x] == 1, "%s: corner %d,%d opaque" % (name, x, y))
                c = (s - 1) / 2.0
                holes = [(x, y) for y in range(s) for x in range(s)
                         if (x - c) ** 2 + (y - c) ** 2 <= (s / 2.0 - 1.5) ** 2
                         and m[y][x] == 1]
                expect(not holes, "%s: %d transparent pixels inside the "
                       "circle, e.g. %s" % (name, len(holes), holes[:3]))
    for size in (16, 32, 48, 128):
        p = os.path.join(HERE, "hicolor", "%dx%d" % (size, size), "apps",
                         "zolta.png")
        rows = decode_png(open(p, "rb").read())
        expect(len(rows) == size and len(rows[0]) == size,
               "%s has wrong size" % p)
    if problems:
        raise SystemExit("make_icons: check failed:\n  " + "\n  ".join(problems))


def main():
    make_die()
    make_paletted("hand.ico", [("hand.svg", 32), ("hand_16.svg", 16)])
    make_paletted("pencil.ico", [("pencil.svg", 32), ("pencil_16.svg", 16)])
    for c in LAMPS:
        make_paletted("lamp_%s.ico" % c, [("lamp_%s.svg" % c, 32)])
    make_hicolor()
    check()
    print("make_icons: all icons written and checked")


if __name__ == "__main__":
    sys.exit(main())
