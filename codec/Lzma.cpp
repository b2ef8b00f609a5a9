#include "codec/Lzma.h"

#include <vector>

namespace setup {

namespace {

constexpr unsigned States = 12;
constexpr unsigned PosStates = 16; // the most a pb of 4 gives
constexpr unsigned FirstMatchState = 7;
constexpr uint32_t EndMarker = 0xFFFFFFFFu;
constexpr unsigned MaxLiteralContextBits = 4;

// Where each group of adaptive probabilities starts in one flat array.
enum : unsigned {
    IsMatch = 0,
    IsRep = IsMatch + States * PosStates,
    IsRepG0 = IsRep + States,
    IsRepG1 = IsRepG0 + States,
    IsRepG2 = IsRepG1 + States,
    IsRep0Long = IsRepG2 + States,
    PosSlot = IsRep0Long + States * PosStates, // 4 length classes of a 6-bit tree
    SpecPos = PosSlot + 4 * 64,                // reverse trees of distances 4 to 127
    Align = SpecPos + 115,                     // the low 4 bits of long distances
    LenCoder = Align + 16,
    RepLenCoder = LenCoder + 514,
    Literals = RepLenCoder + 514, // 0x300 per literal context
};

// Within a length coder: two choice bits, then a low and a middle 3-bit tree per position
// state, then one 8-bit tree.
enum : unsigned {
    Choice = 0,
    Choice2 = 1,
    LowTrees = 2,
    MidTrees = 2 + 8 * PosStates,
    HighTree = 2 + 16 * PosStates
};

// The whole decoder's state. Plain functions on it rather than classes: whatever of it the
// compiler does not inline must stay in the start section too.
struct TDecoder {
    const uint8_t* In;
    const uint8_t* InEnd;
    uint32_t Range;
    uint32_t Code;
    bool Broken; // read past the stream's end or begun wrongly
    uint8_t* Out;
    size_t OutSize;
    size_t Pos;
    uint16_t* P;
    unsigned Lc;
    unsigned LpMask;
    unsigned PbMask;
    unsigned State;
    uint32_t Reps[4];
};

// Past the end it marks the stream broken and yields zeros; the decoder stops at its next
// symbol.
SETUP_START_CODE uint8_t NextByte(TDecoder& d) {
    if (d.In != d.InEnd)
        return *d.In++;
    d.Broken = true;
    return 0;
}

SETUP_START_CODE void Normalize(TDecoder& d) {
    if (d.Range < (1u << 24)) {
        d.Range <<= 8;
        d.Code = (d.Code << 8) | NextByte(d);
    }
}

SETUP_START_CODE unsigned Bit(TDecoder& d, uint16_t& probability) {
    const uint32_t bound = (d.Range >> 11) * probability;
    unsigned bit;
    if (d.Code < bound) {
        d.Range = bound;
        probability += (2048 - probability) >> 5;
        bit = 0;
    } else {
        d.Range -= bound;
        d.Code -= bound;
        probability -= probability >> 5;
        bit = 1;
    }
    Normalize(d);
    return bit;
}

SETUP_START_CODE uint32_t DirectBits(TDecoder& d, unsigned count) {
    uint32_t value = 0;
    while (count--) {
        d.Range >>= 1;
        const unsigned bit = d.Code >= d.Range;
        if (bit)
            d.Code -= d.Range;
        value = (value << 1) | bit;
        Normalize(d);
    }
    return value;
}

// A symbol of bits bits, highest bit first, from the tree at probabilities[1...].
SETUP_START_CODE unsigned Tree(TDecoder& d, uint16_t* probabilities, unsigned bits) {
    unsigned node = 1;
    while (node < (1u << bits))
        node = (node << 1) | Bit(d, probabilities[node]);
    return node - (1u << bits);
}

// The same with the lowest bit first.
SETUP_START_CODE unsigned ReverseTree(TDecoder& d, uint16_t* probabilities, unsigned bits) {
    unsigned node = 1;
    unsigned symbol = 0;
    for (unsigned i = 0; i < bits; ++i) {
        const unsigned bit = Bit(d, probabilities[node]);
        node = (node << 1) | bit;
        symbol |= bit << i;
    }
    return symbol;
}

SETUP_START_CODE bool Literal(TDecoder& d) {
    if (d.Pos == d.OutSize)
        return false;
    const unsigned previous = d.Pos ? d.Out[d.Pos - 1] : 0;
    const unsigned context = ((d.Pos & d.LpMask) << d.Lc) + (previous >> (8 - d.Lc));
    uint16_t* probabilities = d.P + Literals + 0x300 * context;
    unsigned symbol = 1;
    if (d.State >= FirstMatchState) {
        // After a match the byte at the last distance guides the first bits.
        if (d.Reps[0] >= d.Pos)
            return false;
        unsigned match = d.Out[d.Pos - d.Reps[0] - 1];
        while (symbol < 0x100) {
            const unsigned matchBit = (match >> 7) & 1;
            match <<= 1;
            const unsigned bit = Bit(d, probabilities[((1 + matchBit) << 8) + symbol]);
            symbol = (symbol << 1) | bit;
            if (bit != matchBit)
                break;
        }
    }
    while (symbol < 0x100)
        symbol = (symbol << 1) | Bit(d, probabilities[symbol]);
    d.Out[d.Pos++] = static_cast<uint8_t>(symbol);
    d.State = d.State < 4 ? 0 : d.State < 10 ? d.State - 3 : d.State - 6;
    return true;
}

// A match length, 2 to 273.
SETUP_START_CODE unsigned Length(TDecoder& d, unsigned coder, unsigned posState) {
    uint16_t* probabilities = d.P + coder;
    if (!Bit(d, probabilities[Choice]))
        return 2 + Tree(d, probabilities + LowTrees + posState * 8, 3);
    if (!Bit(d, probabilities[Choice2]))
        return 10 + Tree(d, probabilities + MidTrees + posState * 8, 3);
    return 18 + Tree(d, probabilities + HighTree, 8);
}

// A match distance less one; EndMarker ends the stream.
SETUP_START_CODE uint32_t Distance(TDecoder& d, unsigned length) {
    const unsigned lengthClass = length < 5 ? length - 2 : 3;
    const unsigned slot = Tree(d, d.P + PosSlot + lengthClass * 64, 6);
    if (slot < 4)
        return slot;
    const unsigned directBits = (slot >> 1) - 1;
    const uint32_t base = (2 | (slot & 1)) << directBits;
    if (slot < 14)
        return base + ReverseTree(d, d.P + SpecPos + base - slot, directBits);
    return base + (DirectBits(d, directBits - 4) << 4) + ReverseTree(d, d.P + Align, 4);
}

SETUP_START_CODE bool Copy(TDecoder& d, unsigned length) {
    if (d.Reps[0] >= d.Pos || length > d.OutSize - d.Pos)
        return false;
    for (; length; --length, ++d.Pos)
        d.Out[d.Pos] = d.Out[d.Pos - d.Reps[0] - 1];
    return true;
}

SETUP_START_CODE bool Run(TDecoder& d) {
    for (;;) {
        if (d.Broken)
            return false;
        const unsigned posState = d.Pos & d.PbMask;
        if (!Bit(d, d.P[IsMatch + d.State * PosStates + posState])) {
            if (!Literal(d))
                return false;
            continue;
        }
        unsigned length = 0;
        if (!Bit(d, d.P[IsRep + d.State])) {
            length = Length(d, LenCoder, posState);
            d.State = d.State < FirstMatchState ? 7 : 10;
            const uint32_t distance = Distance(d, length);
            if (distance == EndMarker)
                return !d.Broken && d.Pos == d.OutSize && d.In == d.InEnd;
            d.Reps[3] = d.Reps[2];
            d.Reps[2] = d.Reps[1];
            d.Reps[1] = d.Reps[0];
            d.Reps[0] = distance;
        } else {
            if (!Bit(d, d.P[IsRepG0 + d.State])) {
                if (!Bit(d, d.P[IsRep0Long + d.State * PosStates + posState])) {
                    d.State = d.State < FirstMatchState ? 9 : 11;
                    length = 1; // one byte from the last distance
                }
            } else {
                uint32_t distance;
                if (!Bit(d, d.P[IsRepG1 + d.State])) {
                    distance = d.Reps[1];
                } else {
                    if (!Bit(d, d.P[IsRepG2 + d.State])) {
                        distance = d.Reps[2];
                    } else {
                        distance = d.Reps[3];
                        d.Reps[3] = d.Reps[2];
                    }
                    d.Reps[2] = d.Reps[1];
                }
                d.Reps[1] = d.Reps[0];
                d.Reps[0] = distance;
            }
            if (length == 0) {
                length = Length(d, RepLenCoder, posState);
                d.State = d.State < FirstMatchState ? 8 : 11;
            }
        }
        if (!Copy(d, length))
            return false;
    }
}

} // namespace

size_t LzmaProbabilityCount(uint8_t properties) {
    if (properties >= 9 * 5 * 5)
        return 0;
    const unsigned lc = properties % 9;
    const unsigned lp = properties / 9 % 5;
    return lc + lp > MaxLiteralContextBits ? 0 : Literals + (0x300u << (lc + lp));
}

bool LzmaDecode(const uint8_t* stream, size_t streamSize, uint8_t properties, uint8_t* out,
                size_t outSize, uint16_t* probabilities) {
    const size_t count = LzmaProbabilityCount(properties);
    if (count == 0)
        return false;
    for (size_t i = 0; i < count; ++i)
        probabilities[i] = 1024;
    TDecoder d;
    d.In = stream;
    d.InEnd = stream + streamSize;
    d.Range = 0xFFFFFFFFu;
    d.Code = 0;
    d.Broken = false;
    d.Out = out;
    d.OutSize = outSize;
    d.Pos = 0;
    d.P = probabilities;
    d.Lc = properties % 9;
    d.LpMask = (1u << (properties / 9 % 5)) - 1;
    d.PbMask = (1u << (properties / 45)) - 1;
    d.State = 0;
    for (uint32_t& rep : d.Reps)
        rep = 0;
    const bool badStart = NextByte(d) != 0; // the encoder's first byte is always 0
    for (int i = 0; i < 4; ++i)
        d.Code = (d.Code << 8) | NextByte(d);
    d.Broken |= badStart || d.Code == d.Range;
    return Run(d);
}

bool LzmaDecode(std::span<const uint8_t> stream, uint8_t properties, std::span<uint8_t> out) {
    std::vector<uint16_t> probabilities(LzmaProbabilityCount(properties));
    return !probabilities.empty() && LzmaDecode(stream.data(), stream.size(), properties,
                                                out.data(), out.size(), probabilities.data());
}

} // namespace setup
