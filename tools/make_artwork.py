#!/usr/bin/env python3
"""Draws Brixmoor's artwork from scratch.

Writes:
  resources/images/doom2_title.ppm  320x200 RGB title picture (burning city)
  resources/images/udoom_title.ppm  320x200 RGB title picture (moon base)
  resources/images/brx.png          32x32 16-colour program icon
  resources/brixmoor.ico            the same icon at 32x32 and 16x16 (4-bit BMP)
  resources/brixmoor.rc             Windows resource script for the icon
  resources/icons/<n>x<n>/brixmoor.png  the icon for the desktop's hicolor theme at 16, 22,
                                    24, 32, 48, 64, 128 and 256 px: the 16 or 32 px image
                                    blown up by whole pixels, centred where that leaves a rim

The title pictures are binary PPM: the launcher shows one at start-up, and a PPM decodes
in a fraction of the time a PNG takes.

Everything is procedural (our own block font, value noise, simple shapes) and
seeded, so every run gives byte-identical files.  Python 3 standard library only.

Run from the repository root:   python3 tools/make_artwork.py
"""
import math
import os
import random
import struct
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RES = os.path.join(ROOT, "resources")
W, H = 320, 200


# ---------------------------------------------------------------- file output
def _chunk(tag, data):
    return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data))


def write_png(path, w, h, rows, ctype, depth=8, plte=b"", trns=b""):
    out = b"\x89PNG\r\n\x1a\n" + _chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, depth, ctype, 0, 0, 0))
    if plte:
        out += _chunk(b"PLTE", plte)
    if trns:
        out += _chunk(b"tRNS", trns)
    out += _chunk(b"IDAT", zlib.compress(b"".join(b"\0" + r for r in rows), 9)) + _chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(out)


# ---------------------------------------------------------------- helpers
def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def lerp(a, b, t):
    return [a[i] + (b[i] - a[i]) * t for i in range(3)]


def ramp(stops, t):
    if t <= stops[0][0]:
        return list(stops[0][1])
    for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
        if t <= t1:
            return lerp(c0, c1, (t - t0) / (t1 - t0))
    return list(stops[-1][1])


def _hash(ix, iy, seed):
    n = (ix * 374761393 + iy * 668265263 + seed * 982451653) & 0xFFFFFFFF
    n = ((n ^ (n >> 13)) * 1274126177) & 0xFFFFFFFF
    return (n ^ (n >> 16)) / 4294967296.0


def noise(x, y, seed):
    ix, iy = math.floor(x), math.floor(y)
    fx, fy = x - ix, y - iy
    fx, fy = fx * fx * (3 - 2 * fx), fy * fy * (3 - 2 * fy)
    a, b = _hash(ix, iy, seed), _hash(ix + 1, iy, seed)
    c, d = _hash(ix, iy + 1, seed), _hash(ix + 1, iy + 1, seed)
    return a + (b - a) * fx + (c - a) * fy + (a - b - c + d) * fx * fy


def fbm(x, y, seed, octaves=4):
    total, amp, norm = 0.0, 1.0, 0.0
    for o in range(octaves):
        total += noise(x, y, seed + o * 31) * amp
        norm += amp
        amp *= 0.5
        x, y = x * 2.03, y * 2.03
    return total / norm


class Canvas:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.p = [[[0.0, 0.0, 0.0] for _ in range(w)] for _ in range(h)]

    def blend(self, x, y, c, a=1.0):
        if 0 <= x < self.w and 0 <= y < self.h and a > 0:
            px, a = self.p[y][x], min(a, 1.0)
            for i in range(3):
                px[i] += (c[i] - px[i]) * a

    def add(self, x, y, c, k=1.0):
        if 0 <= x < self.w and 0 <= y < self.h:
            px = self.p[y][x]
            for i in range(3):
                px[i] += c[i] * k

    def scale(self, x, y, k):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.p[y][x] = [v * k for v in self.p[y][x]]

    def glow(self, cx, cy, r, c, k=1.0, flat=1.0):
        for y in range(int(cy - r * flat), int(cy + r * flat) + 2):
            for x in range(int(cx - r), int(cx + r) + 2):
                d = math.hypot(x - cx, (y - cy) / flat) / r
                if d < 1:
                    self.add(x, y, c, k * (1 - d) ** 2)

    def rgb_rows(self):
        return [bytes(int(clamp(v, 0, 255) + 0.5) for px in row for v in px) for row in self.p]


def ellipse(mask, cx, cy, rx, ry):
    for y in range(int(cy - ry), int(cy + ry) + 2):
        for x in range(int(cx - rx), int(cx + rx) + 2):
            if ((x + 0.5 - cx) / rx) ** 2 + ((y + 0.5 - cy) / ry) ** 2 <= 1:
                mask.add((x, y))


def capsule(mask, x0, y0, x1, y1, r0, r1=None):
    """Thick segment whose radius goes from r0 to r1."""
    r1 = r0 if r1 is None else r1
    steps = int(math.hypot(x1 - x0, y1 - y0) * 2) + 1
    for i in range(steps + 1):
        t = i / steps
        ellipse(mask, x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, r0 + (r1 - r0) * t + 0.01, r0 + (r1 - r0) * t + 0.01)


def edges(mask, x, y):
    """(lit, shaded) depth of a mask pixel: how close it is to its upper-left / lower-right edge."""
    lit = next((k for k in (1, 2) if (x - k, y) not in mask or (x, y - k) not in mask), 0)
    dark = next((k for k in (1, 2) if (x + k, y) not in mask or (x, y + k) not in mask), 0)
    return lit, dark


# ---------------------------------------------------------------- block font
FONT = {
    "A": ".####.|##..##|##..##|######|##..##|##..##|##..##",
    "B": "#####.|##..##|##..##|#####.|##..##|##..##|#####.",
    "D": "#####.|##..##|##..##|##..##|##..##|##..##|#####.",
    "E": "######|##....|##....|#####.|##....|##....|######",
    "H": "##..##|##..##|##..##|######|##..##|##..##|##..##",
    "I": "##|##|##|##|##|##|##",
    "L": "##...|##...|##...|##...|##...|##...|#####",
    "M": "##...##|###.###|#######|##.#.##|##...##|##...##|##...##",
    "N": "##..##|###.##|######|##.###|##..##|##..##|##..##",
    "O": ".####.|##..##|##..##|##..##|##..##|##..##|.####.",
    "R": "#####.|##..##|##..##|#####.|##.##.|##..##|##..##",
    "T": "######|..##..|..##..|..##..|..##..|..##..|..##..",
    "U": "##..##|##..##|##..##|##..##|##..##|##..##|.####.",
    " ": "...|...|...|...|...|...|...",
}
GLYPHS = {k: v.split("|") for k, v in FONT.items()}


def text_width(text, s):
    return (sum(len(GLYPHS[ch][0]) for ch in text) + len(text) - 1) * s


def text_mask(text, s, x0, y0, cut):
    """Pixel mask of text at scale s; convex corners get a diagonal cut of size `cut`."""
    mask, x = set(), x0
    for ch in text:
        g = GLYPHS[ch]
        gw = len(g[0])
        on = lambda c, r: 0 <= r < 7 and 0 <= c < gw and g[r][c] == "#"
        for r in range(7):
            for c in range(gw):
                if not on(c, r):
                    continue
                for ly in range(s):
                    for lx in range(s):
                        rx, ry = s - 1 - lx, s - 1 - ly
                        if ((not on(c - 1, r) and not on(c, r - 1) and lx + ly < cut) or
                                (not on(c + 1, r) and not on(c, r - 1) and rx + ly < cut) or
                                (not on(c - 1, r) and not on(c, r + 1) and lx + ry < cut) or
                                (not on(c + 1, r) and not on(c, r + 1) and rx + ry < cut)):
                            continue
                        mask.add((x + c * s + lx, y0 + r * s + ly))
        x += (gw + 1) * s
    return mask


def draw_title(cv, text, s, y0, stops, outline, seed, shadow=3, cut=None):
    x0 = (cv.w - text_width(text, s)) // 2
    mask = text_mask(text, s, x0, y0, s // 2 if cut is None else cut)
    top, bot = y0, y0 + 7 * s
    for d in range(1, shadow + 2):                       # soft drop shadow
        for (x, y) in mask:
            if (x + d, y + d) not in mask:
                cv.scale(x + d, y + d, 0.72)
    ring = {(x + dx, y + dy) for (x, y) in mask for dx in (-1, 0, 1) for dy in (-1, 0, 1)} - mask
    for (x, y) in ring:
        cv.blend(x, y, outline, 0.9)
    for (x, y) in mask:
        c = ramp(stops, (y - top) / (bot - top))
        k = 0.88 + 0.24 * noise(x / 2.5, y / 2.5, seed)
        lit, dark = edges(mask, x, y)
        if dark:
            k *= (0.5, 0.75)[dark - 1]
        elif lit:
            c = lerp(c, (255, 255, 235), (0.55, 0.25)[lit - 1])
        cv.blend(x, y, [v * k for v in c])


def vignette(cv, strength):
    for y in range(cv.h):
        for x in range(cv.w):
            d = math.hypot((x - cv.w / 2) / (cv.w / 2), (y - cv.h / 2) / (cv.h / 2))
            cv.scale(x, y, 1 - strength * clamp(d - 0.55) ** 1.5)


# ---------------------------------------------------------------- Doom II: city on fire
FIRE = [(0.0, (0, 0, 0)), (0.3, (150, 20, 0)), (0.55, (240, 90, 10)), (0.8, (255, 200, 60)), (1.0, (255, 255, 210))]


def flame(cv, fx, fy, w, h, seed):
    for y in range(int(fy - h), int(fy) + 1):
        up = clamp((fy - y) / h)                # 0 at the base, 1 at the tip
        for x in range(int(fx - w), int(fx + w) + 1):
            n = fbm(x / 5.0, (y + seed * 7) / 4.0, seed, 3)
            width = w * (1 - up) ** 0.8 * (0.6 + 0.8 * n)
            d = abs(x - fx + (n - 0.5) * 6 * up)
            if d < width:
                heat = (1 - d / width) * (1 - up * 0.85) * (0.7 + 0.6 * n)
                c = ramp(FIRE, clamp(heat * 1.3))
                cv.add(x, y, c, 0.9)
    cv.glow(fx, fy - h * 0.3, w * 4 + h, (200, 70, 10), 0.45)


def skyline(rnd, base, lo, hi, broken):
    """Column tops of a row of buildings, lower towards the middle of the picture."""
    tops, x = [H] * W, -int(rnd.random() * 10)
    while x < W:
        bw = 8 + int(rnd.random() * 18)
        centre = abs((x + bw / 2) - 160) / 160
        top = int(base - lo - (hi - lo) * rnd.random() * (0.3 + 0.7 * centre))
        jag = 0
        for bx in range(max(0, x), min(W, x + bw)):
            if broken and rnd.random() < 0.55:
                jag = max(0, min(8, jag + rnd.choice((-2, -1, 1, 2))))
            tops[bx] = top + (jag if broken and bw < 20 else 0)
        if rnd.random() < 0.3 and 0 <= x + bw // 2 < W:                 # antenna
            tops[x + bw // 2] = top - 5 - int(rnd.random() * 10)
        x += bw
    return tops


def doom2_title():
    cv, rnd = Canvas(W, H), random.Random(1994)
    HOR = 158
    sky = [(0, (10, 2, 2)), (0.35, (40, 6, 4)), (0.62, (105, 18, 6)), (0.82, (200, 58, 12)), (1, (255, 140, 40))]
    for y in range(H):
        t = y / HOR
        for x in range(W):
            c = ramp(sky, t)
            n = fbm(x / 64.0, y / 15.0, 11)
            d = clamp((n - 0.42) * 3.2)                        # banks of smoke
            under = ramp(sky, clamp(t + 0.25 * (1 - d)))         # lit from below by the fires
            cv.p[y][x] = lerp(c, lerp((22, 5, 4), under, 0.55 * clamp(t * 1.3)), d * 0.85)
    cv.glow(160, 110, 150, (150, 38, 8), 0.55, 0.7)               # fire light behind the giant

    # a horned giant looming over the city
    demon = set()
    ellipse(demon, 160, 128, 40, 44)
    ellipse(demon, 160, 150, 30, 30)
    for side in (-1, 1):
        ellipse(demon, 160 + side * 30, 108, 14, 12)             # brow
        ellipse(demon, 160 + side * 42, 118, 7, 12)              # ears
        pts = [(160 + side * 24, 100), (160 + side * 72, 98), (160 + side * 112, 72), (160 + side * 114, 30)]
        prev = None
        for i in range(31):
            t = i / 30
            a = [(1 - t) ** 3, 3 * (1 - t) ** 2 * t, 3 * (1 - t) * t * t, t ** 3]
            p = (sum(a[j] * pts[j][0] for j in range(4)), sum(a[j] * pts[j][1] for j in range(4)))
            if prev:
                capsule(demon, prev[0], prev[1], p[0], p[1], 13 * (1 - t) ** 1.2 + 1.0)
            prev = p
    for (x, y) in demon:
        lit, dark = edges(demon, x, y)
        k = 0.2 * fbm(x / 5.0, y / 5.0, 31, 2)
        cv.blend(x, y, lerp((24, 4, 3), (90, 20, 6), k + (0.5 if lit == 1 else 0.25 if lit else 0)), 0.86)
    for side in (-1, 1):
        eye = set()
        capsule(eye, 160 + side * 12, 117, 160 + side * 24, 112, 2.0, 1.2)
        cv.glow(160 + side * 18, 115, 16, (255, 120, 20), 0.6)
        for (x, y) in eye:
            cv.blend(x, y, (255, 240, 150))

    far = skyline(rnd, HOR, 6, 44, False)
    for x in range(W):
        for y in range(far[x], H):
            cv.blend(x, y, lerp((72, 17, 8), (40, 9, 6), clamp((y - far[x]) / 40)), 0.92)
        cv.blend(x, far[x], (240, 110, 30), 0.35)
    for _ in range(90):                                               # dim far windows
        x = int(rnd.random() * W)
        y = far[x] + 3 + int(rnd.random() * (HOR - far[x]))
        cv.blend(x, y, (255, 150, 50), 0.4)

    fires = [(28, 0.7), (96, 1.0), (150, 0.6), (214, 1.1), (282, 0.8)]
    near = skyline(rnd, HOR + 10, 6, 40, True)
    for (fx, _) in fires:                                             # smoke columns
        base = near[fx]
        for y in range(base - 110, base):
            up = (base - y) / 110
            cx = fx + up * 40 + (fbm(y / 20.0, fx, 5, 2) - 0.5) * 20
            wdt = 5 + up * 22
            for xx in range(int(cx - wdt), int(cx + wdt) + 1):
                n = fbm(xx / 9.0, y / 9.0 + fx, 41, 3)
                a = (1 - abs(xx - cx) / wdt) * clamp(n * 1.6 - 0.35) * (1 - up) * 0.9
                cv.blend(xx, y, (18, 8, 7), a)
    for x in range(W):
        for y in range(near[x], H):
            cv.blend(x, y, (13, 5, 4))
        if x > 0 and near[x - 1] > near[x] + 2:                      # lit left edges
            for y in range(near[x], min(H, near[x] + 30)):
                cv.blend(x, y, (150, 45, 12), 0.5 * (1 - (y - near[x]) / 30))
        cv.blend(x, near[x], (190, 70, 20), 0.6)
    for x in range(2, W - 1, 3):                                     # burning windows
        for y in range(near[x] + 4, 176, 4):
            if rnd.random() < 0.22 and near[x - 1] < y:
                c = rnd.choice(((255, 200, 80), (255, 140, 30), (220, 60, 10)))
                cv.blend(x, y, c, 0.9)
                cv.blend(x, y + 1, c, 0.6)
                cv.glow(x, y, 3, c, 0.08)

    # rubble in the foreground, with glowing cracks running through it
    ground = [int(176 + 6 * fbm(x / 14.0, 0.5, 70, 3) - 4 * noise(x / 3.0, 9.5, 71)) for x in range(W)]
    for x in range(W):
        for y in range(ground[x], H):
            n = fbm(x / 5.0, y / 3.0, 77, 3)
            g = clamp((y - ground[x]) / 20)
            cv.blend(x, y, [v * (0.6 + 0.8 * n) for v in lerp((70, 20, 8), (18, 6, 4), g)])
        cv.blend(x, ground[x], (230, 100, 30), 0.5)
    for _ in range(5):
        x, y, ang = rnd.random() * W, 182 + rnd.random() * 14, (rnd.random() - 0.5) * 0.6
        for _ in range(60 + int(rnd.random() * 60)):
            cv.blend(int(x), int(y), (255, 190, 60), 0.85)
            cv.glow(x, y, 5, (200, 50, 0), 0.1)
            ang = clamp(ang + (rnd.random() - 0.5) * 0.9, -0.8, 0.8)
            x, y = x + math.cos(ang), clamp(y + math.sin(ang) * 0.7, ground[int(x) % W] + 3, H - 2)
    for fx, size in fires:
        flame(cv, fx, near[fx] + 1, 7 * size, 26 * size, int(fx))
    for _ in range(160):                                              # embers
        x, y = rnd.random() * W, 60 + rnd.random() * 110
        cv.blend(int(x), int(y), (255, 200 - int(rnd.random() * 120), 60), 0.4 + 0.6 * rnd.random())
    vignette(cv, 0.8)

    metal = [(0, (255, 236, 150)), (0.3, (250, 170, 50)), (0.55, (200, 80, 14)), (0.8, (130, 30, 8)), (1, (80, 14, 6))]
    draw_title(cv, "DOOM II", 6, 8, metal, (20, 2, 2), 3)
    draw_title(cv, "HELL ON EARTH", 2, 58, [(0, (255, 230, 170)), (1, (230, 110, 30))], (10, 0, 0), 9, 1, 1)
    return cv


# ---------------------------------------------------------------- The Ultimate Doom: moon base
# the marine, feet at (0, 0): ellipses (x, y, rx, ry) and limbs (x0, y0, x1, y1, r0, r1)
MARINE = [
    (0, -55, 4.6, 5.2), (0, -50, 0, -46, 2.8, 2.8),                       # helmet, neck
    (0, -43, 0, -32, 6.5, 5.5), (-6.5, -44, 4.2, 3.6), (6.5, -44, 4.2, 3.6), (0, -29, 6.2, 3.5),
    (-3, -28, -5, -15, 3.3, 2.8), (-5, -15, -6.5, -3, 2.8, 2.4), (-7.5, -1.8, 4, 2.2),   # legs
    (3, -28, 6, -15, 3.3, 2.8), (6, -15, 8.5, -3, 2.8, 2.4), (9.5, -1.8, 4, 2.2),
    (-7, -43, -9, -36, 2.6, 2.6), (-9, -36, -3, -33, 2.2, 2.2),           # arms
    (7, -43, 10, -37, 2.6, 2.6), (10, -37, 6, -41, 2.2, 2.2),
    (-9, -31, 15, -52, 1.5, 1.5), (-9, -31, -3, -36, 2.3, 2.3),           # rifle
]


def udoom_title():
    cv, rnd = Canvas(W, H), random.Random(1993)
    for y in range(H):
        for x in range(W):
            c = ramp([(0, (2, 3, 7)), (0.6, (8, 12, 16)), (1, (32, 40, 34))], y / 150)
            n = fbm(x / 70.0, y / 35.0, 3)
            c = [c[0] + 26 * clamp(n - 0.5) * 2, c[1] + 34 * clamp(n - 0.5) * 2, c[2] + 22 * clamp(n - 0.5) * 2]
            cv.p[y][x] = c
    for i in range(300):                                              # stars
        x, y = int(rnd.random() * W), int(rnd.random() * 150)
        b = 60 + 195 * rnd.random() ** 3
        tint = rnd.choice(((1, 1, 1), (0.8, 0.9, 1), (1, 0.9, 0.75)))
        cv.blend(x, y, [b * t for t in tint])
        if b > 200 and i % 3 == 0:
            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                cv.blend(x + dx, y + dy, [b * t for t in tint], 0.45)

    # the red planet, lit from the upper right
    pcx, pcy, pr = 74, 112, 40
    lx, ly, lz = 0.65, -0.35, 0.68
    cv.glow(pcx, pcy, pr + 14, (120, 45, 20), 0.25)
    for y in range(pcy - pr - 1, pcy + pr + 2):
        for x in range(pcx - pr - 1, pcx + pr + 2):
            nx, ny = (x + 0.5 - pcx) / pr, (y + 0.5 - pcy) / pr
            rr = nx * nx + ny * ny
            if rr >= 1:
                continue
            nz = math.sqrt(1 - rr)
            diff = clamp(nx * lx + ny * ly + nz * lz)
            n = fbm(nx * 3 + 5, ny * 5 + nz, 21)
            base = lerp((196, 96, 50), (100, 44, 26), clamp((n - 0.45) * 3))
            if ny < -0.86:
                base = lerp(base, (235, 225, 215), 0.8)
            c = [v * (0.04 + 1.05 * diff) for v in base]
            rim = clamp((0.35 - nz) * 3) * diff
            c = lerp(c, (255, 170, 110), rim * 0.6)
            cv.blend(x, y, c, clamp((1 - math.sqrt(rr)) * pr))

    # distant ridges
    ridge = [int(148 - 70 * clamp(fbm(x / 38.0, 0.5, 8, 5) - 0.38) - 3 * noise(x / 4.0, 3.5, 9)) for x in range(W)]
    for x in range(W):
        slope = ridge[x] - ridge[min(W - 1, x + 2)]
        for y in range(ridge[x], H):
            shade = clamp(0.8 - slope * 0.1, 0.35, 1.25) + 0.25 * fbm(x / 5.0, y / 3.0, 12, 2) - 0.12
            cv.blend(x, y, [v * shade for v in lerp((88, 84, 72), (56, 54, 48), clamp((y - ridge[x]) / 20))])
    # dusty plain, darker towards the viewer
    for y in range(150, H):
        for x in range(W):
            n = fbm(x / 14.0, y / 4.0, 14, 4)
            g = (y - 150) / 50
            c = lerp((104, 96, 80), (58, 50, 40), g)
            cv.blend(x, y, [v * (0.75 + 0.5 * n) for v in c], clamp((y - 149) / 3))
    for cx, cy, rx in ((40, 170, 16), (196, 186, 24), (290, 178, 18), (212, 163, 9), (118, 158, 7)):
        ry = rx * 0.32
        for y in range(int(cy - ry * 1.3), int(cy + ry * 1.3) + 1):
            for x in range(int(cx - rx * 1.3), int(cx + rx * 1.3) + 1):
                u, v = (x - cx) / rx, (y - cy) / ry
                d = math.hypot(u, v)
                if d < 1:
                    cv.scale(x, y, 0.55 + 0.35 * clamp(u * -0.5 + 0.5 + v * 0.3))
                elif d < 1.3:
                    cv.scale(x, y, 1.0 + 0.35 * (1.3 - d) / 0.3 * clamp(0.5 - v))

    # the base
    G = (110, 255, 140)

    def block(x0, y0, x1, y1, col, windows_y=None):
        for y in range(y0, y1):
            for x in range(x0, x1):
                k = 0.9 + 0.2 * noise(x / 2.0, y / 2.0, 5)
                if (x - x0) % 9 == 0 or (y - y0) % 7 == 0:
                    k *= 0.78
                if x == x1 - 1 or y == y0:
                    k *= 1.3
                cv.blend(x, y, [v * k * (0.7 + 0.4 * (x - x0) / (x1 - x0)) for v in col])
        if windows_y:
            for x in range(x0 + 3, x1 - 3):
                if (x - x0) % 5 != 0:
                    for y in (windows_y, windows_y + 1):
                        cv.blend(x, y, G, 0.9)
            cv.glow((x0 + x1) / 2, windows_y, (x1 - x0) * 0.6, (40, 120, 60), 0.2, 0.4)

    for py in (143, 146):                                             # pipes
        for x in range(126, 316):
            for d, k in ((0, 1.1), (1, 0.8), (2, 0.5)):
                cv.blend(x, py + d, [v * k for v in (120, 118, 105)])
    block(128, 134, 150, 152, (96, 100, 92), 139)
    for y in range(84, 120):                                          # lattice tower
        for x in range(201, 208):
            if x in (201, 207) or (x - 201 + y) % 6 == 0 or (207 - x + y) % 6 == 0:
                cv.blend(x, y, (120, 124, 116) if x < 204 else (80, 82, 76))
    for y in range(78, 84):
        cv.blend(204, y, (150, 150, 140))
    cv.glow(204, 78, 9, (255, 40, 30), 0.8)
    cv.blend(204, 78, (255, 220, 200))
    block(160, 116, 236, 152, (104, 108, 100), 125)
    block(168, 108, 196, 116, (110, 112, 104))
    block(280, 128, 318, 152, (92, 96, 88), 136)
    dome = set()
    ellipse(dome, 256, 152, 30, 26)
    for (x, y) in dome:
        if y < 152:
            u, v = (x - 256) / 30, (y - 152) / 26
            nz = math.sqrt(clamp(1 - u * u - v * v))
            diff = clamp(0.6 * u - 0.45 * v + 0.65 * nz)
            shine = clamp((u * 0.55 - v * 0.35 + nz * 0.75) - 0.9) * 8
            k = 0.25 + 0.85 * diff
            if abs(math.asin(clamp(-v)) % 0.3) < 0.05 or abs(u * 9 % 1.6) < 0.15:
                k *= 0.8
            cv.blend(x, y, lerp([v2 * k for v2 in (120, 130, 122)], (240, 255, 240), clamp(shine)))
    for x in range(232, 281, 4):
        cv.blend(x, 147, G)
        cv.blend(x, 146, G, 0.5)
    cv.glow(256, 152, 60, (30, 110, 50), 0.22, 0.3)
    for x, y in ((176, 108), (190, 108), (300, 128)):                # warning lights
        cv.glow(x, y, 5, (255, 200, 60), 0.6)

    # a pool of glowing slime in the near crater
    for y in range(180, 193):
        for x in range(174, 219):
            u, v = (x - 196) / 19, (y - 186.5) / 5.2
            if u * u + v * v < 1:
                d = math.sqrt(u * u + v * v)
                ripple = 0.5 + 0.5 * math.sin(d * 11 + noise(x / 4.0, y / 2.0, 9) * 4)
                c = lerp((30, 110, 30), (150, 240, 100), ripple * (1 - d) + 0.2)
                cv.blend(x, y, c if d < 0.85 else [v2 * 0.5 for v2 in c])
    cv.glow(196, 186, 40, (40, 150, 50), 0.35, 0.35)

    # rock outcrop and the lone marine standing on it
    rock = [int(158 + 0.0035 * (x - 55) ** 2 + 8 * fbm(x / 12.0, 2.0, 44)) for x in range(W)]
    for x in range(W):
        for y in range(rock[x], H):
            g = clamp((y - rock[x]) / 5)
            c = lerp((120, 112, 96), (30, 27, 24), g)
            cv.blend(x, y, [v * (0.7 + 0.5 * fbm(x / 4.0, y / 4.0, 45, 2)) for v in c])
    fx = min(range(50, 70), key=lambda x: rock[x])
    fy = rock[fx] + 1
    m, S = set(), 1.2
    for part in MARINE:
        if len(part) == 4:
            ellipse(m, fx + S * part[0], fy + S * part[1], S * part[2], S * part[3])
        else:
            x0, y0, x1, y1, r0, r1 = part
            capsule(m, fx + S * x0, fy + S * y0, fx + S * x1, fy + S * y1, S * r0, S * r1)
    for (x, y) in m:
        c, a = (9, 11, 10), 1.0
        if (x + 1, y) not in m or (x, y - 1) not in m and x > fx:
            c, a = (170, 175, 150), 0.55                              # sunlight from the right
        elif (x - 1, y) not in m:
            c, a = (200, 95, 50), 0.45                                # the planet behind him
        cv.blend(x, y, (9, 11, 10))
        cv.blend(x, y, c, a)
    vignette(cv, 0.7)

    steel = [(0, (236, 240, 228)), (0.35, (170, 176, 160)), (0.5, (120, 118, 100)), (0.75, (150, 128, 90)), (1, (82, 62, 40))]
    draw_title(cv, "THE ULTIMATE", 2, 8, [(0, (230, 240, 225)), (1, (140, 160, 130))], (0, 0, 0), 7, 1, 1)
    draw_title(cv, "DOOM", 7, 27, steel, (0, 0, 0), 5)
    return cv


# ---------------------------------------------------------------- icon
# the classic 16-colour palette; entry 13 (magenta) doubles as "transparent"
PAL = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
       (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
K, MAROON, OLIVE, GREY, RED, YELLOW, CLEAR, WHITE = 0, 1, 3, 8, 9, 11, 13, 15

B_GLYPH = {
    32: ["###########...", "############..", "####....#####.", "####.....####.", "####.....####.", "####....#####.",
         "###########...", "############..", "####.....#####", "####......####", "####......####", "####......####",
         "####.....#####", "#############.", "############.."],
    16: ["#####.", "##..##", "##..##", "#####.", "##..##", "##..##", "#####."],
}


def icon(size):
    s = size // 16                        # 1 for the 16px image, 2 for the 32px one
    px = [[CLEAR] * size for _ in range(size)]
    r = 2 * s                             # corner rounding
    for y in range(size):
        for x in range(size):
            dx, dy = max(0, r - x, x - (size - 1 - r)), max(0, r - y, y - (size - 1 - r))
            if dx * dx + dy * dy > r * r:
                continue
            inner = min(x, y, size - 1 - x, size - 1 - y)
            if inner == 0 or dx * dx + dy * dy > (r - 1) * (r - 1) and (dx or dy) and inner < s:
                px[y][x] = K
                continue
            bh, bw = 2 * s + 1, 4 * s + 1                               # brick size incl. mortar
            row = (y - 1) // bh
            off = (bw // 2) * (row % 2)
            ly, lx = (y - 1) % bh, (x - 1 + off) % bw
            if ly == bh - 1 or lx == bw - 1:
                px[y][x] = GREY if s > 1 else MAROON
            elif ly == 0 or lx == 0 or s == 1:
                px[y][x] = RED
            else:
                px[y][x] = MAROON
    g = B_GLYPH[size]
    gw, gh = len(g[0]), len(g)
    ox, oy = (size - gw) // 2, (size - gh) // 2
    on = lambda c, r: 0 <= r < gh and 0 <= c < gw and g[r][c] == "#"
    for y in range(-2, gh + 2):                                       # outline + shadow
        for x in range(-2, gw + 2):
            inside = 0 <= y < gh and "#" in g[y][:max(0, x)] and "#" in g[y][x + 1:]
            if not on(x, y) and (inside or any(on(x + dx, y + dy) for dx in (-1, 0, 1) for dy in (-1, 0, 1))
                                 or (s > 1 and on(x - 1, y - 1))):
                px[oy + y][ox + x] = K
    for y in range(gh):
        for x in range(gw):
            if on(x, y):
                c = YELLOW
                if not on(x + 1, y) or not on(x, y + 1):
                    c = OLIVE
                elif (not on(x - 1, y) or not on(x, y - 1)) and s > 1:
                    c = WHITE
                px[oy + y][ox + x] = c
    return px


def write_icon_png(path, px):
    rows = [bytes((r[i] << 4) | r[i + 1] for i in range(0, len(r), 2)) for r in px]
    plte = b"".join(bytes(c) for c in PAL)
    trns = bytes(0 if i == CLEAR else 255 for i in range(16))
    write_png(path, len(px), len(px), rows, 3, 4, plte, trns)


def theme_icon(size, small, big):
    src = big if size % 32 == 0 else small
    k = size // len(src)
    pad = (size - k * len(src)) // 2
    px = [[CLEAR] * size for _ in range(size)]
    for y in range(len(src) * k):
        for x in range(len(src) * k):
            px[pad + y][pad + x] = src[y // k][x // k]
    return px


def ico_entry(px):
    n = len(px)
    pal = b"".join(bytes((b, g, r, 0)) for (r, g, b) in PAL)
    xor, andm = b"", b""
    for row in reversed(px):                                          # BMP rows go bottom-up
        idx = [0 if c == CLEAR else c for c in row]
        xor += bytes((idx[i] << 4) | idx[i + 1] for i in range(0, n, 2)).ljust((n // 2 + 3) // 4 * 4, b"\0")
        bits = 0
        for c in row:
            bits = (bits << 1) | (c == CLEAR)
        andm += bits.to_bytes(n // 8, "big").ljust((n // 8 + 3) // 4 * 4, b"\0")
    hdr = struct.pack("<IiiHHIIiiII", 40, n, n * 2, 1, 4, 0, len(xor) + len(andm), 0, 0, 16, 0)
    return hdr + pal + xor + andm


def write_ico(path, images):
    blobs = [ico_entry(px) for px in images]
    out, offset = struct.pack("<HHH", 0, 1, len(blobs)), 6 + 16 * len(blobs)
    for px, blob in zip(images, blobs):
        out += struct.pack("<BBBBHHII", len(px), len(px), 16, 0, 1, 4, len(blob), offset)
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(out + b"".join(blobs))


def write_ppm(path, w, h, rows):
    with open(path, "wb") as f:
        f.write(b"P6\n%d %d\n255\n" % (w, h) + b"".join(rows))


def main():
    os.makedirs(os.path.join(RES, "images"), exist_ok=True)
    for name, fn in (("doom2_title.ppm", doom2_title), ("udoom_title.ppm", udoom_title)):
        write_ppm(os.path.join(RES, "images", name), W, H, fn().rgb_rows())
    big, small = icon(32), icon(16)
    write_icon_png(os.path.join(RES, "images", "brx.png"), big)
    write_ico(os.path.join(RES, "brixmoor.ico"), [big, small])
    for size in (16, 22, 24, 32, 48, 64, 128, 256):
        folder = os.path.join(RES, "icons", "%dx%d" % (size, size))
        os.makedirs(folder, exist_ok=True)
        write_icon_png(os.path.join(folder, "brixmoor.png"), theme_icon(size, small, big))
    with open(os.path.join(RES, "brixmoor.rc"), "w", newline="\n") as f:
        f.write('IDI_ICON1 ICON "brixmoor.ico"\n')


if __name__ == "__main__":
    main()
