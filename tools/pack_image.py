"""python3 -m tools.pack_image <image>: stores the image's code, initialised data, constants and
unwind tables packed, for its entry stub (stub/Start.cpp) to unpack in place before any of them runs.

Those sections (.text, .data, .rdata, .eh_frame) lie in one piece in memory; their bytes become
one raw LZMA stream, after the x86 branch conversion (Python's lzma, FILTER_X86 then
FILTER_LZMA1 with its end marker), in a new last section ".packed" laid out as Start.cpp says.
The unwind table is first checked against the unwinder and loses the entries of the functions
the link dropped (tools/unwind_table.py).
The packed sections keep their addresses, sizes and protections (the unwind table's made
read-only) but lose their bytes in the file (a section without raw data is zero-filled by the
loader). The import section is laid out again without what only the link needed
(tools/import_table.py); the headers, the entry stub's section and the resources stay as
they are. Run after the link and before the checksum stamp and signing; the result depends on
the image's bytes alone.
"""
import lzma
import os
import struct
import sys

from tools import import_table, unwind_table
from tools.lzma_settings import dictionary_size, filters, smallest_stream

try:
    import pefile
except ImportError:
    sys.exit("pack_image.py needs Python's pefile module (Debian: python3-pefile, which "
             "scripts/install-deps.sh installs)")

PACKED = (".text", ".data", ".rdata", ".eh_fram")  # names as the section table keeps them
UNWIND_TABLE = ".eh_fram"
STUB = ".start"
IMPORTS = ".idata"
NEW_NAME = b".packed"
CERTIFICATE_DIRECTORY = 4
SECTION_HEADER_SIZE = 40


def fail(path, message):
    sys.exit(f"pack_image.py: {path}: {message}")


def align(value, alignment):
    return (value + alignment - 1) // alignment * alignment


def name_of(section):
    return section.Name.rstrip(b"\0").decode("ascii", "replace")


def check(path, pe, sections):
    """Refuses an image that is not laid out as the stub expects, naming what differs."""
    if pe.FILE_HEADER.Machine != 0x14C or pe.OPTIONAL_HEADER.Magic != 0x10B:
        fail(path, "not a 32-bit x86 PE image")
    names = [name_of(section) for section in sections]
    for name in PACKED + (STUB,):
        if name not in names:
            fail(path, f"has no section {name}")
    if NEW_NAME.decode() in names:
        fail(path, "is packed already")
    first = names.index(PACKED[0])
    if names[first:first + len(PACKED)] != list(PACKED):
        fail(path, f"the sections {', '.join(PACKED)} do not follow each other")
    packed = sections[first:first + len(PACKED)]
    for before, after in zip(packed, packed[1:]):
        if after.VirtualAddress != align(before.VirtualAddress + before.Misc_VirtualSize,
                                         pe.OPTIONAL_HEADER.SectionAlignment):
            fail(path, f"{name_of(after)} does not follow {name_of(before)} in memory")
    for section in packed:
        if section.SizeOfRawData == 0:
            fail(path, f"{name_of(section)} has no bytes in the file")
        flags = section.Characteristics
        if flags & pefile.SECTION_CHARACTERISTICS["IMAGE_SCN_MEM_EXECUTE"] and \
                flags & pefile.SECTION_CHARACTERISTICS["IMAGE_SCN_MEM_WRITE"]:
            fail(path, f"{name_of(section)} is both writable and executable")
    stub = sections[names.index(STUB)]
    entry = pe.OPTIONAL_HEADER.AddressOfEntryPoint
    if not stub.VirtualAddress <= entry < stub.VirtualAddress + stub.Misc_VirtualSize:
        fail(path, f"the entry point is not in {STUB}")
    start = packed[0].VirtualAddress
    end = packed[-1].VirtualAddress + packed[-1].Misc_VirtualSize
    for index, directory in enumerate(pe.OPTIONAL_HEADER.DATA_DIRECTORY):
        if index == CERTIFICATE_DIRECTORY:
            if directory.Size:
                fail(path, "is signed: pack it before signing")
        elif directory.Size and directory.VirtualAddress < end and \
                start < directory.VirtualAddress + directory.Size:
            fail(path, f"data directory {directory.name} lies in the packed sections")
    for index in (pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_BASERELOC"],
                  pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_TLS"]):
        if pe.OPTIONAL_HEADER.DATA_DIRECTORY[index].Size:
            fail(path, f"has {pe.OPTIONAL_HEADER.DATA_DIRECTORY[index].name}: the stub would "
                       "unpack over what the loader did with it")
    last = max(section.PointerToRawData + section.SizeOfRawData for section in sections)
    if pe.__data__[last:].strip(b"\0"):
        fail(path, "has bytes after its last section")
    table_end = sections[-1].get_file_offset() + 2 * SECTION_HEADER_SIZE
    if table_end > min([pe.OPTIONAL_HEADER.SizeOfHeaders] +
                       [s.PointerToRawData for s in sections if s.SizeOfRawData]):
        fail(path, "has no room for one more section header")
    return packed


def set_field(out, structure, field, value, form="<I"):
    struct.pack_into(form, out, structure.get_field_absolute_offset(field), value)


def packed_stream(span):
    """The smallest stream of the tried settings and its properties byte."""
    x86 = [{"id": lzma.FILTER_X86}]
    stream, properties = smallest_stream(span, x86)
    lc, pb = properties % 9, properties // 45
    chain = filters(lc, 0, pb, dictionary_size(len(span)), x86)
    if lzma.decompress(stream, format=lzma.FORMAT_RAW, filters=chain) != span:
        raise SystemExit("pack_image.py: the packed stream does not decode to its input")
    return stream, properties


def compact_imports(path, pe, sections):
    """The import section's new bytes and the import directory's new size (it starts the
    section)."""
    names = [name_of(section) for section in sections]
    if IMPORTS not in names:
        fail(path, f"has no section {IMPORTS}")
    section = sections[names.index(IMPORTS)]
    directories = [(entry.VirtualAddress, entry.Size) for entry in pe.OPTIONAL_HEADER.DATA_DIRECTORY]
    try:
        data, directory_size = import_table.compact(
            section.VirtualAddress, section.get_data(length=section.Misc_VirtualSize), directories)
    except import_table.ImportTableError as error:
        fail(path, f"its import table: {error}")
    return section.VirtualAddress, data, directory_size


def compact_unwind_table(path, image_base, section, span, start):
    """Checks the unwind table in span (from address start) and drops the dropped functions'
    entries from it (tools/unwind_table.py), naming functions by the map beside the image."""
    begin = section.VirtualAddress - start
    end = begin + section.Misc_VirtualSize
    names = unwind_table.function_names(os.path.splitext(path)[0] + ".map")
    try:
        span[begin:end] = unwind_table.compact(bytes(span[begin:end]),
                                               image_base + section.VirtualAddress, names)
    except unwind_table.UnwindTableError as error:
        fail(path, f"its unwind table: {error}")


def pack(path, pe):
    sections = list(pe.sections)
    packed = check(path, pe, sections)
    image = pe.__data__
    header = pe.OPTIONAL_HEADER
    start = packed[0].VirtualAddress
    span = bytearray(packed[-1].VirtualAddress + packed[-1].Misc_VirtualSize - start)
    for section in packed:
        data = image[section.PointerToRawData:section.PointerToRawData +
                     min(section.SizeOfRawData, section.Misc_VirtualSize)]
        span[section.VirtualAddress - start:section.VirtualAddress - start + len(data)] = data
    compact_unwind_table(path, header.ImageBase, packed[PACKED.index(UNWIND_TABLE)], span, start)
    stream, properties = packed_stream(bytes(span))
    contents = struct.pack("<IIIB", start, len(span), len(stream), properties) + stream

    imports_address, imports, imports_directory = compact_imports(path, pe, sections)

    out = bytearray(image[:header.SizeOfHeaders])
    directory = header.DATA_DIRECTORY[import_table.IMPORT_DIRECTORY]
    set_field(out, directory, "VirtualAddress", imports_address)
    set_field(out, directory, "Size", imports_directory)
    # The kept sections' bytes in their order in the file, moved up over the packed ones'.
    for section in sorted(sections, key=lambda s: s.PointerToRawData):
        if section in packed:
            set_field(out, section, "PointerToRawData", 0)
            set_field(out, section, "SizeOfRawData", 0)
            # The compiler marks the unwind table writable for relocations at load time, which
            # an image without base relocations never has: it is only read.
            if name_of(section) == UNWIND_TABLE:
                set_field(out, section, "Characteristics",
                          section.Characteristics & ~pefile.SECTION_CHARACTERISTICS[
                              "IMAGE_SCN_MEM_WRITE"])
        elif section.SizeOfRawData:
            out += bytes(align(len(out), header.FileAlignment) - len(out))
            set_field(out, section, "PointerToRawData", len(out))
            if name_of(section) == IMPORTS:
                # Its size in memory stays: the sections follow each other without a gap,
                # which Windows NT asks of an image, and the loader zero-fills the rest.
                data = imports + bytes(align(len(imports), header.FileAlignment) - len(imports))
                set_field(out, section, "SizeOfRawData", len(data))
            else:
                data = image[section.PointerToRawData:
                             section.PointerToRawData + section.SizeOfRawData]
            out += data
    last = max(sections, key=lambda s: s.VirtualAddress)
    address = align(last.VirtualAddress + last.Misc_VirtualSize, header.SectionAlignment)
    raw_size = align(len(contents), header.FileAlignment)
    out += bytes(align(len(out), header.FileAlignment) - len(out))
    flags = (pefile.SECTION_CHARACTERISTICS["IMAGE_SCN_CNT_INITIALIZED_DATA"] |
             pefile.SECTION_CHARACTERISTICS["IMAGE_SCN_MEM_READ"])
    table_entry = sections[-1].get_file_offset() + SECTION_HEADER_SIZE
    struct.pack_into("<8sIIIIIIHHI", out, table_entry, NEW_NAME, len(contents), address,
                     raw_size, len(out), 0, 0, 0, 0, flags)
    out += contents + bytes(raw_size - len(contents))
    set_field(out, pe.FILE_HEADER, "NumberOfSections", len(sections) + 1, "<H")
    set_field(out, header, "SizeOfImage", align(address + len(contents), header.SectionAlignment))
    return out


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: python3 -m tools.pack_image IMAGE")
    path = sys.argv[1]
    try:
        pe = pefile.PE(path, fast_load=True)
    except pefile.PEFormatError as error:
        fail(path, f"not a PE image ({error})")
    out = pack(path, pe)
    pe.close()
    with open(path, "wb") as file:
        file.write(out)


if __name__ == "__main__":
    main()
