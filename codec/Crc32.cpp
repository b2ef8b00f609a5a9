#include "codec/Crc32.h"

#include <array>

namespace setup {

namespace {

// A table per half byte: 64 bytes of image against 1 KiB for a byte table, and still a
// fraction of the time of a bit at a time.
constexpr std::array<uint32_t, 16> MakeNibbleTable() {
    std::array<uint32_t, 16> table{};
    for (uint32_t n = 0; n < 16; ++n) {
        uint32_t crc = n;
        for (int bit = 0; bit < 4; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
        table[n] = crc;
    }
    return table;
}

constexpr std::array<uint32_t, 16> NibbleTable = MakeNibbleTable();

} // namespace

uint32_t Crc32(std::span<const uint8_t> data) {
    uint32_t crc = 0xFFFFFFFFu;
    for (const uint8_t byte : data) {
        crc ^= byte;
        crc = (crc >> 4) ^ NibbleTable[crc & 15];
        crc = (crc >> 4) ^ NibbleTable[crc & 15];
    }
    return ~crc;
}

} // namespace setup
