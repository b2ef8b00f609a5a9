#!/usr/bin/env python3
"""Packs one file, or a bundle of named files, into Setup.exe's stored-block form (see
codec/StoredBlock.h).

    pack_block.py INPUT OUTPUT
    pack_block.py --bundle OUTPUT NAME=INPUT...

The output depends on the input bytes alone: the encoder runs single-threaded with fixed
settings, and of the settings tried, the smallest result wins (the first one on a tie). A
delta step before LZMA (each byte minus the one `distance` bytes before it) suits pictures: 3
for 24-bit pixels, 1 for a smooth palette; programs do best without one.
"""
import binascii
import lzma
import struct
import sys

# lc (literal context bits) and pb (position bits) worth trying; lp stays 0. lc + lp <= 4 is
# what the decoder accepts. Delta distances: 0 is none.
TRIED_LC = (0, 1, 2, 3, 4)
TRIED_PB = (0, 1, 2)
TRIED_DELTA = (0, 1, 2, 3, 4)


def dictionary_size(size):
    """The smallest power of two from 4 KiB up that holds the whole input."""
    dict_size = 4096
    while dict_size < size:
        dict_size *= 2
    return dict_size


def properties_byte(lc, lp, pb):
    return (pb * 5 + lp) * 9 + lc


def pack(data, lc, lp, pb, delta=0, dict_size=None):
    """The stored block of data with the given settings."""
    filters = [{
        "id": lzma.FILTER_LZMA1,
        "preset": 9 | lzma.PRESET_EXTREME,
        "lc": lc, "lp": lp, "pb": pb,
        "dict_size": dict_size or dictionary_size(len(data)),
    }]
    if delta:
        filters.insert(0, {"id": lzma.FILTER_DELTA, "dist": delta})
    stream = lzma.compress(data, format=lzma.FORMAT_RAW, filters=filters)
    body = struct.pack("<IBB", len(data), properties_byte(lc, lp, pb), delta) + stream
    return struct.pack("<I", binascii.crc32(body)) + body


def pack_smallest(data):
    """The delta distance is chosen first, with common LZMA settings, then lc and pb."""
    delta = min(TRIED_DELTA, key=lambda distance: len(pack(data, 3, 0, 0, distance)))
    candidates = (pack(data, lc, 0, pb, delta) for lc in TRIED_LC for pb in TRIED_PB)
    return min(candidates, key=len)


def bundle(named_files):
    """The files' names and sizes, an empty name, then their bytes, in the order given."""
    listing, contents = b"", b""
    for name, path in named_files:
        with open(path, "rb") as source:
            data = source.read()
        listing += name.encode("ascii") + b"\0" + struct.pack("<I", len(data))
        contents += data
    return listing + b"\0" + contents


def main():
    if len(sys.argv) >= 4 and sys.argv[1] == "--bundle":
        output = sys.argv[2]
        data = bundle(argument.split("=", 1) for argument in sys.argv[3:])
    elif len(sys.argv) == 3:
        output = sys.argv[2]
        with open(sys.argv[1], "rb") as source:
            data = source.read()
    else:
        sys.exit("usage: pack_block.py INPUT OUTPUT | --bundle OUTPUT NAME=INPUT...")
    with open(output, "wb") as target:
        target.write(pack_smallest(data))


if __name__ == "__main__":
    main()
