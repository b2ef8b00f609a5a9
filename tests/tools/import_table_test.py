"""tools/import_table.py on import sections laid out as the linker lays them out: every import
reads back the same through the address table alone, and a table it cannot read is refused."""
import struct
import unittest

from tools import import_table

BASE = 0x5000  # the section's address


def linked(dlls, stray_words=True):
    """A section as the linker writes it: descriptors, lookup tables, address tables, hints and
    names, the link's stray words, DLL names. dlls: (name, [function name or ordinal])."""
    count = sum(len(functions) + 1 for _, functions in dlls)
    lookup = BASE + 20 * (len(dlls) + 1)
    table = lookup + 4 * count
    names = table + 4 * count
    data = bytearray(names - BASE)
    strings = bytearray()
    slot = 0
    for index, (dll, functions) in enumerate(dlls):
        first = slot
        for hint, function in enumerate(functions):
            if isinstance(function, int):
                value = 0x80000000 | function
            else:
                value = names + len(strings)
                strings += struct.pack("<H", hint) + function.encode() + b"\0"
                strings += b"\0" * (len(strings) & 1)
            struct.pack_into("<I", data, lookup - BASE + 4 * slot, value)
            struct.pack_into("<I", data, table - BASE + 4 * slot, value)
            slot += 1
        slot += 1
        if stray_words:
            strings += b"\x01\x02\x03\x04" * len(functions)
        dll_name = names + len(strings)
        strings += dll.encode() + b"\0"
        struct.pack_into("<5I", data, 20 * index, lookup + 4 * first, 0, 0, dll_name, table + 4 * first)
    directories = [(0, 0)] * 16
    directories[import_table.IMPORT_DIRECTORY] = (BASE, 20 * (len(dlls) + 1))
    directories[import_table.ADDRESS_TABLE_DIRECTORY] = (table, 4 * count)
    return bytes(data + strings), directories


def read_back(section, directory_size):
    """(dll, [(hint, name) or ordinal]) through the address tables, checking each name is even."""
    def word(address):
        return struct.unpack_from("<I", section, address - BASE)[0]

    def string(address):
        return section[address - BASE:section.index(b"\0", address - BASE)].decode()

    result = []
    for at in range(BASE, BASE + directory_size - 20, 20):
        lookup, stamp, chain, name, first = struct.unpack_from("<5I", section, at - BASE)
        assert (lookup, stamp, chain) == (0, 0, 0)
        functions = []
        while value := word(first + 4 * len(functions)):
            if value & 0x80000000:
                functions.append(value & 0xFFFF)
            else:
                assert value % 2 == 0, f"{value:#x} is odd"
                functions.append((word(value) & 0xFFFF, string(value + 2)))
        result.append((string(name), functions))
    return result


class ImportTableTest(unittest.TestCase):
    def test_every_import_reads_back_through_the_address_table(self):
        many = [f"Function{n}With{'A' * (n % 3)}Name" for n in range(60)]
        cases = {
            "a short name in the lookup table's room, a long one after the address table":
                [("KERNEL32.dll", ["CloseHandle", "Sleep"])],
            "many names, one after an odd-length DLL name": [("USER32.dll", many),
                                                             ("GDI32.dll", ["BitBlt"])],
            "an ordinal among names": [("MPR.DLL", ["A", 7, "Odd"]), ("ole32.dll", [3])],
        }
        for case, dlls in cases.items():
            with self.subTest(case):
                section, directories = linked(dlls)
                out, size = import_table.compact(BASE, section, directories)
                self.assertLess(len(out), len(section))
                self.assertEqual(size, directories[import_table.IMPORT_DIRECTORY][1])
                expected = [(dll, [f if isinstance(f, int) else (hint, f)
                                   for hint, f in enumerate(functions)]) for dll, functions in dlls]
                self.assertEqual(read_back(out, size), expected)

    def test_a_table_it_cannot_read_is_refused(self):
        section, directories = linked([("KERNEL32.dll", ["Sleep"])])
        unterminated = section[:-1] + b"x"
        outside = list(directories)
        outside[import_table.ADDRESS_TABLE_DIRECTORY] = (BASE + len(section), 8)
        for case, (data, where) in {"a name without its end": (unterminated, directories),
                                    "an address table outside the section": (section, outside)}.items():
            with self.subTest(case), self.assertRaises(import_table.ImportTableError):
                import_table.compact(BASE, data, where)


if __name__ == "__main__":
    unittest.main()
