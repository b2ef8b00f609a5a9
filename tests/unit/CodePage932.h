// Code page 932 (Japanese) as GetCPInfo describes it, for the walks by character in the host
// tests, and characters of it whose second byte looks like something else.
#pragma once

#include "base/PathText.h"

#include <cstdint>
#include <string>

namespace setup {

inline constexpr uint8_t LeadRanges932[] = {0x81, 0x9F, 0xE0, 0xFC, 0, 0, 0, 0, 0, 0, 0, 0};
inline const TLeadBytes LeadBytes932{LeadRanges932};

inline const std::string Hyo = "\x95\x5C"; // "table": its second byte is a backslash
inline const std::string So = "\x83\x5C";  // katakana so, as in "software": the same
inline const std::string Di = "\x83\x61";  // katakana di: its second byte is an "a"
inline const std::string A = "\x83\x41";   // katakana a: the same with an "A"

} // namespace setup
