#include "codec/Crc32.h"

namespace setup {

namespace {

// A table per half byte: 64 bytes of image against 1 KiB for a byte table, and still a
// fraction of the time of a bit at a time.
constexpr uint32_t NibbleEntry(uint32_t crc) {
    for (int bit = 0; bit < 4; ++bit)
        crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    return crc;
}

SETUP_START_DATA constexpr uint32_t NibbleTable[16] = {
    NibbleEntry(0),  NibbleEntry(1),  NibbleEntry(2),  NibbleEntry(3),
    NibbleEntry(4),  NibbleEntry(5),  NibbleEntry(6),  NibbleEntry(7),
    NibbleEntry(8),  NibbleEntry(9),  NibbleEntry(10), NibbleEntry(11),
    NibbleEntry(12), NibbleEntry(13), NibbleEntry(14), NibbleEntry(15)};

} // namespace

uint32_t Crc32(uint32_t crc, const uint8_t* data, size_t size) {
    crc = ~crc;
    for (const uint8_t* end = data + size; data != end; ++data) {
        crc ^= *data;
        crc = (crc >> 4) ^ NibbleTable[crc & 15];
        crc = (crc >> 4) ^ NibbleTable[crc & 15];
    }
    return ~crc;
}

} // namespace setup
