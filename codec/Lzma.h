// The decoder of Setup.exe's stored blocks: raw LZMA streams as Python's lzma module writes
// them (FORMAT_RAW, FILTER_LZMA1), ending with the end marker.
#pragma once

#include <cstdint>
#include <span>

namespace setup {

// Decodes stream, made with the given properties byte ((pb * 5 + lp) * 9 + lc, lc + lp at
// most 4), into out, using out itself as the dictionary. True only when the stream fills out
// exactly, ends with the end marker and is used up; anything else (a truncated, altered or
// foreign stream) is false, with out partly written. Reads and writes stay inside stream and
// out, and the work is bounded by out's size.
bool LzmaDecode(std::span<const uint8_t> stream, uint8_t properties, std::span<uint8_t> out);

} // namespace setup
