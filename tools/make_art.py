#!/usr/bin/env python3
"""Generates the programs' bitmaps and icons (BMP and ICO files) from the
sizes, colour depths and subjects each resource calls for. Standard library
only. The generated files are committed, so the build needs no image tools.

    tools/make_art.py     # rewrites calibrator/art, install/art, package/nilpt.cur
"""
import math
import os
import struct

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# The standard 16-colour palette of Windows, in index order.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

BLACK, WHITE = (0, 0, 0), (255, 255, 255)
GREY, LIGHT_GREY, DARK_GREY = (128, 128, 128), (192, 192, 192), (96, 96, 96)
YELLOW, TEAL, CYAN = (255, 255, 0), (0, 128, 128), (0, 255, 255)
ORANGE, BLUE, GREEN = (255, 128, 0), (0, 0, 255), (0, 255, 0)


class Canvas:
    """An RGB raster, top row first, with the few shapes the art needs."""

    def __init__(self, w, h, fill=WHITE):
        self.w, self.h = w, h
        self.px = [[fill] * w for _ in range(h)]

    def put(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c):
        """Fills x0..x1, y0..y1 inclusive."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, c)

    def frame(self, x0, y0, x1, y1, c, t=1):
        self.rect(x0, y0, x1, y0 + t - 1, c)
        self.rect(x0, y1 - t + 1, x1, y1, c)
        self.rect(x0, y0, x0 + t - 1, y1, c)
        self.rect(x1 - t + 1, y0, x1, y1, c)

    def disc(self, cx, cy, r, c):
        for y in range(int(cy - r) - 1, int(cy + r) + 2):
            for x in range(int(cx - r) - 1, int(cx + r) + 2):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    self.put(x, y, c)

    def ring(self, cx, cy, r, c, t=1.0):
        for y in range(int(cy - r) - 2, int(cy + r) + 3):
            for x in range(int(cx - r) - 2, int(cx + r) + 3):
                if abs(math.hypot(x - cx, y - cy) - r) <= t / 2:
                    self.put(x, y, c)

    def line(self, x0, y0, x1, y1, c, t=1):
        n = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(n + 1):
            x = x0 + (x1 - x0) * i / n
            y = y0 + (y1 - y0) * i / n
            self.rect(int(round(x - t / 2)), int(round(y - t / 2)),
                      int(round(x - t / 2)) + t - 1, int(round(y - t / 2)) + t - 1, c)

    def ellipse(self, cx, cy, rx, ry, c):
        for y in range(int(cy - ry) - 1, int(cy + ry) + 2):
            for x in range(int(cx - rx) - 1, int(cx + rx) + 2):
                if ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1:
                    self.put(x, y, c)

    def polygon(self, pts, c):
        ys = [p[1] for p in pts]
        for y in range(int(min(ys)), int(max(ys)) + 1):
            xs = []
            for i in range(len(pts)):
                (xa, ya), (xb, yb) = pts[i], pts[(i + 1) % len(pts)]
                if (ya <= y + 0.5 < yb) or (yb <= y + 0.5 < ya):
                    xs.append(xa + (y + 0.5 - ya) * (xb - xa) / (yb - ya))
            xs.sort()
            for i in range(0, len(xs) - 1, 2):
                for x in range(int(round(xs[i])), int(round(xs[i + 1]))):
                    self.put(x, y, c)

    def grid_rect(self, x0, y0, x1, y1, c, cell):
        """A rectangle given on a 32 x 32 grid, scaled to the canvas by cell."""
        self.rect(int(x0 * cell), int(y0 * cell), int(x1 * cell), int(y1 * cell), c)

    def text(self, x, y, s, c, scale=1):
        """Blocky capital letters from a 5 x 7 font, for lettering in the art."""
        for ch in s:
            rows = FONT.get(ch, FONT[' '])
            for ry, row in enumerate(rows):
                for rx, bit in enumerate(row):
                    if bit == '#':
                        self.rect(x + rx * scale, y + ry * scale,
                                  x + rx * scale + scale - 1, y + ry * scale + scale - 1, c)
            x += 6 * scale


FONT = {
    ' ': ['.....'] * 7,
    'V': ['#...#', '#...#', '#...#', '#...#', '#...#', '.#.#.', '..#..'],
    'E': ['#####', '#....', '#....', '####.', '#....', '#....', '#####'],
    'L': ['#....', '#....', '#....', '#....', '#....', '#....', '#####'],
    'M': ['#...#', '##.##', '#.#.#', '#.#.#', '#...#', '#...#', '#...#'],
    'O': ['.###.', '#...#', '#...#', '#...#', '#...#', '#...#', '.###.'],
    'R': ['####.', '#...#', '#...#', '####.', '#.#..', '#..#.', '#...#'],
    'A': ['.###.', '#...#', '#...#', '#####', '#...#', '#...#', '#...#'],
    'T': ['#####', '..#..', '..#..', '..#..', '..#..', '..#..', '..#..'],
    'U': ['#...#', '#...#', '#...#', '#...#', '#...#', '#...#', '.###.'],
    'C': ['.###.', '#...#', '#....', '#....', '#....', '#...#', '.###.'],
    'H': ['#...#', '#...#', '#...#', '#####', '#...#', '#...#', '#...#'],
    'S': ['.####', '#....', '#....', '.###.', '....#', '....#', '####.'],
    'N': ['#...#', '##..#', '#.#.#', '#..##', '#...#', '#...#', '#...#'],
}


def nearest(palette, c):
    return min(range(len(palette)),
               key=lambda i: sum((a - b) ** 2 for a, b in zip(palette[i], c)))


def dib(canvas, bpp, palette=None):
    """A bottom-up DIB: BITMAPINFOHEADER, palette, pixel rows padded to 4 bytes."""
    w, h = canvas.w, canvas.h
    if bpp <= 8 and palette is None:
        colours = []
        for row in canvas.px:
            for c in row:
                if c not in colours:
                    colours.append(c)
        assert len(colours) <= 256, 'too many colours'
        palette = colours + [BLACK] * (256 - len(colours))
    rows = []
    for row in reversed(canvas.px):
        if bpp == 24:
            data = b''.join(struct.pack('BBB', b, g, r) for r, g, b in row)
        else:
            idx = [nearest(palette, c) if c not in palette else palette.index(c) for c in row]
            if bpp == 8:
                data = bytes(idx)
            else:
                idx += [0] * (len(idx) % 2)
                data = bytes(idx[i] << 4 | idx[i + 1] for i in range(0, len(idx), 2))
        data += b'\0' * (-len(data) % 4)
        rows.append(data)
    pixels = b''.join(rows)
    pal = b''
    if bpp <= 8:
        pal = b''.join(struct.pack('BBBB', b, g, r, 0) for r, g, b in palette[:1 << bpp])
    header = struct.pack('<IiiHHIIiiII', 40, w, h, 1, bpp, 0, len(pixels), 2835, 2835,
                         len(palette[:1 << bpp]) if bpp <= 8 else 0, 0)
    return header, pal, pixels


def write_bmp(path, canvas, bpp, palette=None):
    header, pal, pixels = dib(canvas, bpp, palette)
    offset = 14 + len(header) + len(pal)
    with open(path, 'wb') as f:
        f.write(b'BM' + struct.pack('<IHHI', offset + len(pixels), 0, 0, offset))
        f.write(header + pal + pixels)


def write_ico(path, images):
    """images: (canvas, bpp, palette) each; white pixels stay opaque."""
    entries, blobs = [], []
    offset = 6 + 16 * len(images)
    for canvas, bpp, palette in images:
        header, pal, pixels = dib(canvas, bpp, palette)
        # An icon's DIB header counts the XOR and the AND mask rows together.
        header = header[:8] + struct.pack('<i', canvas.h * 2) + header[12:]
        mask_row = ((canvas.w + 31) // 32) * 4
        blob = header + pal + pixels + b'\0' * (mask_row * canvas.h)
        colours = 0 if bpp >= 8 else 1 << bpp
        entries.append(struct.pack('<BBBBHHII', canvas.w, canvas.h, colours, 0, 1, bpp,
                                   len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    with open(path, 'wb') as f:
        f.write(struct.pack('<HHH', 0, 1, len(images)) + b''.join(entries) + b''.join(blobs))


# ---- the calibrator ----------------------------------------------------------

def target():
    """65 x 65: a dark grey disc with a light grey inner disc, black outlines,
    and two striped bands five pixels wide crossing at the centre pixel."""
    c = Canvas(65, 65)
    c.disc(32, 32, 26, BLACK)
    c.disc(32, 32, 25, DARK_GREY)
    c.disc(32, 32, 14, BLACK)
    c.disc(32, 32, 13, LIGHT_GREY)
    stripes = [YELLOW, TEAL, YELLOW, TEAL, YELLOW]
    for i, colour in enumerate(stripes):
        c.rect(0, 30 + i, 64, 30 + i, colour)
    for i, colour in enumerate(stripes):
        c.rect(30 + i, 0, 30 + i, 64, colour)
    c.rect(30, 30, 34, 34, YELLOW)
    c.put(32, 32, BLACK)  # the very point to touch
    return c


def check_mark():
    """28 x 27: a cyan tick with a black outline leaving a black-framed white
    box, with a grey shadow."""
    c = Canvas(28, 27)
    c.rect(4, 10, 21, 26, GREY)              # shadow
    c.rect(2, 8, 19, 24, WHITE)
    c.frame(2, 8, 19, 24, BLACK)
    tick = [(5, 15), (9, 13), (12, 17), (23, 1), (27, 3), (12, 23)]
    c.polygon([(x + 1, y + 1) for x, y in tick], GREY)
    c.polygon(tick, BLACK)
    inner = [(7, 15), (9, 14.5), (12, 19), (23, 3), (25, 3.5), (12, 21.5)]
    c.polygon(inner, CYAN)
    return c


def hand():
    """91 x 109, greyscale: a hand whose index finger touches the edge of a
    screen, in a black frame."""
    c = Canvas(91, 109, (214, 214, 214))
    for y in range(109):                     # soft background gradient
        g = 200 + y * 40 // 109
        c.rect(0, y, 90, y, (g, g, g))
    c.rect(0, 0, 90, 22, (60, 60, 60))       # the screen's bezel, top
    c.rect(4, 4, 86, 18, (130, 130, 130))    # its glass
    c.rect(0, 22, 90, 24, (30, 30, 30))      # the screen's edge
    skin = [(140, 140, 140), (170, 170, 170), (195, 195, 195)]
    c.ellipse(54, 80, 22, 20, skin[0])       # back of the hand
    c.ellipse(54, 78, 19, 17, skin[1])
    c.rect(33, 26, 43, 72, skin[0])          # index finger, up to the edge
    c.rect(35, 26, 41, 72, skin[2])
    c.rect(36, 28, 40, 32, (225, 225, 225))  # nail
    for x0 in (45, 54, 63):                  # three fingers folded in
        c.ellipse(x0 + 4, 62, 5, 6, skin[0])
        c.ellipse(x0 + 4, 62, 3, 4, skin[2])
    c.ellipse(40, 84, 8, 5, skin[0])         # thumb tucked across
    c.ellipse(40, 84, 6, 3, skin[2])
    c.rect(40, 96, 68, 108, skin[0])         # wrist
    c.frame(0, 0, 90, 108, BLACK, 2)
    return c


def plus():
    """30 x 30: a black plus with bars seven pixels wide."""
    c = Canvas(30, 30)
    c.rect(11, 2, 17, 27, BLACK)
    c.rect(2, 11, 27, 17, BLACK)
    return c


def rings_target():
    """90 x 90: an orange cross over faint grey rings and a light grey disc."""
    c = Canvas(90, 90)
    for r in (42, 34, 26, 18):
        c.ring(45, 45, r, (225, 225, 225), 1.5)
    c.disc(45, 45, 10, LIGHT_GREY)
    c.rect(43, 4, 47, 86, ORANGE)
    c.rect(4, 43, 86, 47, ORANGE)
    return c


def monitor_icon(size, bpp):
    """A grey monitor whose blue screen shows a green cross near its top-left."""
    c = Canvas(size, size)
    s = size / 32
    def r(x0, y0, x1, y1, col):
        c.grid_rect(x0, y0, x1, y1, col, s)
    r(2, 2, 29, 23, GREY)
    r(2, 2, 29, 2, LIGHT_GREY)
    r(5, 5, 26, 20, BLUE)
    r(8, 7, 8, 13, GREEN)
    r(5, 10, 11, 10, GREEN)
    r(12, 24, 19, 26, GREY)
    r(7, 27, 24, 29, DARK_GREY)
    c.frame(int(2 * s), int(2 * s), int(29 * s), int(23 * s), BLACK)
    return c


# ---- the setup program -------------------------------------------------------

def side_picture():
    """120 x 262, 16 colours: on a teal ground a computer with monitor and
    keyboard, two compact discs, floppy disks and a globe, joined by cables."""
    c = Canvas(120, 262, TEAL)
    for y in range(0, 262, 6):               # a faint pattern on the ground
        c.rect(0, y, 119, y, (0, 128, 128))
    # globe
    c.disc(60, 34, 22, BLUE)
    c.ring(60, 34, 22, BLACK)
    for rx in (8, 16):
        for y in range(13, 56):
            dy = (y - 34) / 22
            if abs(dy) < 1:
                w = rx * math.sqrt(1 - dy * dy)
                c.put(int(60 - w), y, (0, 255, 255))
                c.put(int(60 + w), y, (0, 255, 255))
    c.rect(38, 34, 82, 34, (0, 255, 255))
    c.polygon([(50, 22), (62, 18), (66, 30), (56, 40), (48, 32)], GREEN)
    # monitor and keyboard
    c.rect(22, 92, 98, 148, LIGHT_GREY)
    c.frame(22, 92, 98, 148, BLACK)
    c.rect(30, 99, 90, 140, BLUE)
    c.rect(52, 149, 68, 156, GREY)
    c.rect(18, 162, 102, 176, LIGHT_GREY)
    c.frame(18, 162, 102, 176, BLACK)
    for ky in (165, 169, 173):
        for kx in range(22, 98, 6):
            c.rect(kx, ky, kx + 3, ky + 1, GREY)
    # two compact discs
    for cx, cy in ((30, 212), (62, 222)):
        c.disc(cx, cy, 16, LIGHT_GREY)
        c.ring(cx, cy, 16, BLACK)
        c.ring(cx, cy, 10, WHITE)
        c.disc(cx, cy, 4, TEAL)
        c.ring(cx, cy, 4, BLACK)
    # floppy disks
    for fx, fy in ((84, 198), (92, 226)):
        c.rect(fx, fy, fx + 22, fy + 22, (0, 0, 128))
        c.frame(fx, fy, fx + 22, fy + 22, BLACK)
        c.rect(fx + 6, fy, fx + 16, fy + 7, LIGHT_GREY)
        c.rect(fx + 4, fy + 12, fx + 18, fy + 21, WHITE)
    # cables
    c.line(60, 56, 60, 92, YELLOW, 2)
    c.line(30, 196, 40, 176, YELLOW, 2)
    c.line(62, 206, 60, 176, YELLOW, 2)
    c.line(95, 198, 90, 176, YELLOW, 2)
    return c


def logo():
    """248 x 88: the product's name in orange and black lettering beside a
    pointing hand with touch rings, on white."""
    c = Canvas(248, 88)
    for r in (26, 19, 12):
        c.ring(40, 30, r, ORANGE if r != 19 else (255, 200, 140), 2)
    c.ellipse(44, 64, 14, 16, (255, 214, 170))     # hand
    c.rect(36, 30, 43, 62, (255, 214, 170))        # pointing finger
    c.ellipse(39, 30, 4, 3, (255, 214, 170))
    c.line(36, 30, 36, 60, (120, 70, 30))
    c.line(43, 30, 43, 52, (120, 70, 30))
    c.ring(44, 64, 14, (120, 70, 30))
    c.text(84, 18, 'VELMORA', ORANGE, 3)
    c.text(86, 52, 'TOUCHSCREEN', BLACK, 2)
    c.rect(84, 44, 236, 45, ORANGE)
    return c


def setup_icon(size):
    """A computer beside a software box, 16 colours."""
    c = Canvas(size, size)
    s = size / 32
    def r(x0, y0, x1, y1, col):
        c.grid_rect(x0, y0, x1, y1, col, s)
    r(1, 6, 18, 20, LIGHT_GREY)
    r(3, 8, 16, 18, BLUE)
    r(6, 21, 13, 22, GREY)
    r(2, 23, 18, 26, LIGHT_GREY)
    c.frame(int(1 * s), int(6 * s), int(18 * s), int(20 * s), BLACK)
    r(20, 8, 30, 28, YELLOW)
    r(20, 8, 30, 11, (128, 0, 0))
    r(22, 14, 28, 24, (255, 0, 0))
    c.frame(int(20 * s), int(8 * s), int(30 * s), int(28 * s), BLACK)
    return c


def write_empty_cursor(path):
    """A 32 x 32 cursor that shows nothing: every pixel transparent (AND mask
    set, XOR image black), hot spot in the middle."""
    header = struct.pack('<IiiHHIIiiII', 40, 32, 64, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack('<BBBBBBBB', 0, 0, 0, 0, 255, 255, 255, 0)
    blob = header + palette + b'\0' * (4 * 32) + b'\xff' * (4 * 32)
    with open(path, 'wb') as f:
        f.write(struct.pack('<HHH', 0, 2, 1))
        f.write(struct.pack('<BBBBHHII', 32, 32, 0, 0, 16, 16, len(blob), 22))
        f.write(blob)


def main():
    cal = os.path.join(ROOT, 'calibrator', 'art')
    ins = os.path.join(ROOT, 'install', 'art')
    os.makedirs(cal, exist_ok=True)
    os.makedirs(ins, exist_ok=True)
    write_bmp(os.path.join(cal, 'target.bmp'), target(), 4, VGA16)
    write_bmp(os.path.join(cal, 'checkmark.bmp'), check_mark(), 8)
    write_bmp(os.path.join(cal, 'hand.bmp'), hand(), 24)
    write_bmp(os.path.join(cal, 'plus.bmp'), plus(), 4, VGA16)
    write_bmp(os.path.join(cal, 'rings.bmp'), rings_target(), 24)
    write_ico(os.path.join(cal, 'zentrim.ico'), [(monitor_icon(32, 8), 8, None)])
    write_bmp(os.path.join(ins, 'side.bmp'), side_picture(), 4, VGA16)
    write_bmp(os.path.join(ins, 'logo.bmp'), logo(), 24)
    write_ico(os.path.join(ins, 'setup.ico'),
              [(setup_icon(32), 4, VGA16), (setup_icon(16), 4, VGA16)])
    write_ico(os.path.join(ins, 'setup_small.ico'), [(setup_icon(16), 4, VGA16)])
    write_empty_cursor(os.path.join(ROOT, 'package', 'nilpt.cur'))


if __name__ == '__main__':
    main()
