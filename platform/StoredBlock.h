// The form in which Setup.exe stores its payload blocks and pictures (made at build time by
// payload/pack_block.py). All numbers little-endian:
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
#include <vector>

namespace setup {

// True when the block is long enough for its header and its checksum matches.
bool StoredBlockIntact(std::span<const uint8_t> stored);

// The decoded bytes of an intact block, or nullopt when the block is damaged.
std::optional<std::vector<uint8_t>> UnpackStoredBlock(std::span<const uint8_t> stored);

} // namespace setup
