"""tools/unwind_table.py on tables laid out as the compiler and linker lay them out: what the
unwinder does not read is refused with the function named, the entry points' own rules pass by
their names only, and the dropped functions' entries go while every kept one reads back the
same."""
import struct
import unittest

from tools import unwind_table
from tools.unwind_table import Common, Entry, UnwindTableError

BASE = 0x428000  # the table's address
RULES = bytes([0x0C, 4, 4, 0x88, 1])  # the compiler's common rules: cfa esp+4, eip at cfa-4
NAMES = {0x401000: "Kept", 0x401100: "Other", 0x401200: "WinMainCRTStartup",
         0x401300: "SetupStart", 0x401400: "Third"}


def uleb(value):
    out = bytearray()
    while True:
        out.append(value & 0x7F | (0x80 if value > 0x7F else 0))
        value >>= 7
        if not value:
            return bytes(out)


class Table:
    """Builds a table entry by entry, at BASE; fields relative to themselves computed."""

    def __init__(self):
        self.data = bytearray()

    def _add(self, body):
        offset = len(self.data)
        self.data += struct.pack("<I", len(body)) + body
        return offset

    def _relative(self, field, target):
        return struct.pack("<i", target - (BASE + field)) if target else bytes(4)

    def common(self, augmentation="zR", letters=((0x1B, None),), version=1, return_address=8,
               common_rules=RULES):
        """letters: (encoding, target or None) per letter after "z"."""
        head = bytes([version]) + augmentation.encode() + b"\0" + b"\x01\x7c"
        head += bytes([return_address]) if version == 1 else uleb(return_address)
        at = len(self.data) + 8 + len(head) + 1  # the augmentation data's first byte
        data = bytearray()
        for encoding, target in letters:
            data.append(encoding)
            if target is not None:
                data += self._relative(at + len(data), target)
        if augmentation.startswith("z"):
            head += uleb(len(data)) + data
        return self._add(bytes(4) + head + common_rules)

    def entry(self, common, start, rules=b"", lsda=None):
        field = len(self.data) + 8
        body = struct.pack("<I", field - 4 - common) + self._relative(field, start)
        body += struct.pack("<I", 0x40)
        if lsda is not None:
            body += b"\x04" + self._relative(field + 9, lsda)
        else:
            body += b"\x00"
        return self._add(body + rules)

    def finish(self, rest=b""):
        return bytes(self.data + bytes(4) + rest)


def one_entry(address=0x401000, rules=b"", lsda=None, **common):
    table = Table()
    table.entry(table.common(**common), address, rules, lsda)
    return table.finish()


def compact(data):
    return unwind_table.compact(data, BASE, NAMES.get)


class UnwindTableTest(unittest.TestCase):
    def test_refuses_what_the_unwinder_does_not_read_naming_the_function(self):
        remember = bytes([0x0A])
        cases = [
            (dict(rules=bytes([0x0F, 2, 0x75, 0])), "Kept", "DW_CFA_def_cfa_expression"),
            (dict(rules=bytes([0x10, 5, 2, 0x75, 0])), "Kept", "DW_CFA_expression"),
            (dict(rules=bytes([0x09, 3, 5])), "Kept", "DW_CFA_register"),
            (dict(rules=bytes([0x01, 0, 0, 0, 0])), "Kept", "DW_CFA_set_loc"),
            (dict(rules=bytes([0x14, 3, 1])), "Kept", "DW_CFA_val_offset"),
            (dict(rules=bytes([0x2D])), "Kept", "DW_CFA_GNU_window_save"),
            (dict(rules=bytes([0x1C])), "Kept", "the instruction 0x1c"),
            (dict(rules=bytes([0x89, 1])), "Kept", "DW_CFA_offset on register 9"),
            (dict(rules=bytes([0x0C, 9, 4])), "Kept", "DW_CFA_def_cfa on register 9"),
            (dict(rules=bytes([0x0C, 4])), "Kept", "DW_CFA_def_cfa cut off"),
            (dict(rules=bytes([0x0B])), "Kept", "DW_CFA_restore_state with no state"),
            (dict(rules=remember * 5), "Kept", "DW_CFA_remember_state beyond a depth of 4"),
            (dict(return_address=9), "Kept", "the return address in register 9"),
            (dict(augmentation="zPR", letters=((0x3B, 0x424000), (0x1B, None))), "Kept",
             "pointer encoding 0x3b for its personality"),
            (dict(augmentation="zLR", letters=((0x3B, None), (0x1B, None))), "Kept",
             "pointer encoding 0x3b for its handler table"),
            # The common rules are every function's: the entry points are not excused there.
            (dict(address=0x401200, common_rules=RULES + bytes([0x0F, 0])),
             "WinMainCRTStartup", "DW_CFA_def_cfa_expression"),
            # Unreadable starts: the entry is named by its place.
            (dict(letters=((0x1C, None),)), "the entry at offset", "pointer encoding 0x1c"),
            (dict(letters=((0x3B, None),)), "the entry at offset", "pointer encoding 0x3b"),
            (dict(version=4), "the entry at offset", "version 4"),
            (dict(augmentation="zBR", letters=((0, None), (0x1B, None))), "the entry at offset",
             "augmentation letter 'B'"),
            (dict(augmentation="zPR", letters=((0x04, None), (0x1B, None))),
             "the entry at offset", "pointer encoding 0x04 for its personality"),
            (dict(augmentation="eh", letters=()), "the entry at offset", "augmentation 'eh'"),
        ]
        for arguments, name, refusal in cases:
            data = one_entry(**arguments)
            with self.subTest(refusal), self.assertRaises(UnwindTableError) as raised:
                compact(data)
            self.assertIn(name, str(raised.exception))
            self.assertIn(refusal, str(raised.exception))

    def test_accepts_what_the_unwinder_reads(self):
        # Every instruction it reads (operands a misread size would turn into refused ones),
        # four states remembered.
        rules = bytes([0x41, 0x0E, 8, 0x85, 2, 0x0D, 5, 0x02, 0x0F, 0x03, 0x0F, 9,
                       0x04, 1, 0, 0x0F, 9, 0x05, 8, 1, 0x11, 3, 0x7F, 0x06, 3, 0x07, 7, 0x08, 6,
                       0x12, 4, 0x7F, 0x13, 0x7E, 0x2E, 16, 0xC5, 0x0A, 0x0A, 0x0A, 0x0A, 0x0B,
                       0x0B, 0x0B, 0x0B, 0x0A, 0x0B, 0, 0])
        for arguments in (dict(rules=rules), dict(version=3, rules=rules),
                          dict(augmentation="zPLR", lsda=0x424100,
                               letters=((0x9B, 0x424000), (0x1B, None), (0x1B, None)))):
            data = one_entry(**arguments)
            self.assertEqual(compact(data), data)

    def test_excuses_the_entry_points_by_name_only(self):
        expression = bytes([0x0F, 2, 0x75, 0])
        for address, excused in ((0x401200, True), (0x401300, True), (0x401100, False),
                                 (0x401500, False)):
            data = one_entry(address, expression)
            with self.subTest(address=hex(address)):
                if excused:
                    self.assertEqual(compact(data), data)
                else:
                    self.assertRaisesRegex(UnwindTableError, "DW_CFA_def_cfa_expression",
                                           compact, data)

    def test_drops_the_dropped_functions_entries_and_moves_the_rest_up(self):
        table = Table()
        first = table.common()
        table.entry(first, 0)  # a dropped function before any kept one
        table.entry(first, 0x401000, bytes([0x41, 0x0E, 8]))
        table.entry(first, 0)
        second = table.common("zPLR", ((0x9B, 0x424000), (0x1B, None), (0x1B, None)))
        table.entry(second, 0, lsda=0x424100)
        table.entry(second, 0x401100, bytes([0x42]), lsda=0x424200)
        table.entry(second, 0x401400, lsda=0)  # no handler table: stays without one
        only_dropped = table.common()
        table.entry(only_dropped, 0)
        crtend = bytes([0x14, 0, 0, 0]) + bytes(range(1, 21))  # unread after the zero word
        data = table.finish(crtend)

        before = unwind_table.read(data, BASE)
        out = compact(data)
        after = unwind_table.read(out, BASE)
        self.assertEqual(len(out), len(data))
        kept = [record for record in before if isinstance(record, Common) and
                record.offset in (first, second) or isinstance(record, Entry) and record.start]
        self.assertEqual([type(record) for record in after], [Common, Entry, Common, Entry, Entry])
        commons = [record.offset for record in after if isinstance(record, Common)]
        self.assertEqual([record.common for record in after if isinstance(record, Entry)],
                         [commons[0], commons[1], commons[1]])

        def meaning(records, data):
            """What each record says, its pointers as the addresses they lead to."""
            out = []
            for record in records:
                body = bytearray(data[record.offset + 8:record.offset + record.size])
                targets = []
                for field in record.relative_fields:
                    targets.append(BASE + field + struct.unpack_from("<i", data, field)[0])
                    body[field - record.offset - 8:field - record.offset - 4] = bytes(4)
                out.append((bytes(body), targets))
            return out

        self.assertEqual(meaning(after, out), meaning(kept, data))
        self.assertEqual([record.start for record in after if isinstance(record, Entry)],
                         [0x401000, 0x401100, 0x401400])
        lsda = after[-1].offset + 17
        self.assertEqual(out[lsda:lsda + 4], bytes(4))
        end = after[-1].offset + after[-1].size
        self.assertEqual(out[end:], bytes(len(out) - end))
        self.assertEqual(end, sum(record.size for record in kept))

    def test_the_zero_word_ends_the_table(self):
        self.assertEqual(unwind_table.read(bytes(8) + one_entry(), BASE), [])
        for data in (one_entry()[:-4], b""):
            self.assertRaisesRegex(UnwindTableError, "no zero word", compact, data)
        long_length = b"\xff\xff\xff\xff" + bytes(12)
        self.assertRaisesRegex(UnwindTableError, "length of 0xffffffff", compact, long_length)


if __name__ == "__main__":
    unittest.main()
