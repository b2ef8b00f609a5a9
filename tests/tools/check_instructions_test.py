"""tools/check_instructions.py: encoded instructions, through the tool's own disassembly, are
accepted for the 486 and the 386 as those processors (and the 387) have them, and refused from
the Pentium's on; the link map's code pieces are found at their addresses."""
import os
import tempfile
import unittest

from tools import check_instructions
from tools.link_map import InputSection, map_sections

BOTH, I486, NEITHER = "386 and 486", "486 only", "neither"
CASES = {
    # The 386's, and the compiler's padding.
    "90": BOTH, "2e 90": BOTH, "89 f6": BOTH, "8d 76 00": BOTH, "8d b4 26 00 00 00 00": BOTH,
    "66 90": BOTH, "9c": BOTH, "9d": BOTH, "0f b6 c0": BOTH, "0f 94 c0": BOTH,
    "0f 84 00 01 00 00": BOTH, "f3 a5": BOTH, "f3 ab": BOTH, "f0 83 28 01": BOTH, "f3 c3": BOTH,
    "0f a4 c2 04": BOTH, "0f bc c1": BOTH, "99": BOTH, "c9": BOTH, "e8 00 00 00 00": BOTH,
    # What the 486 added, and the 387 (the stub may find neither).
    "0f c8": I486, "0f b1 0a": I486, "f0 0f c1 0a": I486, "0f 08": I486, "0f 09": I486,
    "0f 01 38": I486, "d9 c0": I486, "dd d8": I486, "d9 fa": I486, "d9 fe": I486, "d9 ff": I486,
    "d9 fb": I486, "d9 f5": I486, "dd e1": I486, "dd e9": I486, "da e9": I486, "df e0": I486,
    "9b": I486, "d9 7d fe": I486, "db 6d f0": I486,
    # Conditional moves, the Pentium Pro's floating point, long nops (one whose last byte is
    # 0x90), the Pentium's, later ones, MMX, SSE, 3DNow!, and what is no instruction.
    "0f 44 c1": NEITHER, "0f 4f 06": NEITHER, "da c1": NEITHER, "db d1": NEITHER,
    "db f1": NEITHER, "df f1": NEITHER, "db e9": NEITHER, "df e9": NEITHER,
    "0f 1f 00": NEITHER, "66 0f 1f 44 00 00": NEITHER, "0f 1f 80 00 00 00 90": NEITHER,
    "2e 0f 1f 84 00 00 00 00 00": NEITHER, "0f 19 c0": NEITHER, "f3 90": NEITHER,
    "0f c7 0e": NEITHER, "0f 31": NEITHER, "0f a2": NEITHER, "0f 34": NEITHER, "0f 35": NEITHER,
    "0f 32": NEITHER, "0f 30": NEITHER, "0f 0b": NEITHER, "0f 38 f0 06": NEITHER,
    "df 0e": NEITHER, "dd 0e": NEITHER, "db e4": NEITHER, "df c0": NEITHER,
    "0f 77": NEITHER, "0f ef c0": NEITHER, "0f 6e c0": NEITHER, "0f 57 c0": NEITHER,
    "f2 0f 10 06": NEITHER, "66 0f ef c0": NEITHER, "0f 18 06": NEITHER, "0f ae f8": NEITHER,
    "0f 0e": NEITHER, "0f 0f c1 9e": NEITHER, "0f 0d 06": NEITHER, "f3 0f 1e fb": NEITHER,
    "d6": NEITHER, "0f 0a": NEITHER, "f0": NEITHER, "0f": NEITHER, "e8 00 00": NEITHER,
}

# A map as ld writes it: a name too long for its column, data inside .text, the plain section.
MAP = """Linker script and memory map

.text           0x00401000      0x200
 *(.text)
 .text          0x00401000       0xd0 /usr/lib/gcc/i686-w64-mingw32/12-win32/crtbegin.o
                0x00401000                __gcc_register_frame
 .text$_ZN5setup12_GLOBAL__N_110DialogProcEP6HWND__jjl
                0x004010d0       0x30 ui/win32/libsetup_ui_win32.a(MessageDialog.cpp.obj)
 .text.unlikely._Znwj
                0x00401100       0x10 libstdc++.a(new_op.o)
 .gcc_except_table
                0x00401110       0x20 app/CMakeFiles/setup_lean_runtime.dir/LeanRuntime.cpp.obj
 .ctors         0x00401130        0x4 win32/libsetup_win32.a(Callback.cpp.obj)
 .text          0x00401134        0x0 empty.o

.rdata          0x00402000      0x200
 .rdata$zzz     0x00402000       0x10 base/libsetup_base.a(Title.cpp.obj)

.start          0x00403000      0x200
 .start$a       0x00403000      0x5bc stub/libsetup_stub.a(Start.cpp.obj)
 .start$a       0x004035bc      0x1a8 codec/libsetup_codec.a(Lzma.cpp.obj)
 .start$r       0x004040a0       0x80 stub/libsetup_stub.a(Start.cpp.obj)
"""


class CheckInstructionsTest(unittest.TestCase):
    def test_each_instruction_is_judged_as_the_processors_have_it(self):
        pieces = [bytes.fromhex(case) for case in CASES]
        for (case, expected), listing in zip(CASES.items(),
                                             check_instructions.disassemble(pieces)):
            with self.subTest(case):
                verdicts = {
                    processor: all(check_instructions.refusal(code, text, allowed) is None
                                   for _, code, text in listing)
                    for processor, allowed in (("386", check_instructions.FOR_386),
                                               ("486", check_instructions.FOR_486))}
                self.assertEqual({BOTH: {"386": True, "486": True},
                                  I486: {"386": False, "486": True},
                                  NEITHER: {"386": False, "486": False}}[expected], verdicts,
                                 [text for _, _, text in listing])

    def test_the_code_pieces_of_the_map_and_the_stubs_own(self):
        with tempfile.TemporaryDirectory() as directory:
            path = os.path.join(directory, "Setup.map")
            with open(path, "w", encoding="utf-8") as handle:
                handle.write(MAP)
            pieces = list(map_sections(path))
        self.assertIn(InputSection(".text", ".text$_ZN5setup12_GLOBAL__N_110DialogProcEP6HWND__jjl",
                                   0x4010D0, 0x30,
                                   "ui/win32/libsetup_ui_win32.a(MessageDialog.cpp.obj)"), pieces)
        code = [(piece.name, piece.address, check_instructions.allowed_for(piece)
                 is check_instructions.FOR_386)
                for piece in pieces if check_instructions.is_code(piece)]
        self.assertEqual([(".text", 0x401000, False), (pieces[1].name, 0x4010D0, False),
                          (".text.unlikely._Znwj", 0x401100, False),
                          (".start$a", 0x403000, True), (".start$a", 0x4035BC, False)], code)


if __name__ == "__main__":
    unittest.main()
