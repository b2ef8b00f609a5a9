"""python3 -m tools.check_instructions <image> <linker map>: every instruction of the image runs on
a 486 with its 387.

Unpacks the packed sections (stub/Start.cpp says how they are stored), disassembles every code
input section the linker map lists (the plain start's ".start$a" pieces and every ".text" piece
of our objects, the toolchain's libraries and crtbegin/crtend) from its own first byte, and
checks each instruction against the lists below: an instruction not on them is refused, so a
newer one cannot slip through. The entry stub's own code must also run on a 386, where it says
that the program needs more. Wine on a newer processor runs anything; only this check shows it.
"""
import lzma
import os
import re
import struct
import subprocess
import sys
import tempfile

from tools.link_map import map_sections
from tools.lzma_settings import dictionary_size, filters

OBJDUMP = "i686-w64-mingw32-objdump"
STUB_SOURCE = "(Start.cpp.obj)"
CONDITIONS = "o no b ae e ne be a s ns p np l ge le g".split()
# As objdump spells them in Intel syntax (string instructions without a size letter).
I386 = frozenset("""
    aaa aad aam aas adc add and arpl bound bsf bsr bt btc btr bts call cbw cdq clc cld cli clts
    cmc cmp cmps cwd cwde daa das dec div enter hlt idiv imul in inc ins int int3 into iret
    jcxz jecxz jmp lahf lar lds lea leave les lfs lgdtd lgs lidtd lldt lmsw lods loop loope
    loopne lsl lss ltr mov movs movsx movzx mul neg nop not or out outs pop popa popf push pusha
    pushf rcl rcr ret retf rol ror sahf sar sbb scas sgdtd shl shld shr shrd sidtd sldt smsw stc
    std sti stos str sub test verr verw xchg xlat xor
    """.split() + ["j" + c for c in CONDITIONS] + ["set" + c for c in CONDITIONS])
I486 = I386 | {"bswap", "cmpxchg", "xadd", "invd", "wbinvd", "invlpg"}
# The 8087's, the 287's and the 387's, without fcomi, fcmov, fisttp and the undocumented forms.
X87 = frozenset("""
    f2xm1 fabs fadd faddp fbld fbstp fchs fclex fcom fcomp fcompp fcos fdecstp fdiv fdivp fdivr
    fdivrp ffree fiadd ficom ficomp fidiv fidivr fild fimul fincstp finit fist fistp fisub
    fisubr fld fld1 fldcw fldenv fldl2e fldl2t fldlg2 fldln2 fldpi fldz fmul fmulp fnclex fninit
    fnop fnsave fnstcw fnstenv fnstsw fpatan fprem fprem1 fptan frndint frstor fsave fscale fsin
    fsincos fsqrt fst fstcw fstenv fstp fstsw fsub fsubp fsubr fsubrp ftst fucom fucomp fucompp
    fwait fxam fxch fxtract fyl2x fyl2xp1
    """.split())
FOR_486 = I486 | X87
# The stub runs before the processor is known: on a 386, which may have no 387 at all.
FOR_386 = I386
PREFIXES = {"lock", "rep", "repz", "repe", "repnz", "repne", "data16", "addr16",
            "cs", "ds", "es", "ss", "fs", "gs"}
PREFIX_BYTES = bytes.fromhex("f0 f2 f3 2e 36 3e 26 64 65 66 67")
LINE = re.compile(r"^\s*([0-9a-f]+):\t([0-9a-f ]+)\t(.*)$")
FILE = re.compile(r"^(\S+):\s+file format ")
PACKED_HEADER = "<IIIB"  # start, span, stream size, properties byte


def refusal(code, text, allowed):
    """Why the instruction (its bytes, objdump's Intel text) is not in allowed, or None."""
    words = text.split("#")[0].split()
    while words and words[0] in PREFIXES:
        words.pop(0)
    if not words:
        return "a prefix without an instruction"
    if words[0] in ("(bad)", ".byte"):
        return "not an instruction"
    if words[0] not in allowed:
        return "not on the list"
    # Only 0x90 is the 8086's nop: 0F 18-1F (the long nop among them) came with later ones.
    if words[0] == "nop" and code.lstrip(PREFIX_BYTES) != b"\x90":
        return "not the one-byte nop"
    return None


def disassemble(pieces):
    """Every instruction of each piece of code, each disassembled from its own first byte:
    [[(offset, bytes, text), ...] per piece]."""
    with tempfile.TemporaryDirectory() as directory:
        paths = []
        for index, code in enumerate(pieces):
            paths.append(os.path.join(directory, str(index)))
            with open(paths[-1], "wb") as handle:
                handle.write(code)
        # One call for all of them; -z shows runs of zeros instead of leaving them out.
        result = subprocess.run([OBJDUMP, "-D", "-z", "-b", "binary", "-m", "i386", "-M", "intel",
                                 "--insn-width=16"] + paths,
                                capture_output=True, text=True, check=False)
    if result.returncode:
        sys.exit(f"check_instructions.py: {OBJDUMP} failed: {result.stderr.strip()}")
    listings = {path: [] for path in paths}
    current = None
    for line in result.stdout.splitlines():
        match = FILE.match(line)
        if match:
            current = listings[match.group(1)]
            continue
        match = LINE.match(line)
        if match:
            current.append((int(match.group(1), 16), bytes.fromhex(match.group(2)),
                            match.group(3).strip()))
    # Every byte in an instruction, each once: else the listing was misread and checks nothing.
    for code, path in zip(pieces, paths):
        if b"".join(code for _, code, _ in listings[path]) != code:
            sys.exit(f"check_instructions.py: {OBJDUMP} did not show every byte of a section")
    return [listings[path] for path in paths]


def memory(path):
    """The image's bytes as the stub leaves them in memory, the packed sections unpacked: a
    function of (address as the map gives it, size), None where the image has no such bytes."""
    # Imported here alone: the check of instructions itself (and its host test) needs no pefile.
    from tools.pack_image import NEW_NAME, name_of, pefile
    try:
        pe = pefile.PE(path, fast_load=True)
    except (OSError, pefile.PEFormatError) as error:
        sys.exit(f"check_instructions.py: {path}: not a PE image ({error})")
    regions = []
    for section in pe.sections:
        data = section.get_data()
        if name_of(section) == NEW_NAME.decode():
            start, span, size, properties = struct.unpack_from(PACKED_HEADER, data)
            lc, lp, pb = properties % 9, properties // 9 % 5, properties // 45
            chain = filters(lc, lp, pb, dictionary_size(span), [{"id": lzma.FILTER_X86}])
            try:
                stream = data[struct.calcsize(PACKED_HEADER):][:size]
                unpacked = lzma.decompress(stream, format=lzma.FORMAT_RAW, filters=chain)
            except lzma.LZMAError as error:
                sys.exit(f"check_instructions.py: {path}: the packed stream: {error}")
            if len(unpacked) != span:
                sys.exit(f"check_instructions.py: {path}: the packed stream holds "
                         f"{len(unpacked)} bytes, not {span}")
            regions.append((start, unpacked))
        elif section.SizeOfRawData:
            regions.append((section.VirtualAddress, data))
    base = pe.OPTIONAL_HEADER.ImageBase

    def read(address, size):
        for start, data in regions:
            if start <= address - base and address - base + size <= start + len(data):
                return data[address - base - start:address - base - start + size]
        return None
    return read


def is_code(piece):
    if piece.output == ".start":
        return piece.name.startswith(".start$a")
    return piece.output == ".text" and (piece.name == ".text" or
                                        piece.name.startswith((".text$", ".text.")))


def allowed_for(piece):
    return FOR_386 if piece.output == ".start" and STUB_SOURCE in piece.source else FOR_486


def check(image_path, map_path):
    """Lines naming every refused instruction, and the count of pieces and instructions."""
    read = memory(image_path)
    pieces = [piece for piece in map_sections(map_path) if is_code(piece)]
    codes = [read(piece.address, piece.size) for piece in pieces]
    missing = [piece for piece, code in zip(pieces, codes) if code is None]
    if missing:
        sys.exit(f"check_instructions.py: {image_path}: no bytes for {missing[0].name} of "
                 f"{missing[0].source} at 0x{missing[0].address:x}")
    faults = []
    count = 0
    for piece, listing in zip(pieces, disassemble(codes)):
        allowed = allowed_for(piece)
        count += len(listing)
        refused = [(offset, code, text, reason) for offset, code, text in listing
                   for reason in [refusal(code, text, allowed)] if reason]
        if refused:
            faults.append(f"{piece.name} of {piece.source} "
                          f"(for the {'386' if allowed is FOR_386 else '486'}):")
            faults += [f"  0x{piece.address + offset:08x}  {code.hex(' '):<24} {text}  ({reason})"
                       for offset, code, text, reason in refused]
    return faults, len(pieces), count


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: python3 -m tools.check_instructions <image> <linker map>")
    faults, pieces, count = check(sys.argv[1], sys.argv[2])
    name = os.path.basename(sys.argv[1])
    if not count:
        sys.exit(f"{name}: the map names no code: the check read nothing")
    if faults:
        print("\n".join(faults))
        sys.exit(f"{name}: {sum(not line.startswith(' ') for line in faults)} of {pieces} code "
                 f"sections hold instructions a 486 (the stub: a 386) lacks")
    print(f"{name}: {count} instructions in {pieces} code sections run on a 486 "
          f"(the stub's on a 386)")


if __name__ == "__main__":
    main()
