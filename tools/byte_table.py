"""python3 -m tools.byte_table <image> <linker map> <output>: where Setup.exe's bytes go.

Writes a Markdown table of the packed image's parts (headers, the plain start, the packed section
with the unpacked bytes of each room inside it, imports, pictures, payload, the rest of the
resources, alignment) and of the twenty largest functions with their rooms, from the image and
the linker map of its link. A part that grew shows as a row that grew.
"""
import re
import sys
from collections import Counter

from tools.link_map import demangle, map_sections

try:
    import pefile
except ImportError:
    sys.exit("byte_table.py needs Python's pefile module (Debian: python3-pefile)")

PACKED = (".text", ".data", ".rdata", ".eh_frame")
PAYLOAD = "PAYLOAD"
PICTURE = "PICTURE"
LARGEST = 20

# Archives and objects of the toolchain, by what they are to the program.
TOOLCHAIN_ROOMS = (
    ("libstdc++.a", "C++ runtime (libstdc++)"),
    ("libsupc++.a", "C++ runtime (libstdc++)"),
    ("setup_cxx_runtime.dir", "C++ runtime (libstdc++)"),  # its members built for the 486
    ("libgcc_eh.a", "unwinder (libgcc_eh)"),
    ("libgcc.a", "compiler helpers (libgcc)"),
    ("libmingwex.a", "C library (libmingwex)"),
    ("crtbegin.o", "unwind table frame (crtbegin, crtend)"),
    ("crtend.o", "unwind table frame (crtbegin, crtend)"),
)
# lib<...>.a of our own, or <room>/CMakeFiles/<target>.dir/... for object libraries.
OWN_ARCHIVE = re.compile(r"(?:^|/)((?:[\w.-]+/)*?[\w.-]+)/lib[\w.-]+\.a\(")
OWN_OBJECT = re.compile(r"(?:^|/)((?:[\w.-]+/)*?[\w.-]+)/CMakeFiles/")


def room_of(source):
    for name, room in TOOLCHAIN_ROOMS:
        if name in source:
            return room
    if "/i686-w64-mingw32/lib/" in source:
        return "import thunks (system DLLs)"
    for pattern in (OWN_ARCHIVE, OWN_OBJECT):
        match = pattern.search(source)
        if match:
            return match.group(1)
    return "linker (fill, ends of lists)"


def resource_sizes(pe):
    """Bytes of the pictures, of the payload bundle, and of every other resource datum."""
    sizes = Counter()
    directory = getattr(pe, "DIRECTORY_ENTRY_RESOURCE", None)
    for kind in directory.entries if directory else ():
        kind_name = str(kind.name) if kind.name else None
        for entry in kind.directory.entries:
            entry_name = str(entry.name) if entry.name else None
            for language in entry.directory.entries:
                size = language.data.struct.Size
                if kind_name == PICTURE:
                    sizes["pictures"] += size
                elif entry_name == PAYLOAD:
                    sizes["payload"] += size
                else:
                    sizes["other"] += size
    return sizes


def table(image_path, map_path):
    pe = pefile.PE(image_path, fast_load=False)
    file_size = len(pe.__data__)
    sections = {section.Name.rstrip(b"\0").decode(): section for section in pe.sections}

    unpacked = Counter()
    functions = []
    for output, name, _, size, source in map_sections(map_path):
        if output in PACKED:
            unpacked[room_of(source)] += size
            if output == ".text" and name.startswith(".text$"):
                functions.append((size, name[len(".text$"):], room_of(source)))
    functions.sort(key=lambda item: (-item[0], item[1]))
    functions = functions[:LARGEST]
    names = demangle([name for _, name, _ in functions])

    resources = resource_sizes(pe)
    rsrc = sections.get(".rsrc")
    rsrc_raw = rsrc.SizeOfRawData if rsrc else 0
    packed = sections[".packed"].SizeOfRawData if ".packed" in sections else 0
    start = sections[".start"].SizeOfRawData if ".start" in sections else 0
    imports = sections[".idata"].SizeOfRawData if ".idata" in sections else 0
    headers = pe.OPTIONAL_HEADER.SizeOfHeaders
    certificate = pe.OPTIONAL_HEADER.DATA_DIRECTORY[4].Size
    rows = [
        ("headers", headers),
        ("plain start (`.start`: stub, check, decoder)", start),
        ("imports (`.idata`)", imports),
        ("packed code, data, constants and unwind tables (`.packed`)", packed),
        ("pictures (packed)", resources["pictures"]),
        ("payload bundle (packed)", resources["payload"]),
        ("other resources (version, manifest, icon), directory and alignment",
         rsrc_raw - resources["pictures"] - resources["payload"]),
    ]
    if certificate:
        rows.append(("signature", certificate))
    rows.append(("the rest (alignment)", file_size - sum(size for _, size in rows)))

    out = [f"Setup.exe: {file_size} bytes", "", "| Part | Bytes in the file |", "|---|---|"]
    out += [f"| {part} | {size} |" for part, size in rows]
    out += ["", f"Inside `.packed`, unpacked ({sum(unpacked.values())} bytes of "
                f"{', '.join(PACKED)}), by room:", "", "| Room | Unpacked bytes |", "|---|---|"]
    out += [f"| {room} | {size} |"
            for room, size in sorted(unpacked.items(), key=lambda item: (-item[1], item[0]))]
    out += ["", f"The {LARGEST} largest functions:", "", "| Bytes | Function | Room |",
            "|---|---|---|"]
    out += [f"| {size} | `{name}` | {room} |" for (size, _, room), name in zip(functions, names)]
    return "\n".join(out) + "\n"


def main():
    if len(sys.argv) != 4:
        sys.exit("usage: python3 -m tools.byte_table <image> <linker map> <output>")
    text = table(sys.argv[1], sys.argv[2])
    with open(sys.argv[3], "w", encoding="utf-8") as handle:
        handle.write(text)


if __name__ == "__main__":
    main()
