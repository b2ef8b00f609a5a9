// The checksum a program image carries of itself: CRC-32 of the whole file except what signing
// it changes (the PE checksum field, the certificate table's entry in the data directory and
// the certificate table itself) and the slot that holds the value, four bytes of the DOS
// header's reserved words, which the loader ignores. The build writes it after the link and
// before signing (tools/stamp_checksum.py computes the same); Setup.exe checks it before it
// unpacks itself.
#pragma once

#include "codec/StartSection.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace setup {

// File offset of the slot: e_res2 of the DOS header.
inline constexpr size_t ImageChecksumSlot = 0x28;

// The checksum of the size bytes of a 32-bit PE image file at image, into checksum; false when
// its headers are not such an image's.
SETUP_START_CODE bool ImageChecksum(const uint8_t* image, size_t size, uint32_t* checksum);

// True when the image's slot holds the image's checksum.
SETUP_START_CODE bool ImageIntact(const uint8_t* image, size_t size);

inline std::optional<uint32_t> ImageChecksum(std::span<const uint8_t> image) {
    uint32_t checksum;
    return ImageChecksum(image.data(), image.size(), &checksum) ? std::optional(checksum)
                                                                : std::nullopt;
}

inline bool ImageIntact(std::span<const uint8_t> image) {
    return ImageIntact(image.data(), image.size());
}

} // namespace setup
