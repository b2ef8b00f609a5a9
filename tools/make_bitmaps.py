"""Draws Setup's bitmaps and writes them as BMP files into a folder:

    python3 -m tools.make_bitmaps payload/bitmaps

Standard library only; the output is the same on every run. Run it again after changing a
picture and commit the .bmp files with it.
"""

import colorsys
import math
import os
import random
import struct
import sys

# Where the pictures go: the folder named on the command line.
output_folder = "."

# The usual 16 colours, in their usual order.
VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
PURPLE = 5
BLUE = 12

# The logo's transparent colour: never used inside the picture.
LOGO_KEY = (255, 0, 255)


def write_bmp(name, width, height, bits, rows, palette=()):
    """rows: top to bottom; palette indices for 4 and 8 bits, (r, g, b) for 24 bits."""
    assert len(rows) == height and all(len(row) == width for row in rows)
    stride = (width * bits + 31) // 32 * 4
    data = bytearray()
    for row in reversed(rows):  # BMP rows run bottom to top
        if bits == 24:
            line = b"".join(bytes((b, g, r)) for r, g, b in row)
        elif bits == 8:
            line = bytes(row)
        else:
            padded = list(row) + [0] * (width % 2)
            line = bytes(padded[i] << 4 | padded[i + 1] for i in range(0, len(padded), 2))
        data += line + bytes(stride - len(line))
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    offset = 14 + 40 + len(colours)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(data), 2835, 2835,
                       len(palette), 0)
    with open(os.path.join(output_folder, name + ".bmp"), "wb") as out:
        out.write(header + info + colours + data)


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def ramp(stops, t):
    """Colour at t in [0, 1] along (position, colour) stops."""
    t = min(max(t, 0.0), 1.0)
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            return mix(c0, c1, (t - p0) / (p1 - p0))
    return stops[-1][1]


def to_rgb(colour):
    return tuple(min(255, max(0, int(round(c)))) for c in colour)


def smooth(edge0, edge1, x):
    t = min(max((x - edge0) / (edge1 - edge0), 0.0), 1.0)
    return t * t * (3 - 2 * t)


# --- BACKDROP: 481 x 289, 256 colours, stretched over the whole screen -----------------

NIGHT = [(0.0, (4, 5, 16)), (0.35, (10, 16, 46)), (0.6, (30, 22, 74)), (0.8, (24, 70, 104)),
         (1.0, (96, 196, 184))]
RAMP_SIZE = 224  # palette entries 0..223: the sky ramp; the rest: star whites


def backdrop():
    width, height = 481, 289
    palette = [to_rgb(ramp(NIGHT, i / (RAMP_SIZE - 1))) for i in range(RAMP_SIZE)]
    palette += [to_rgb(mix((120, 130, 170), (255, 255, 255), i / 31)) for i in range(32)]
    bayer = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            level = 0.08 + 0.32 * (y / height) ** 1.4
            # Two soft bands of light drifting across the lower half.
            for centre, amplitude, period, strength in ((0.58, 22, 97, 0.42),
                                                        (0.74, 14, 61, 0.30)):
                wave = centre * height + amplitude * math.sin(x / period * 2 * math.pi * 0.5 + y
                                                              * 0.004) + 6 * math.sin(x / 23)
                level += strength * math.exp(-((y - wave) / 16.0) ** 2) * (
                    0.6 + 0.4 * math.sin(x / 41 + 1.3))
            level = min(level, 1.0) * (RAMP_SIZE - 1)
            # Ordered dithering keeps the stretched gradient free of bands.
            index = int(level + bayer[y % 4][x % 4] / 16.0)
            row.append(min(index, RAMP_SIZE - 1))
        rows.append(row)
    stars = random.Random(20000)
    for _ in range(260):
        x, y = stars.randrange(width), stars.randrange(int(height * 0.8))
        rows[y][x] = RAMP_SIZE + stars.randrange(32 if stars.random() < 0.2 else 16)
    write_bmp("BACKDROP", width, height, 8, rows, palette)


# --- LOGO: 508 x 421, true colour, drawn with the bottom-left pixel as transparent ------

def logo_sample(x, y):
    """The emblem's colour at (x, y), or None outside it."""
    cx, cy = 254.0, 196.0
    dx, dy = x - cx, y - cy
    r = math.hypot(dx, dy)
    angle = math.atan2(dy, dx)
    # Ribbon under the emblem.
    if 330 <= y <= 392 and abs(dx) <= 230 - (0 if y < 380 else (y - 380) * 1.5):
        t = (y - 330) / 62
        shade = 0.55 + 0.45 * math.cos((t - 0.3) * math.pi)
        edge = 1.0 if abs(abs(dx) - 225) > 4 else 0.6
        base = mix((40, 32, 110), (110, 80, 190), shade)
        return mix((20, 16, 50), base, edge)
    if r > 190:
        return None
    # Outer ring: light passing through every hue.
    if r >= 150:
        hue = (angle / (2 * math.pi) + 0.75) % 1.0
        tube = math.cos((r - 170) / 20 * math.pi / 2)
        red, green, blue = colorsys.hsv_to_rgb(hue, 0.78 - 0.35 * tube ** 8, 0.45 + 0.55 * tube)
        return (red * 255, green * 255, blue * 255)
    if r >= 144:
        return (18, 14, 40)
    # Inner disc: deep glass with a soft highlight at its top left.
    glass = mix((8, 10, 34), (44, 40, 120), smooth(140, 0, math.hypot(dx + 50, dy + 60)))
    # Four-pointed spark, with a smaller one turned by 45 degrees.
    spark = (abs(dx) / 122) ** 0.5 + (abs(dy) / 122) ** 0.5
    u, v = (dx + dy) / math.sqrt(2), (dx - dy) / math.sqrt(2)
    small = (abs(u) / 70) ** 0.5 + (abs(v) / 70) ** 0.5
    light = max(1.0 - spark, 0.0) * 2.2 + max(1.0 - small, 0.0) * 1.2
    glow = math.exp(-(r / 60) ** 2) * 0.5
    core = mix((255, 214, 120), (255, 255, 250), smooth(0.0, 0.9, light))
    colour = mix(glass, core, min(1.0, light + glow))
    # Three small moons on an orbit.
    for phase in (0.3, 2.4, 4.5):
        mx, my = 112 * math.cos(phase), 112 * math.sin(phase)
        if math.hypot(dx - mx, dy - my) < 7:
            return mix((180, 230, 255), (255, 255, 255), 0.5)
    return colour


def logo():
    width, height = 508, 421
    offsets = [(0.25, 0.25), (0.75, 0.25), (0.25, 0.75), (0.75, 0.75)]
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            samples = [s for s in (logo_sample(x + ox, y + oy) for ox, oy in offsets) if s]
            # Edges are hard against the transparent colour: no blend with it, no fringe.
            if len(samples) < 2:
                row.append(LOGO_KEY)
                continue
            colour = to_rgb(tuple(sum(c) / len(samples) for c in zip(*samples)))
            row.append(colour if colour != LOGO_KEY else (254, 0, 255))
        rows.append(row)
    assert rows[-1][0] == LOGO_KEY
    write_bmp("LOGO", width, height, 24, rows)


# --- SIDEPICTURE: 112 x 216, true colour, the welcome page's side panel ----------------

def side_sample(x, y, stars):
    width, height = 112.0, 216.0
    sky = ramp([(0.0, (6, 8, 30)), (0.45, (24, 28, 92)), (0.72, (92, 52, 120)),
                (0.86, (220, 120, 96))], y / height)
    # A band of light across the sky.
    band = 70 + 14 * math.sin(x / 17) + 0.25 * x
    sky = mix(sky, (80, 220, 170), 0.55 * math.exp(-((y - band) / 9) ** 2))
    sky = mix(sky, (255, 255, 255), stars.get((int(x), int(y)), 0.0))
    # Crescent moon.
    if math.hypot(x - 78, y - 34) < 11 and math.hypot(x - 83, y - 30) >= 10:
        return (250, 240, 200)
    # Two ranges of hills, the nearer one darker.
    far = 168 + 10 * math.sin(x / 13 + 1) + 6 * math.sin(x / 5.3)
    near = 186 + 12 * math.sin(x / 19 + 2.5) + 4 * math.sin(x / 7)
    if y >= near:
        return mix((14, 10, 30), (4, 4, 12), (y - near) / 40)
    if y >= far:
        return mix((44, 30, 76), (26, 20, 52), (y - far) / 30)
    return sky


def side_picture():
    width, height = 112, 216
    chance = random.Random(1999)
    stars = {(chance.randrange(width), chance.randrange(150)): chance.uniform(0.4, 1.0)
             for _ in range(70)}
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            samples = [side_sample(x + ox, y + oy, stars) for ox, oy in
                       ((0.25, 0.25), (0.75, 0.25), (0.25, 0.75), (0.75, 0.75))]
            row.append(to_rgb(tuple(sum(c) / 4 for c in zip(*samples))))
        rows.append(row)
    write_bmp("SIDEPICTURE", width, height, 24, rows)


# --- Icons: 16 colours, the bottom-left pixel ('.') is transparent ---------------------

LETTERS = {"k": 0, "m": 1, "G": 2, "o": 3, "n": 4, "t": 6, "s": 7, "g": 8, "r": 9, "l": 10,
           "y": 11, "c": 14, "w": 15}

ICONS = {
    "CLOSEDFOLDER": (PURPLE, [
        "................",
        "................",
        "..kkkkk.........",
        ".kwyyyyk........",
        "kwyyyyyykkkkkk..",
        "kwwwwwwwwwwwwyk.",
        "kwyyyyyyyyyyyok.",
        "kwyyyyyyyyyyyok.",
        "kwyyyyyyyyyyyok.",
        "kwyyyyyyyyyyyok.",
        "kwyyyyyyyyyyyok.",
        "kyooooooooooook.",
        "kkkkkkkkkkkkkkk.",
        "................",
        "................",
    ]),
    "OPENFOLDER": (PURPLE, [
        "................",
        "................",
        "..kkkkk.........",
        ".kwyyyyk........",
        "kwyyyyyykkkkkk..",
        "kwyyyyyyyyyyyok.",
        "kwyyykkkkkkkkkkk",
        "kwyykwwwwwwwwwk.",
        "kwykwyyyyyyyyok.",
        "kwykyyyyyyyyyk..",
        "kykwyyyyyyyyok..",
        "kkyyyyyyyyyyk...",
        "kkkkkkkkkkkkk...",
        "................",
        "................",
    ]),
    "CURRENTFOLDER": (PURPLE, [
        "................",
        "................",
        "..kkkkk.........",
        ".kwyyyyk.kkkkk..",
        "kwyyyyyykwwwwwk.",
        "kwyyyyyykwggwwk.",
        "kwyyykkkkwwwwwkk",
        "kwyykwwwwwwwwwk.",
        "kwykwyyyyyyyyok.",
        "kwykyyyyyyyyyk..",
        "kykwyyyyyyyyok..",
        "kkyyyyyyyyyyk...",
        "kkkkkkkkkkkkk...",
        "................",
        "................",
    ]),
    "FLOPPY": (PURPLE, [
        "...kkkkkkkkkkk..",
        "...knnsssssnnk..",
        "...knnskksnnnk..",
        "...knnsssssnnk..",
        "...knnnnnnnnnk..",
        "...knwwwwwwwnk..",
        "...knwnnnnnwnk..",
        "...knwwwwwwwnk..",
        "...knwnnnnwwnk..",
        "...kknwwwwwwnk..",
        "....kkkkkkkkkk..",
    ]),
    "HARD": (PURPLE, [
        "................",
        "...kkkkkkkkkkkk.",
        "..kwwwwwwwwwwskk",
        ".kwsssssssssskgk",
        "kkkkkkkkkkkkkkgk",
        "kwsssssssssssksk",
        "kwskkkkkkkslsksk",
        "kwsssssssssssgkk",
        "kggggggggggggkk.",
        "kkkkkkkkkkkkkk..",
        "................",
    ]),
    "NETWORK": (BLUE, [
        "...kkkkkkkkkkkk.",
        "..kwwwwwwwwwwskk",
        ".kwsssssssssskgk",
        "kkkkkkkkkkkkkkgk",
        "kwskkkkkkkslsksk",
        "kkkkkkkkkkkkkk..",
        "......kttk......",
        ".kkkkkkttkkkkkk.",
        ".tttttttttttttt.",
        ".kkkkkkkkkkkkkk.",
        "................",
    ]),
    "RAM": (PURPLE, [
        "................",
        "................",
        ".kkkkkkkkkkkkkk.",
        ".kGGGGGGGGGGGGk.",
        ".kGkkkGkkkGkkkk.",
        ".kGkkkGkkkGkkkk.",
        ".kGGGGGGGGGGGGk.",
        ".kyGyGyGyGyGyGk.",
        ".kkkkkkkkkkkkkk.",
        "................",
        "................",
    ]),
}


def cdrom_rows():
    """A disc over a drive slot; its hole shows the background."""
    rows = [[BLUE] * 16 for _ in range(11)]
    cx, cy = 7.5, 4.5
    for y in range(11):
        for x in range(16):
            r = math.hypot(x - cx, y - cy)
            if y >= 8:
                rows[y][x] = 0 if y in (8, 10) or x in (0, 15) else (8 if x < 13 else 10)
            elif r <= 1.2:
                rows[y][x] = BLUE
            elif r <= 2.0:
                rows[y][x] = 8
            elif r <= 4.9:
                sheen = (math.atan2(y - cy, x - cx) / math.pi + 1) * 4
                rows[y][x] = (7, 15, 7, 14, 7, 15, 7, 11)[int(sheen) % 8]
            elif r <= 5.8:
                rows[y][x] = 0
    rows[10][0] = BLUE
    return rows


def icons():
    for name, (key, art) in ICONS.items():
        rows = [[key if c == "." else LETTERS[c] for c in line] for line in art]
        write_icon(name, key, rows)
    write_icon("CDROM", BLUE, cdrom_rows())


def write_icon(name, key, rows):
    # Folder icons are 15 rows high, drive icons 11.
    assert len(rows) in (11, 15) and rows[-1][0] == key, name
    write_bmp(name, 16, len(rows), 4, rows, VGA)


def main():
    global output_folder
    if len(sys.argv) != 2:
        sys.exit("usage: python3 -m tools.make_bitmaps FOLDER")
    output_folder = sys.argv[1]
    backdrop()
    logo()
    side_picture()
    icons()


if __name__ == "__main__":
    main()
