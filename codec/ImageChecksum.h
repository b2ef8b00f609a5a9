// The checksum a program image carries of itself: CRC-32 of the whole file except what signing
// it changes (the PE checksum field, the certificate table's entry in the data directory and
// the certificate table itself) and the slot that holds the value, four bytes of the DOS
// header's reserved words, which the loader ignores. The build writes it after the link and
// before signing (setup/stamp_checksum.py computes the same).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace setup {

// File offset of the slot: e_res2 of the DOS header.
inline constexpr size_t ImageChecksumSlot = 0x28;

// The checksum of a 32-bit PE image file; nullopt when its headers are not such an image's.
// Takes the bytes by value: the parts left out are cut from them in place.
std::optional<uint32_t> ImageChecksum(std::vector<uint8_t> image);

// True when the image's slot holds the image's checksum.
bool ImageIntact(std::vector<uint8_t> image);

} // namespace setup
