#include "codec/ImageChecksum.h"

#include "codec/Crc32.h"
#include "codec/LittleEndian.h"

namespace setup {

namespace {

constexpr size_t NewHeaderField = 0x3C;    // e_lfanew
constexpr size_t OptionalHeaderAt = 24;    // after "PE\0\0" and the file header
constexpr size_t ChecksumField = 64;       // in the optional header
constexpr size_t DirectoryCountField = 92; // NumberOfRvaAndSizes
constexpr size_t CertificateEntry = 128;   // data directory 4: file offset and size
constexpr size_t OptionalHeaderNeeded = 136;
constexpr uint16_t Pe32Magic = 0x10B;

// What stands in for a left-out field.
SETUP_START_DATA constexpr uint8_t Zeros[8] = {};

} // namespace

bool ImageChecksum(const uint8_t* image, size_t size, uint32_t* checksum) {
    if (size < NewHeaderField + 4)
        return false;
    const size_t header = ReadLittleEndian32(image + NewHeaderField);
    if (header > size || size - header < OptionalHeaderAt + OptionalHeaderNeeded)
        return false;
    const size_t optional = header + OptionalHeaderAt;
    if (ReadLittleEndian32(image + header) != 0x00004550 ||
        (ReadLittleEndian32(image + optional) & 0xFFFF) != Pe32Magic ||
        ReadLittleEndian32(image + optional + DirectoryCountField) <= 4)
        return false;
    const size_t entry = optional + CertificateEntry;
    const size_t tableSize = ReadLittleEndian32(image + entry + 4);
    const size_t tableAt = tableSize ? ReadLittleEndian32(image + entry) : size;
    // A certificate table lies after the headers and inside the file.
    if (tableSize != 0 && (tableAt < entry + 8 || tableAt > size || tableSize > size - tableAt))
        return false;
    // The left-out fields in file order (the optional header lies after the slot), each counted
    // as zeros; the certificate table not at all.
    const size_t fields[3][2] = {{ImageChecksumSlot, 4}, {optional + ChecksumField, 4}, {entry, 8}};
    uint32_t crc = 0;
    size_t at = 0;
    for (const auto& [field, length] : fields) {
        crc = Crc32(Crc32(crc, image + at, field - at), Zeros, length);
        at = field + length;
    }
    crc = Crc32(crc, image + at, tableAt - at);
    *checksum = Crc32(crc, image + tableAt + tableSize, size - tableAt - tableSize);
    return true;
}

bool ImageIntact(const uint8_t* image, size_t size) {
    uint32_t checksum;
    return ImageChecksum(image, size, &checksum) &&
           checksum == ReadLittleEndian32(image + ImageChecksumSlot);
}

} // namespace setup
