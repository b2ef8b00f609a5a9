"""Reads a GNU ld map: where the link placed every input section."""
import re
import subprocess
import sys
from typing import NamedTuple


class InputSection(NamedTuple):
    output: str  # output section, e.g. ".text"
    name: str  # input section, e.g. ".text$_ZN5Setup4MainEv"
    address: int  # virtual address (image base included)
    size: int
    source: str  # object or archive(member) it came from


def _placed(path):
    """The lines of the map's part after "Linker script and memory map"."""
    with open(path, encoding="utf-8", errors="replace") as handle:
        text = handle.read()
    start = text.find("Linker script and memory map")
    if start < 0:
        sys.exit(f"link_map.py: {path}: not a linker map")
    return text[start:].splitlines()


def map_sections(path):
    """Yields an InputSection for every input section of nonzero size the link placed, from the
    part of the map after "Linker script and memory map"."""
    output = None
    pending = None
    for line in _placed(path):
        match = re.match(r"^(\.\S+)\s+0x[0-9a-f]+\s+0x[0-9a-f]+", line) or \
            re.match(r"^(\.\S+)\s*$", line)
        if match and not line.startswith(" "):
            output = match.group(1)
            pending = None
            continue
        # A name too long for its column stands alone; its address and size follow below.
        match = re.match(r"^ (\S+)\s*$", line)
        if match and not match.group(1).startswith("0x"):
            pending = match.group(1)
            continue
        match = re.match(r"^ (\S+)?\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S.*)$", line)
        if match:
            name = match.group(1) or pending
            size = int(match.group(3), 16)
            if name and size:
                yield InputSection(output, name, int(match.group(2), 16), size,
                                   match.group(4).strip())
        pending = None


def map_symbols(path):
    """Yields (address, name) for every symbol the map lists where the link placed it (global
    ones only; C++ names as the map writes them, demangled), not the script's assignments."""
    for line in _placed(path):
        match = re.match(r"^ {16}0x([0-9a-f]+) {16}(\S.*)$", line)
        if match and " = " not in match.group(2) and not match.group(2).startswith("PROVIDE"):
            yield int(match.group(1), 16), match.group(2).strip()


def demangle(names):
    """The C++ names of the mangled ones, in order (as they are where the demangler fails)."""
    if not names:
        return []
    result = subprocess.run(["i686-w64-mingw32-c++filt", "--no-strip-underscore"], input="\n".join(names),
                            capture_output=True, text=True, check=False)
    lines = result.stdout.splitlines()
    return lines if len(lines) == len(names) else names
