// CRC-32 as zlib and Python's binascii compute it (reflected 0xEDB88320, inverted).
#pragma once

#include "codec/StartSection.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace setup {

// The CRC-32 of what crc was computed over followed by size bytes at data, as zlib's crc32:
// 0 for nothing, and each result continues with the next piece. Runs before the unpacking.
SETUP_START_CODE uint32_t Crc32(uint32_t crc, const uint8_t* data, size_t size);

inline uint32_t Crc32(std::span<const uint8_t> data) {
    return Crc32(0, data.data(), data.size());
}

} // namespace setup
