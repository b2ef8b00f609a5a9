// CRC-32 as zlib and Python's binascii compute it (reflected 0xEDB88320, inverted).
#pragma once

#include <cstdint>
#include <span>

namespace setup {

uint32_t Crc32(std::span<const uint8_t> data);

} // namespace setup
