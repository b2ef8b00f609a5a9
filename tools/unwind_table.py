"""The image's unwind table checked against what runtime/Unwinder.cpp reads, and laid out again
without the entries of the functions the link dropped, for tools/pack_image.py.

The unwinder walks the one table from its start to the zero word that ends it and gives up on a
frame whose entry says anything it does not read: a catch above that frame would silently become
a terminate. So every entry may say only what HANDLED lists, except the two entry points, whose
realigned stacks end the walk on purpose. The linker keeps the entries of the functions
--gc-sections dropped, with their start zero: they go, with the common entries only they used,
the later entries move up (their pointers to their common entry and every field relative to
itself rewritten), the zero word follows the last kept entry, and the rest of the section is
zero, so those bytes leave the packed stream.
"""
import os
import struct
from typing import NamedTuple

from tools.link_map import demangle, map_sections, map_symbols


class HANDLED:  # pylint: disable=too-few-public-methods
    """What runtime/Unwinder.cpp reads; anything else ends its walk at the frame."""
    VERSIONS = (1, 3)
    AUGMENTATION_LETTERS = "RLPS"  # after the "z" that says their data's size comes first
    ADDRESS_FORMATS = (0x00, 0x03, 0x0B)  # four-byte values: absolute, unsigned, signed
    RELATIVE_TO_ITSELF = 0x10  # or relative to nothing; 0x80 (an address's address) on top
    REGISTERS = 9  # eax to edi and eip, by their numbers on this target
    RETURN_ADDRESS = 8  # eip's column, which the unwinder assumes
    REMEMBERED_STATES = 4
    # opcode: (name, operands). "L" a register in the opcode's low six bits, "R" a register
    # (unsigned LEB128), "u"/"s" an unsigned/signed LEB128, "1", "2", "4" that many bytes.
    INSTRUCTIONS = {
        0x40: ("DW_CFA_advance_loc", ""),
        0x80: ("DW_CFA_offset", "Lu"),
        0xC0: ("DW_CFA_restore", "L"),
        0x00: ("DW_CFA_nop", ""),
        0x02: ("DW_CFA_advance_loc1", "1"),
        0x03: ("DW_CFA_advance_loc2", "2"),
        0x04: ("DW_CFA_advance_loc4", "4"),
        0x05: ("DW_CFA_offset_extended", "Ru"),
        0x06: ("DW_CFA_restore_extended", "R"),
        0x07: ("DW_CFA_undefined", "R"),
        0x08: ("DW_CFA_same_value", "R"),
        0x0A: ("DW_CFA_remember_state", ""),
        0x0B: ("DW_CFA_restore_state", ""),
        0x0C: ("DW_CFA_def_cfa", "Ru"),
        0x0D: ("DW_CFA_def_cfa_register", "R"),
        0x0E: ("DW_CFA_def_cfa_offset", "u"),
        0x11: ("DW_CFA_offset_extended_sf", "Rs"),
        0x12: ("DW_CFA_def_cfa_sf", "Rs"),
        0x13: ("DW_CFA_def_cfa_offset_sf", "s"),
        0x2E: ("DW_CFA_GNU_args_size", "u"),
    }


# The names of the others, to name them when refused.
OTHER_INSTRUCTIONS = {
    0x01: "DW_CFA_set_loc", 0x09: "DW_CFA_register", 0x0F: "DW_CFA_def_cfa_expression",
    0x10: "DW_CFA_expression", 0x14: "DW_CFA_val_offset", 0x15: "DW_CFA_val_offset_sf",
    0x16: "DW_CFA_val_expression", 0x2D: "DW_CFA_GNU_window_save",
    0x2F: "DW_CFA_GNU_negative_offset_extended",
}
# The entry points realign the stack, which takes an expression to describe: the walk ends there.
REALIGNED_ENTRY_POINTS = ("WinMainCRTStartup", "SetupStart")
OMITTED = 0xFF
FORMAT_BITS = 0x0F
COMMON_ID = 0
LONG_LENGTH = 0xFFFFFFFF


class UnwindTableError(Exception):
    pass


class Common(NamedTuple):
    """A common entry (CIE); offsets within the table."""
    offset: int
    size: int  # with its length word
    refusal: str  # what it says that the unwinder does not read, or ""
    readable: bool  # whether its entries' start can be read as the unwinder reads it
    augmented: bool
    address_encoding: int
    lsda_encoding: int
    relative_fields: tuple  # offsets of the four-byte fields relative to themselves


class Entry(NamedTuple):
    """A function's entry (FDE); offsets within the table."""
    offset: int
    size: int
    common: int  # its common entry's offset
    start: int  # the function's address, 0 for a function the link dropped, None unreadable
    instructions: tuple  # (first offset, end offset)
    relative_fields: tuple


class _Reader:
    """Reads LEB128 numbers and words from data[at:end], refusing to run past end."""

    def __init__(self, data, at, end):
        self.data, self.at, self.end = data, at, end

    def bytes(self, count):
        if self.at + count > self.end:
            raise EOFError
        self.at += count
        return self.data[self.at - count:self.at]

    def byte(self):
        return self.bytes(1)[0]

    def unsigned(self):
        value = shift = 0
        while True:
            byte = self.byte()
            value |= (byte & 0x7F) << shift
            shift += 7
            if not byte & 0x80:
                return value

    def signed(self):
        start = self.at
        value = self.unsigned()
        bits = 7 * (self.at - start)
        return value - (1 << bits) if value >> (bits - 1) & 1 else value

    def string(self):
        end = self.data.find(b"\0", self.at, self.end)
        if end < 0:
            raise EOFError
        text = self.bytes(end - self.at)
        self.at += 1
        return text.decode("latin-1")


def _encoding_refusal(encoding, what):
    relative = encoding & 0x70
    if encoding & FORMAT_BITS in HANDLED.ADDRESS_FORMATS and \
            relative in (0, HANDLED.RELATIVE_TO_ITSELF):
        return ""
    return f"pointer encoding {encoding:#04x} for its {what}"


def _pointer(reader, encoding, address, fields):
    """Reads a four-byte pointer; a field relative to itself goes into fields (zero stays zero,
    as the unwinder reads it: no pointer)."""
    at = reader.at
    value = struct.unpack("<I", reader.bytes(4))[0]
    if encoding & 0x70 == HANDLED.RELATIVE_TO_ITSELF and value:
        fields.append(at)
        value = (value + address + at) & 0xFFFFFFFF
    return value


def _read_common(data, offset, end, address):
    reader = _Reader(data, offset + 8, end)
    version = reader.byte()
    augmentation = reader.string()
    reader.unsigned()  # code alignment
    reader.signed()  # data alignment
    return_address = reader.byte() if version == 1 else reader.unsigned()
    refusals = []
    readable = version in HANDLED.VERSIONS
    if not readable:
        refusals.append(f"version {version}")
    if return_address != HANDLED.RETURN_ADDRESS:
        refusals.append(f"the return address in register {return_address}")
    fields = []
    encodings = {"R": 0, "L": OMITTED}
    augmented = augmentation.startswith("z")
    if augmented:
        size = reader.unsigned()
        data_end = reader.at + size
        for letter in augmentation[1:]:
            if letter not in HANDLED.AUGMENTATION_LETTERS:
                refusals.append(f"augmentation letter {letter!r}")
                readable = False
                break
            if letter == "S":
                continue
            encoding = reader.byte()
            if letter == "P":
                refusals.append(_encoding_refusal(encoding, "personality"))
                if encoding & FORMAT_BITS not in HANDLED.ADDRESS_FORMATS:
                    readable = False  # the letters after it are out of reach
                    break
                _pointer(reader, encoding, address, fields)
            else:
                encodings[letter] = encoding
        reader.at = data_end
    elif augmentation:
        refusals.append(f"augmentation {augmentation!r}")
        readable = False
    start_refusal = _encoding_refusal(encodings["R"], "function's start")
    refusals.append(start_refusal)
    if encodings["L"] != OMITTED:
        refusals.append(_encoding_refusal(encodings["L"], "handler table"))
    refusals.append(_program_refusal(data, reader.at, end))
    return Common(offset, end - offset, ", ".join(filter(None, refusals)),
                  readable and not start_refusal, augmented, encodings["R"], encodings["L"],
                  tuple(fields))


def _read_entry(data, offset, end, address, commons):
    pointer = struct.unpack_from("<I", data, offset + 4)[0]
    common = commons.get(offset + 4 - pointer)
    if common is None:
        raise UnwindTableError(f"the entry at offset {offset:#x} does not lead to a common entry")
    reader = _Reader(data, offset + 8, end)
    fields = []
    if not common.readable:
        return Entry(offset, end - offset, common.offset, None, (end, end), ())
    start = _pointer(reader, common.address_encoding, address, fields)
    reader.bytes(4)  # the function's length
    if common.augmented:
        size = reader.unsigned()
        data_end = reader.at + size
        if common.lsda_encoding != OMITTED and \
                not _encoding_refusal(common.lsda_encoding, ""):
            _pointer(reader, common.lsda_encoding, address, fields)
        reader.at = data_end
    return Entry(offset, end - offset, common.offset, start, (reader.at, end), tuple(fields))


def read(data, address):
    """The table's entries in their order, up to the zero word that ends it, for the table data
    at address."""
    records = []
    commons = {}
    offset = 0
    while True:
        if offset + 4 > len(data):
            raise UnwindTableError("no zero word ends the table")
        length = struct.unpack_from("<I", data, offset)[0]
        if length == 0:
            return records
        end = offset + 4 + length
        if length == LONG_LENGTH or length < 4 or end > len(data):
            raise UnwindTableError(f"the entry at offset {offset:#x} has a length of {length:#x}")
        try:
            if struct.unpack_from("<I", data, offset + 4)[0] == COMMON_ID:
                record = commons[offset] = _read_common(data, offset, end, address)
            else:
                record = _read_entry(data, offset, end, address, commons)
        except EOFError:
            raise UnwindTableError(f"the entry at offset {offset:#x} ends inside a field") from None
        records.append(record)
        offset = end


def _program_refusal(data, at, end):
    """The first thing in the rules program data[at:end] the unwinder does not read, or ""."""
    reader = _Reader(data, at, end)
    depth = 0
    while reader.at < end:
        opcode = reader.byte()
        key = opcode & 0xC0 or opcode
        if key not in HANDLED.INSTRUCTIONS:
            return OTHER_INSTRUCTIONS.get(opcode, f"the instruction {opcode:#04x}")
        name, operands = HANDLED.INSTRUCTIONS[key]
        try:
            for operand in operands:
                value = {"L": lambda: opcode & 0x3F, "R": reader.unsigned, "u": reader.unsigned,
                         "s": reader.signed}.get(operand, lambda: reader.bytes(int(operand)))()
                if operand in "LR" and value >= HANDLED.REGISTERS:
                    return f"{name} on register {value}"
        except EOFError:
            return f"{name} cut off by the end of its entry"
        if name == "DW_CFA_remember_state":
            depth += 1
            if depth > HANDLED.REMEMBERED_STATES:
                return f"{name} beyond a depth of {HANDLED.REMEMBERED_STATES}"
        elif name == "DW_CFA_restore_state":
            if depth == 0:
                return f"{name} with no state remembered"
            depth -= 1
    return ""


def check(data, records, name_of):
    """Raises on an entry of a kept function that says what the unwinder does not read, naming
    the function (name_of(address)) and what it says; the realigned entry points' own rules
    pass."""
    commons = {record.offset: record for record in records if isinstance(record, Common)}
    for entry in records:
        if isinstance(entry, Common) or entry.start == 0:
            continue
        common = commons[entry.common]
        if entry.start is None:
            raise UnwindTableError(f"the entry at offset {entry.offset:#x}: its common entry uses "
                                   f"{common.refusal}, which runtime/Unwinder.cpp does not read")
        name = name_of(entry.start)
        refusal = common.refusal or (name not in REALIGNED_ENTRY_POINTS and
                                     _program_refusal(data, *entry.instructions))
        if refusal:
            raise UnwindTableError(f"{name} (at {entry.start:#x}): its unwind entry uses "
                                   f"{refusal}, which runtime/Unwinder.cpp does not read")


def compact(data, address, name_of):
    """The table data at address checked (see check()) and laid out again without the dropped
    functions' entries, as bytes of the same length."""
    records = read(data, address)
    check(data, records, name_of)
    kept = {record.offset for record in records if isinstance(record, Entry) and record.start}
    kept |= {record.common for record in records if record.offset in kept}
    out = bytearray(len(data))
    moved = {}  # old offset of a common entry: new offset
    at = 0
    for record in records:
        if record.offset not in kept:
            continue
        out[at:at + record.size] = data[record.offset:record.offset + record.size]
        for field in record.relative_fields:
            value = struct.unpack_from("<I", data, field)[0]
            value = (value + record.offset - at) & 0xFFFFFFFF
            if value == 0:  # would read as no pointer at all
                raise UnwindTableError(f"the entry at offset {record.offset:#x} cannot move to "
                                       f"offset {at:#x}")
            struct.pack_into("<I", out, field - record.offset + at, value)
        if isinstance(record, Common):
            moved[record.offset] = at
        else:
            struct.pack_into("<I", out, at + 4, at + 4 - moved[record.common])
        at += record.size
    return bytes(out)


def function_names(map_path):
    """name_of for compact(): a function's name by its address as the linker map of the image's
    link has it (the symbol placed there, else the function whose own input section,
    ".text$<mangled name>", holds it), or "a function" where no map says."""
    by_address = dict(map_symbols(map_path)) if os.path.exists(map_path) else {}
    sections = list(map_sections(map_path)) if by_address else []

    def name_of(address):
        if address in by_address:
            return by_address[address]
        for section in sections:
            if section.address <= address < section.address + section.size:
                if section.name.startswith(".text$"):
                    return demangle([section.name[len(".text$"):]])[0]
                return f"a function in {section.name} of {section.source}"
        return "a function"

    return name_of
