"""Writes the decoder's test vectors: for each case NAME, NAME.raw (the input), NAME.blk
(its stored block, made by the packer Setup.exe is built with) and NAME.x86 (the input after
the x86 branch conversion Setup.exe's code is packed with), and cases.txt listing the names in
order.

    python3 -m tools.make_lzma_vectors OUTDIR [FILE...]

The FILEs (real programs and bitmaps) become cases too. Everything generated comes from fixed
seeds, so the vectors are the same on every run.
"""
import lzma
import os
import random
import sys

from tools.pack_block import pack

# (lc, lp, pb, delta distance) in turn, so that every literal and position context shape and
# the delta step are decoded.
SETTINGS = [(3, 0, 2, 0), (0, 0, 0, 1), (4, 0, 0, 3), (0, 4, 0, 0), (1, 3, 2, 4), (2, 2, 4, 0),
            (0, 0, 4, 2), (2, 0, 1, 0), (3, 0, 0, 255)]


def generated_cases():
    rng = random.Random(1994)
    def noise(size):
        return bytes(rng.getrandbits(8) for _ in range(size))

    yield "empty", b"", None
    yield "one-zero", b"\0", None
    yield "one-ff", b"\xff", None
    for size in (2, 3, 4, 5, 16, 17):
        yield f"random-{size}", noise(size), None
    # Runs around the longest match (273) and its multiples.
    for size in (2, 3, 272, 273, 274, 275, 546, 547, 548, 100000):
        yield f"run-{size}", b"a" * size, None
    # Sizes around the smallest dictionary and around 64 KiB.
    for size in (255, 256, 257, 4095, 4096, 4097, 65535, 65536, 65537):
        yield f"random-{size}", noise(size), None
    # Repeats whose distance sits at, just inside and just outside a 4 KiB dictionary.
    for period in (4095, 4096, 4097):
        chunk = noise(period)
        yield f"period-{period}-dict-4096", chunk * 3 + chunk[:100], 4096
    # Distances in the long distance slots.
    chunk = noise(150000)
    yield "repeat-150000", chunk + noise(1000) + chunk, None
    # Text-like: many short matches at changing distances, rep matches, matched literals.
    words = [bytes(rng.choice(b"etaoinshrdlu") for _ in range(rng.randint(1, 9)))
             for _ in range(300)]
    yield "words", b" ".join(rng.choice(words) for _ in range(12000)), None
    # Noise broken by runs and by copies of earlier noise.
    mixed = bytearray()
    while len(mixed) < 200000:
        kind = rng.randrange(3)
        if kind == 0:
            mixed += noise(rng.randint(1, 2000))
        elif kind == 1:
            mixed += bytes([rng.getrandbits(8)]) * rng.randint(1, 700)
        elif mixed:
            start = rng.randrange(len(mixed))
            mixed += mixed[start:start + rng.randint(2, 600)]
    yield "mixed", bytes(mixed), None
    # Call and jump opcodes close together, with operands near and far, so that the x86
    # conversion meets every run of candidates it tells apart.
    yield "branches", bytes(rng.choice(b"\xe8\xe9\x00\xff\x0f\x12") if rng.randrange(4) else
                            rng.getrandbits(8) for _ in range(60000)), None


def file_cases(paths):
    for path in paths:
        with open(path, "rb") as source:
            yield "file-" + os.path.basename(path), source.read(), None


def x86_converted(data):
    """The bytes the LZMA stage sees after the x86 branch conversion."""
    filters = [{"id": lzma.FILTER_X86}, {"id": lzma.FILTER_LZMA1, "preset": 0}]
    stream = lzma.compress(data, format=lzma.FORMAT_RAW, filters=filters)
    return lzma.decompress(stream, format=lzma.FORMAT_RAW, filters=filters[1:])


def main():
    out_dir = sys.argv[1]
    os.makedirs(out_dir, exist_ok=True)
    names = []
    cases = list(generated_cases()) + list(file_cases(sys.argv[2:]))
    for index, (name, data, dict_size) in enumerate(cases):
        lc, lp, pb, delta = SETTINGS[index % len(SETTINGS)]
        with open(os.path.join(out_dir, name + ".raw"), "wb") as raw:
            raw.write(data)
        with open(os.path.join(out_dir, name + ".blk"), "wb") as block:
            block.write(pack(data, lc, lp, pb, delta, dict_size))
        with open(os.path.join(out_dir, name + ".x86"), "wb") as converted:
            converted.write(x86_converted(data))
        names.append(name)
    with open(os.path.join(out_dir, "cases.txt"), "w", newline="\n") as listing:
        listing.write("".join(name + "\n" for name in names))


if __name__ == "__main__":
    main()
