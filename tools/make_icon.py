"""Writes Setup's icon, a 32x32 and a 16x16 picture of a ring over a night sky, to a file:

    python3 -m tools.make_icon app/Setup.ico

Each picture is 8 bits per pixel with only the colours it uses in its palette, and its mask marks
the corners clear: Windows before XP shows no alpha channel, and every byte is downloaded.
"""
import math
import struct
import sys
from pathlib import Path

HUES = 64  # steps around the ring: more than a 32-pixel ring shows
GLOWS = 32


def pixel(x, y, size):
    """(red, green, blue) of a pixel, or None where the icon is clear."""
    cx = cy = (size - 1) / 2
    r = math.hypot(x - cx, y - cy) / (size / 2)
    if 0.55 <= r <= 0.9:
        angle = math.atan2(y - cy, x - cx)
        hue = round((angle + math.pi) / (2 * math.pi) * HUES) / HUES
        red = int(127 + 127 * math.cos(2 * math.pi * hue))
        green = int(127 + 127 * math.cos(2 * math.pi * (hue - 1 / 3)))
        blue = int(127 + 127 * math.cos(2 * math.pi * (hue - 2 / 3)))
        return red, green, blue
    if r < 0.55:
        glow = round(max(0, 1 - r / 0.3) * GLOWS) / GLOWS
        return int(20 + 235 * glow), int(20 + 235 * glow), int(60 + 195 * glow)
    return None


def image(size):
    pixels = [[pixel(x, y, size) for x in range(size)] for y in reversed(range(size))]  # bottom-up
    palette = sorted({p for row in pixels for p in row if p is not None} | {(0, 0, 0)})
    index = {colour: i for i, colour in enumerate(palette)}
    if len(palette) > 256:
        sys.exit(f"make_icon: {len(palette)} colours do not fit 8 bits")
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 8, 0, 0, 0, 0, len(palette), 0)
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    stride = (size + 3) // 4 * 4
    rows = b"".join(bytes(index[p or (0, 0, 0)] for p in row).ljust(stride, b"\0")
                    for row in pixels)
    mask_stride = (size + 31) // 32 * 4
    mask = b"".join(
        sum(1 << (7 - x % 8) << (8 * (x // 8)) for x, p in enumerate(row) if p is None)
        .to_bytes(mask_stride, "little") for row in pixels)
    return header + colours + rows + mask


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: python3 -m tools.make_icon FILE")
    sizes = [32, 16]
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 8, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    Path(sys.argv[1]).write_bytes(out)


if __name__ == "__main__":
    main()
