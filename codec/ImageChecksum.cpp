#include "codec/ImageChecksum.h"

#include "codec/Crc32.h"

#include <algorithm>

namespace setup {

namespace {

uint32_t Read32(const std::vector<uint8_t>& bytes, size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           static_cast<uint32_t>(bytes[at + 3]) << 24;
}

constexpr size_t NewHeaderField = 0x3C;    // e_lfanew
constexpr size_t OptionalHeaderAt = 24;    // after "PE\0\0" and the file header
constexpr size_t ChecksumField = 64;       // in the optional header
constexpr size_t DirectoryCountField = 92; // NumberOfRvaAndSizes
constexpr size_t CertificateEntry = 128;   // data directory 4: file offset and size
constexpr size_t OptionalHeaderNeeded = 136;
constexpr uint16_t Pe32Magic = 0x10B;

} // namespace

std::optional<uint32_t> ImageChecksum(std::vector<uint8_t> image) {
    if (image.size() < NewHeaderField + 4)
        return std::nullopt;
    const size_t header = Read32(image, NewHeaderField);
    if (header > image.size() || image.size() - header < OptionalHeaderAt + OptionalHeaderNeeded)
        return std::nullopt;
    const size_t optional = header + OptionalHeaderAt;
    if (Read32(image, header) != 0x00004550 || (Read32(image, optional) & 0xFFFF) != Pe32Magic ||
        Read32(image, optional + DirectoryCountField) <= 4)
        return std::nullopt;
    const size_t entry = optional + CertificateEntry;
    const size_t tableAt = Read32(image, entry);
    const size_t tableSize = Read32(image, entry + 4);
    // A certificate table lies after the headers and inside the file.
    if (tableSize != 0 &&
        (tableAt < entry + 8 || tableAt > image.size() || tableSize > image.size() - tableAt))
        return std::nullopt;
    if (tableSize != 0)
        image.erase(image.begin() + tableAt, image.begin() + tableAt + tableSize);
    for (const auto& [at, size] :
         {std::pair{ImageChecksumSlot, size_t{4}}, std::pair{optional + ChecksumField, size_t{4}},
          std::pair{entry, size_t{8}}})
        std::fill_n(image.begin() + at, size, 0);
    return Crc32(image);
}

bool ImageIntact(std::vector<uint8_t> image) {
    const uint32_t stored =
        image.size() >= ImageChecksumSlot + 4 ? Read32(image, ImageChecksumSlot) : 0;
    const auto checksum = ImageChecksum(std::move(image));
    return checksum && *checksum == stored;
}

} // namespace setup
