#include "platform/StoredBlock.h"

#include "platform/Crc32.h"
#include "platform/Lzma.h"

namespace setup {

namespace {

constexpr size_t HeaderSize = 9;

uint32_t ReadLittleEndian32(const uint8_t* bytes) {
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

} // namespace

bool StoredBlockIntact(std::span<const uint8_t> stored) {
    return stored.size() >= HeaderSize &&
           ReadLittleEndian32(stored.data()) == Crc32(stored.subspan(4));
}

std::optional<std::vector<uint8_t>> UnpackStoredBlock(std::span<const uint8_t> stored) {
    if (!StoredBlockIntact(stored))
        return std::nullopt;
    std::vector<uint8_t> decoded(ReadLittleEndian32(stored.data() + 4));
    if (!LzmaDecode(stored.subspan(HeaderSize), stored[8], decoded))
        return std::nullopt;
    return decoded;
}

} // namespace setup
