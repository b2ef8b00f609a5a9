"""The import section laid out again in fewer bytes, for tools/pack_image.py.

The linker's import section holds, besides what the loader reads, a lookup table that copies
the address table before binding, and a word per imported function that only tied the import
library's members together at link time. Without them the loader reads the names through the
address table itself (each entry the address of its hint and name until it is bound), as
Windows' loaders do for an image whose lookup-table field is zero. The
address table keeps its place: the code calls through it. The descriptors come first, the
names fill the room the lookup table leaves before the address table, the rest follows it.
"""
import struct

DESCRIPTOR = struct.Struct("<IIIII")  # lookup table, time stamp, forwarder chain, name, address table
ORDINAL_FLAG = 0x80000000
IMPORT_DIRECTORY = 1
ADDRESS_TABLE_DIRECTORY = 12


class ImportTableError(Exception):
    pass


def _string(read, address):
    data = read(address, 256)
    end = data.find(b"\0")
    if end < 0:
        raise ImportTableError(f"no end to the name at {address:#x}")
    return data[:end + 1]


def _entries(read, descriptor):
    """(address-table entry's address, its hint and name, or None for an ordinal import)."""
    lookup, _, _, _, first = descriptor
    table = lookup or first
    index = 0
    while True:
        value = struct.unpack("<I", read(table + 4 * index, 4))[0]
        if not value:
            return
        if value & ORDINAL_FLAG:
            yield first + 4 * index, None
        else:
            hint = read(value, 2)
            yield first + 4 * index, hint + _string(read, value + 2)
        index += 1


def compact(section_address, section_bytes, directories):
    """The section's new bytes and the import directory's new size, for the section starting at
    section_address whose bytes hold the import and address-table directories (each an
    (address, size) pair). The import directory then starts the section."""
    import_address, _ = directories[IMPORT_DIRECTORY]
    table_address, table_size = directories[ADDRESS_TABLE_DIRECTORY]
    section_end = section_address + len(section_bytes)
    if not (section_address <= import_address < section_end and
            section_address <= table_address and table_address + table_size <= section_end):
        raise ImportTableError("the import directories do not lie in one section")

    def read(address, size):
        if not section_address <= address < section_end:
            raise ImportTableError(f"address {address:#x} lies outside the import section")
        offset = address - section_address
        return section_bytes[offset:offset + size]

    descriptors = []
    while True:
        descriptor = DESCRIPTOR.unpack(read(import_address + DESCRIPTOR.size * len(descriptors),
                                            DESCRIPTOR.size))
        if not any(descriptor):
            break
        if not table_address <= descriptor[4] < table_address + table_size:
            raise ImportTableError(f"an address table at {descriptor[4]:#x} lies outside its directory")
        descriptors.append(descriptor)
    head_end = section_address + DESCRIPTOR.size * (len(descriptors) + 1)
    if head_end > table_address:
        raise ImportTableError("the descriptors would overlap the address table")

    out = bytearray(len(section_bytes))
    out[table_address - section_address:table_address - section_address + table_size] = \
        read(table_address, table_size)
    gaps = [[head_end, table_address], [table_address + table_size, section_end]]

    def place(data, even):
        for gap in gaps:
            start = gap[0] + (gap[0] & 1 if even else 0)
            if start + len(data) <= gap[1]:
                out[start - section_address:start - section_address + len(data)] = data
                gap[0] = start + len(data)
                return start
        raise ImportTableError("the names do not fit the section")

    for index, descriptor in enumerate(descriptors):
        name, first = descriptor[3], descriptor[4]
        for entry, hint_and_name in _entries(read, descriptor):
            if hint_and_name is not None:
                struct.pack_into("<I", out, entry - section_address, place(hint_and_name, True))
        name = place(_string(read, name), False)
        # Not bound: the address table holds the names' addresses until the loader fills it.
        DESCRIPTOR.pack_into(out, DESCRIPTOR.size * index, 0, 0, 0, name, first)
    return bytes(out[:gaps[1][0] - section_address]), DESCRIPTOR.size * (len(descriptors) + 1)
