#include "platform/StoredBlock.h"

#include "platform/Crc32.h"
#include "platform/Lzma.h"

namespace setup {

namespace {

constexpr size_t HeaderSize = 10;

uint32_t ReadLittleEndian32(const uint8_t* bytes) {
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

// Adds back to each byte the one distance bytes before it (none before the first distance).
void UndoDelta(std::vector<uint8_t>& bytes, unsigned distance) {
    if (distance == 0)
        return;
    for (size_t i = distance; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(bytes[i] + bytes[i - distance]);
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
    UndoDelta(decoded, stored[9]);
    return decoded;
}

} // namespace setup
