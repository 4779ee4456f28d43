#!/usr/bin/env python3
"""Writes the program's pictures as exact Windows bitmap and icon files.

ImageMagick draws the artwork in true colour; this tool maps the pixels onto
a fixed colour table and writes uncompressed BI_RGB device-independent
bitmaps with 4 bits per pixel (the 16 standard colours) or 8 bits per pixel
(a 256-entry table), and 16-colour icons with their transparency masks.

Usage:
  dib.py palette <out.pal> <adaptive.ppm>
      256-entry table: the 20 static colours of a palette display at their
      usual places (0-9, 246-255) and the colours of <adaptive.ppm> between.
  dib.py bmp <4|8> <table.pal|standard> <in.ppm|in.pam> <out.bmp>
  dib.py ico <out.ico> <in.pam> [<in.pam> ...]
      one 16-colour image per input; alpha below 128 is transparent.
  dib.py lamp <green|red> <size> <4|8> <out.pam>
  dib.py emblem <size> <normal|disabled|rich> <out.pam>
"""

import math
import struct
import sys

# The 16 colours of a 16-colour display, in the order of the display's own
# colour table.
STANDARD = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

# The 20 colours that a palette display reserves: 10 at the start of the
# system palette, 10 at its end.
STATIC_LOW = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128),
    (128, 0, 128), (0, 128, 128), (192, 192, 192), (192, 220, 192), (166, 202, 240),
]
STATIC_HIGH = [
    (255, 251, 240), (160, 160, 164), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

CYAN = (0, 255, 255)


# ---------------------------------------------------------------- images --

def read_image(path):
    """Reads a binary PPM (P6) or PAM (P7) file: (width, height, rgb, alpha)."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] == b"P6":
        fields, pos = [], 2
        while len(fields) < 3:
            while data[pos:pos + 1].isspace():
                pos += 1
            if data[pos:pos + 1] == b"#":
                pos = data.index(b"\n", pos)
                continue
            end = pos
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(int(data[pos:end]))
            pos = end
        pos += 1
        w, h, maxval = fields
        if maxval != 255:
            raise ValueError(path + ": 8-bit samples expected")
        raw = data[pos:pos + w * h * 3]
        rgb = [tuple(raw[i:i + 3]) for i in range(0, len(raw), 3)]
        return w, h, rgb, None
    if data[:2] == b"P7":
        end = data.index(b"ENDHDR\n")
        header = dict(line.split(None, 1) for line in data[3:end].decode().splitlines() if line)
        w, h, depth = int(header["WIDTH"]), int(header["HEIGHT"]), int(header["DEPTH"])
        raw = data[end + 7:end + 7 + w * h * depth]
        px = [tuple(raw[i:i + depth]) for i in range(0, len(raw), depth)]
        if depth == 4:
            return w, h, [p[:3] for p in px], [p[3] for p in px]
        if depth == 3:
            return w, h, px, None
        raise ValueError(path + ": RGB or RGB_ALPHA expected")
    raise ValueError(path + ": not a PPM or PAM file")


def write_pam(path, w, h, rgba):
    with open(path, "wb") as f:
        f.write(("P7\nWIDTH %d\nHEIGHT %d\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n"
                 % (w, h)).encode())
        f.write(bytes(v for p in rgba for v in p))


# ------------------------------------------------------------- palettes --

def read_table(name):
    if name == "standard":
        return list(STANDARD)
    with open(name) as f:
        return [tuple(int(line[i:i + 2], 16) for i in (0, 2, 4)) for line in f if line.strip()]


def make_palette(out, adaptive_path):
    _, _, colours, _ = read_image(adaptive_path)
    reserved = set(STATIC_LOW + STATIC_HIGH)
    middle = []
    for c in colours:
        if c not in reserved and c not in middle:
            middle.append(c)
    middle = middle[:236]
    while len(middle) < 236:
        middle.append((0, 0, 0))
    table = STATIC_LOW + middle + STATIC_HIGH
    with open(out, "w") as f:
        for r, g, b in table:
            f.write("%02x%02x%02x\n" % (r, g, b))
    # The same table as a 256 x 1 picture, for ImageMagick's -remap.
    with open(out + ".ppm", "wb") as f:
        f.write(b"P6\n256 1\n255\n" + bytes(v for c in table for v in c))


def nearest_indices(rgb, table):
    """Maps each pixel to the closest table entry (weighted RGB distance)."""
    cache = {}
    exact = {}
    for i, c in enumerate(table):
        exact.setdefault(c, i)
    out = []
    for p in rgb:
        i = cache.get(p)
        if i is None:
            i = exact.get(p)
            if i is None:
                r, g, b = p
                best = None
                for j, (tr, tg, tb) in enumerate(table):
                    d = 3 * (r - tr) ** 2 + 4 * (g - tg) ** 2 + 2 * (b - tb) ** 2
                    if best is None or d < best:
                        best, i = d, j
            cache[p] = i
        out.append(i)
    return out


# ---------------------------------------------------------------- writers --

def pack_rows(w, h, indices, bits):
    """Bottom-up pixel rows, each padded to a multiple of 4 bytes."""
    rows = []
    for y in range(h - 1, -1, -1):
        line = indices[y * w:(y + 1) * w]
        if bits == 8:
            row = bytes(line)
        elif bits == 4:
            padded = line + [0] * (len(line) % 2)
            row = bytes((padded[i] << 4) | padded[i + 1] for i in range(0, len(padded), 2))
        else:  # 1 bit
            padded = line + [0] * ((8 - len(line) % 8) % 8)
            row = bytes(sum(padded[i + k] << (7 - k) for k in range(8))
                        for i in range(0, len(padded), 8))
        rows.append(row + b"\0" * ((4 - len(row) % 4) % 4))
    return b"".join(rows)


def info_header(w, h, bits, colours, image_size):
    return struct.pack("<IiiHHIIiiII", 40, w, h, 1, bits, 0, image_size, 0, 0, colours, 0)


def colour_table(table):
    return b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in table)


def write_bmp(out, bits, table_name, src):
    w, h, rgb, _ = read_image(src)
    table = read_table(table_name)
    if len(table) != 1 << bits:
        raise ValueError("a %d-bit picture needs %d table entries" % (bits, 1 << bits))
    pixels = pack_rows(w, h, nearest_indices(rgb, table), bits)
    body = info_header(w, h, bits, len(table), len(pixels)) + colour_table(table) + pixels
    with open(out, "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", 14 + len(body), 0, 0, 14 + 40 + 4 * len(table)))
        f.write(body)


def write_ico(out, sources):
    images = []
    for src in sources:
        w, h, rgb, alpha = read_image(src)
        alpha = alpha or [255] * (w * h)
        mask = [0 if a >= 128 else 1 for a in alpha]
        # Transparent pixels are black in the colour image, so that the
        # platform's AND-then-XOR drawing leaves the screen as it was.
        rgb = [p if m == 0 else (0, 0, 0) for p, m in zip(rgb, mask)]
        xor = pack_rows(w, h, nearest_indices(rgb, STANDARD), 4)
        andmask = pack_rows(w, h, mask, 1)
        body = (info_header(w, 2 * h, 4, 0, len(xor) + len(andmask))
                + colour_table(STANDARD) + xor + andmask)
        images.append((w, h, body))
    offset = 6 + 16 * len(images)
    with open(out, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(images)))
        for w, h, body in images:
            f.write(struct.pack("<BBBBHHII", w, h, 16, 0, 1, 4, len(body), offset))
            offset += len(body)
        for _, _, body in images:
            f.write(body)


# ------------------------------------------------------------- drawings --

def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def lamp(colour, size, bits, out):
    """A round lamp on a pure cyan ground. The rim is hard-edged, so that
    every pixel is either exactly cyan or part of the lamp."""
    if bits == 4:
        body = {"green": (0, 255, 0), "red": (255, 0, 0)}[colour]
        rim = {"green": (0, 128, 0), "red": (128, 0, 0)}[colour]
        light = (255, 255, 255)
    else:
        body = {"green": (40, 200, 60), "red": (222, 40, 36)}[colour]
        rim = {"green": (10, 90, 24), "red": (110, 12, 10)}[colour]
        light = {"green": (200, 255, 200), "red": (255, 205, 195)}[colour]
    c = (size - 1) / 2.0
    radius = size / 2.0 - 0.25
    hx, hy = c - size * 0.17, c - size * 0.19  # highlight, upper left
    rgba = []
    for y in range(size):
        for x in range(size):
            d = math.hypot(x - c, y - c)
            if d > radius:
                rgba.append(CYAN + (255,))
                continue
            if d > radius - 1.1:
                p = rim
            elif bits == 4:
                p = light if math.hypot(x - hx, y - hy) < size * 0.12 else body
            else:
                shade = min(1.0, d / radius)
                p = mix(body, rim, 0.55 * shade * shade)
                glow = max(0.0, 1.0 - math.hypot(x - hx, y - hy) / (size * 0.28))
                p = mix(p, light, glow * 0.9)
            rgba.append(p + (255,))
    write_pam(out, size, size, rgba)


# Tile colours of the emblem: four diamonds laid together into one larger
# diamond (top, right, bottom, left), with a dark outline.
EMBLEM = {
    "rich": [(92, 214, 230), (47, 125, 225), (245, 185, 66), (30, 154, 168), (18, 48, 94)],
    "normal": [(0, 255, 255), (0, 0, 255), (255, 255, 0), (0, 128, 128), (0, 0, 128)],
    "disabled": [(192, 192, 192), (128, 128, 128), (255, 255, 255), (128, 128, 128),
                 (0, 0, 0)],
}


def emblem_pixel(px, py, size, tiles):
    """Colour of one point of the emblem, or None outside it."""
    c = size / 2.0
    r = size / 2.0 - 0.5
    u = (px - c) / r
    v = (py - c) / r
    if abs(u) + abs(v) > 1.0:
        return None
    if abs(u) + abs(v) > 1.0 - max(1.0, size / 20.0) / r:
        return tiles[4]
    # Rotate by 45 degrees: the four tiles are the quadrants there.
    a, b = (u + v), (v - u)
    gap = max(0.75, size / 28.0) / r
    if abs(a) < gap or abs(b) < gap:
        return tiles[4]
    if a < 0 and b < 0:
        return tiles[0]
    if a > 0 and b < 0:
        return tiles[1]
    if a > 0 and b > 0:
        return tiles[2]
    return tiles[3]


def emblem(size, kind, out):
    tiles = EMBLEM[kind]
    rgba = []
    samples = 1 if kind != "rich" else 4
    for y in range(size):
        for x in range(size):
            hits = []
            for sy in range(samples):
                for sx in range(samples):
                    p = emblem_pixel(x + (sx + 0.5) / samples, y + (sy + 0.5) / samples,
                                     size, tiles)
                    if p is not None:
                        hits.append(p)
            if not hits:
                rgba.append((0, 0, 0, 0))
                continue
            avg = tuple(sum(p[i] for p in hits) // len(hits) for i in range(3))
            rgba.append(avg + (255 * len(hits) // (samples * samples),))
    if kind == "disabled":
        # A red bar across the lower right corner marks the switched-off state.
        for y in range(size):
            for x in range(size):
                t = (x + y) - (size * 1.45)
                if x > size * 0.5 and y > size * 0.5 and abs(t) <= max(1.0, size / 16.0):
                    rgba[y * size + x] = (255, 0, 0, 255)
    write_pam(out, size, size, rgba)


def main(argv):
    cmd = argv[1] if len(argv) > 1 else ""
    if cmd == "palette" and len(argv) == 4:
        make_palette(argv[2], argv[3])
    elif cmd == "bmp" and len(argv) == 6:
        write_bmp(argv[5], int(argv[2]), argv[3], argv[4])
    elif cmd == "ico" and len(argv) >= 4:
        write_ico(argv[2], argv[3:])
    elif cmd == "lamp" and len(argv) == 6:
        lamp(argv[2], int(argv[3]), int(argv[4]), argv[5])
    elif cmd == "emblem" and len(argv) == 5:
        emblem(int(argv[2]), argv[3], argv[4])
    else:
        sys.stderr.write(__doc__)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
