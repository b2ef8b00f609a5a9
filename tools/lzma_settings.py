"""The LZMA settings every packer of the build tries, and the one search among them: lc 0 to 4
and pb 0 to 2 (lp stays 0; lc + lp <= 4 is what the decoder accepts), preset 9 extreme, a
dictionary as large as the input. The smallest raw stream wins, the first one on a tie, so the
result depends on the input bytes alone."""
import lzma

TRIED_LC = (0, 1, 2, 3, 4)
TRIED_PB = (0, 1, 2)


def dictionary_size(size):
    """The smallest power of two from 4 KiB up that holds the whole input."""
    dict_size = 4096
    while dict_size < size:
        dict_size *= 2
    return dict_size


def properties_byte(lc, lp, pb):
    return (pb * 5 + lp) * 9 + lc


def filters(lc, lp, pb, dict_size, before=()):
    """The filter chain: the filters before (delta, x86), then LZMA1 with these settings."""
    return list(before) + [{
        "id": lzma.FILTER_LZMA1,
        "preset": 9 | lzma.PRESET_EXTREME,
        "lc": lc, "lp": lp, "pb": pb,
        "dict_size": dict_size,
    }]


def raw_stream(data, lc, lp, pb, before=(), dict_size=None):
    chain = filters(lc, lp, pb, dict_size or dictionary_size(len(data)), before)
    return lzma.compress(data, format=lzma.FORMAT_RAW, filters=chain)


def smallest_stream(data, before=()):
    """The smallest raw stream of data over the tried settings and its properties byte."""
    return min(((raw_stream(data, lc, 0, pb, before), properties_byte(lc, 0, pb))
                for lc in TRIED_LC for pb in TRIED_PB), key=lambda candidate: len(candidate[0]))
