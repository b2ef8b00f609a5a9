// Numbers as the stored formats and the image's headers keep them: little-endian.
#pragma once

#include <cstdint>

namespace setup {

// Always inlined: the entry stub may call nothing outside its start section.
[[gnu::always_inline]] inline uint32_t ReadLittleEndian32(const uint8_t* at) {
    return at[0] | at[1] << 8 | at[2] << 16 | static_cast<uint32_t>(at[3]) << 24;
}

} // namespace setup
