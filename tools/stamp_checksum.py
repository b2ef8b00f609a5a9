"""python3 -m tools.stamp_checksum <image>: writes the image's checksum of itself into its slot (see
codec/ImageChecksum.h): CRC-32 of the file without the slot, the PE checksum field, the
certificate table's directory entry and the certificate table. The PE checksum that the linker
wrote is then brought up to date, as signing tools keep it. Run after the link and before
signing; the result depends on the image's bytes alone."""
import struct
import sys
import zlib

SLOT = 0x28


def optional_header(image):
    header = struct.unpack_from("<I", image, 0x3C)[0]
    optional = header + 24
    if image[header:header + 4] != b"PE\0\0" or struct.unpack_from("<H", image, optional)[0] != 0x10B:
        raise SystemExit("not a 32-bit PE image")
    return optional


def checksum(image):
    optional = optional_header(image)
    entry = optional + 128
    table_at, table_size = struct.unpack_from("<II", image, entry)
    covered = bytearray(image)
    if table_size:
        del covered[table_at:table_at + table_size]
    for at, size in ((SLOT, 4), (optional + 64, 4), (entry, 8)):
        covered[at:at + size] = bytes(size)
    return zlib.crc32(covered)


def pe_checksum(image, field):
    """The PE header's checksum: 16-bit words added with end-around carry, the field itself as
    zero, plus the file's length."""
    total = 0
    padded = image[:field] + bytes(4) + image[field + 4:] + bytes(len(image) % 2)
    for (word,) in struct.iter_unpack("<H", padded):
        total += word
        total = (total & 0xFFFF) + (total >> 16)
    return (total + len(image)) & 0xFFFFFFFF


def main():
    path = sys.argv[1]
    with open(path, "rb") as file:
        image = bytearray(file.read())
    struct.pack_into("<I", image, SLOT, checksum(image))
    field = optional_header(image) + 64
    struct.pack_into("<I", image, field, pe_checksum(image, field))
    with open(path, "wb") as file:
        file.write(image)


if __name__ == "__main__":
    main()
