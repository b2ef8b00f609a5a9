"""Packs one file, or a bundle of named files, into Setup.exe's stored-block form (see
codec/StoredBlock.h).

    python3 -m tools.pack_block INPUT OUTPUT
    python3 -m tools.pack_block --bundle OUTPUT NAME=INPUT...

The output depends on the input bytes alone (tools/lzma_settings.py). A delta step before LZMA
(each byte minus the one `distance` bytes before it) suits pictures: 3 for 24-bit pixels, 1 for
a smooth palette; programs do best without one.
"""
import binascii
import lzma
import struct
import sys

from tools.lzma_settings import properties_byte, raw_stream, smallest_stream

# Delta distances worth trying: 0 is none.
TRIED_DELTA = (0, 1, 2, 3, 4)


def delta_filter(delta):
    return [{"id": lzma.FILTER_DELTA, "dist": delta}] if delta else []


def block(size, properties, delta, stream):
    body = struct.pack("<IBB", size, properties, delta) + stream
    return struct.pack("<I", binascii.crc32(body)) + body


def pack(data, lc, lp, pb, delta=0, dict_size=None):
    """The stored block of data with the given settings."""
    stream = raw_stream(data, lc, lp, pb, delta_filter(delta), dict_size)
    return block(len(data), properties_byte(lc, lp, pb), delta, stream)


def pack_smallest(data):
    """The delta distance is chosen first, with common LZMA settings, then lc and pb."""
    delta = min(TRIED_DELTA, key=lambda distance: len(pack(data, 3, 0, 0, distance)))
    stream, properties = smallest_stream(data, delta_filter(delta))
    return block(len(data), properties, delta, stream)


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
        sys.exit("usage: python3 -m tools.pack_block INPUT OUTPUT | --bundle OUTPUT NAME=INPUT...")
    with open(output, "wb") as target:
        target.write(pack_smallest(data))


if __name__ == "__main__":
    main()
