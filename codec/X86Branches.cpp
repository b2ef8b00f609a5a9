#include "codec/X86Branches.h"
#include "codec/LittleEndian.h"

namespace setup {

namespace {

// A 32-bit target whose top byte is 00 or FF: a near one, which the filter converts.
SETUP_START_CODE bool NearTop(uint8_t byte) {
    return ((byte + 1) & 0xFE) == 0;
}

} // namespace

void X86BranchesDecode(uint8_t* data, size_t size) {
    if (size < 5)
        return;
    // The last four bytes can start no whole branch.
    const size_t limit = size - 4;
    // Which of the three bytes before the current one were skipped E8/E9 candidates: the filter
    // leaves an operand alone when its bytes could have been such an opcode's operand.
    uint32_t mask = 0;
    size_t pos = 0;
    for (;;) {
        size_t at = pos;
        while (at < limit && (data[at] & 0xFE) != 0xE8) // call and jmp rel32
            ++at;
        const size_t gap = at - pos;
        pos = at;
        if (at >= limit)
            return;
        if (gap > 2) {
            mask = 0;
        } else {
            mask >>= gap;
            if (mask != 0 && (mask > 4 || mask == 3 || NearTop(data[at + (mask >> 1) + 1]))) {
                mask = (mask >> 1) | 4;
                ++pos;
                continue;
            }
        }
        if (!NearTop(data[at + 4])) {
            mask = (mask >> 1) | 4;
            ++pos;
            continue;
        }
        uint32_t target = ReadLittleEndian32(data + at + 1);
        const uint32_t next = static_cast<uint32_t>(at + 5); // where the branch is relative to
        pos += 5;
        target -= next;
        if (mask != 0) {
            const unsigned shift = (mask & 6) << 2;
            if (NearTop(static_cast<uint8_t>(target >> shift))) {
                target ^= (0x100u << shift) - 1;
                target -= next;
            }
            mask = 0;
        }
        data[at + 1] = static_cast<uint8_t>(target);
        data[at + 2] = static_cast<uint8_t>(target >> 8);
        data[at + 3] = static_cast<uint8_t>(target >> 16);
        data[at + 4] = static_cast<uint8_t>(0 - ((target >> 24) & 1));
    }
}

} // namespace setup
