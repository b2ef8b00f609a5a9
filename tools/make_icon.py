"""Writes Setup's icon, a 32x32 and a 16x16 picture of a ring over a night sky, to a file:

    python3 -m tools.make_icon app/Setup.ico
"""
import math
import struct
import sys
from pathlib import Path


def pixel(x, y, size):
    cx = cy = (size - 1) / 2
    r = math.hypot(x - cx, y - cy) / (size / 2)
    if 0.55 <= r <= 0.9:
        angle = math.atan2(y - cy, x - cx)
        hue = (angle + math.pi) / (2 * math.pi)
        red = int(127 + 127 * math.cos(2 * math.pi * hue))
        green = int(127 + 127 * math.cos(2 * math.pi * (hue - 1 / 3)))
        blue = int(127 + 127 * math.cos(2 * math.pi * (hue - 2 / 3)))
        return red, green, blue, 255
    if r < 0.55:
        glow = max(0, 1 - r / 0.3)
        return int(20 + 235 * glow), int(20 + 235 * glow), int(60 + 195 * glow), 255
    return 0, 0, 0, 0


def image(size):
    rows = []
    for y in reversed(range(size)):  # bottom-up
        rows.append(b"".join(struct.pack("<BBBB", b, g, r, a)
                             for r, g, b, a in (pixel(x, y, size) for x in range(size))))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    mask = b"\0" * (((size + 31) // 32) * 4 * size)
    return header + b"".join(rows) + mask


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: python3 -m tools.make_icon FILE")
    sizes = [32, 16]
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    Path(sys.argv[1]).write_bytes(out)


if __name__ == "__main__":
    main()
