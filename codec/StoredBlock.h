// The form in which Setup.exe stores its payload blocks and pictures (made at build time by
// tools/pack_block.py). All numbers little-endian:
//
//   offset 0   CRC-32 of every byte from offset 4 to the end
//   offset 4   the decoded size, 32 bits
//   offset 8   the LZMA properties byte ((pb * 5 + lp) * 9 + lc)
//   offset 9   the delta distance d: 0, or each decoded byte is stored less the byte d before
//              it (pictures pack far smaller so)
//   offset 10  the raw LZMA stream, ending with the end marker
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace setup {

// True when the block is long enough for its header and its checksum matches.
bool StoredBlockIntact(std::span<const uint8_t> stored);

// The decoded bytes of an intact block, or nullopt when the block is damaged.
std::optional<std::vector<uint8_t>> UnpackStoredBlock(std::span<const uint8_t> stored);

// A bundle holds several files in one stored block, so that what they share (the payload's
// programs share most of their runtime) is stored once. Its decoded bytes: for each file its
// name, a 0 byte and its size (32 bits), then an empty name; then the files' bytes in the same
// order, filling the rest exactly. Returns the bytes of the file name (any case), or nullopt
// when the bundle has no such file or is not laid out so.
std::optional<std::span<const uint8_t>> FindInBundle(std::span<const uint8_t> bundle,
                                                     std::string_view name);

} // namespace setup
