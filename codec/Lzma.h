// The decoder of Setup.exe's packed image and stored blocks: raw LZMA streams as Python's lzma
// module writes them (FORMAT_RAW, FILTER_LZMA1), ending with the end marker. One copy serves
// both: it lies in the start section, since it runs before the rest of the image is unpacked.
#pragma once

#include "codec/StartSection.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace setup {

// The number of 16-bit probabilities decoding with properties ((pb * 5 + lp) * 9 + lc) needs;
// 0 for properties the decoder refuses (lc + lp above 4 would need megabytes of them, and the
// packers never use them).
SETUP_START_CODE size_t LzmaProbabilityCount(uint8_t properties);

// Decodes the stream into out, using out itself as the dictionary and probabilities (of
// LzmaProbabilityCount(properties) entries) as its work space. True only when the stream fills
// out exactly, ends with the end marker and is used up; anything else (a truncated, altered or
// foreign stream) is false, with out partly written. Reads and writes stay inside stream, out
// and probabilities, and the work is bounded by out's size.
SETUP_START_CODE bool LzmaDecode(const uint8_t* stream, size_t streamSize, uint8_t properties,
                                 uint8_t* out, size_t outSize, uint16_t* probabilities);

// The same with probabilities of its own.
bool LzmaDecode(std::span<const uint8_t> stream, uint8_t properties, std::span<uint8_t> out);

} // namespace setup
