#include "codec/Lzma.h"

#include <vector>

namespace setup {

namespace {

constexpr unsigned States = 12;
constexpr unsigned PosStates = 16; // the most a pb of 4 gives
constexpr unsigned FirstMatchState = 7;
constexpr uint32_t EndMarker = 0xFFFFFFFFu;

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

class RangeDecoder {
public:
    explicit RangeDecoder(std::span<const uint8_t> in) : In(in) {
        const bool badStart = Next() != 0; // the encoder's first byte is always 0
        for (int i = 0; i < 4; ++i)
            Code = (Code << 8) | Next();
        Broken |= badStart || Code == Range;
    }

    // True once the stream was read past its end or began wrongly.
    bool Failed() const { return Broken; }
    bool UsedUp() const { return Position == In.size(); }

    unsigned Bit(uint16_t& probability) {
        const uint32_t bound = (Range >> 11) * probability;
        unsigned bit;
        if (Code < bound) {
            Range = bound;
            probability += (2048 - probability) >> 5;
            bit = 0;
        } else {
            Range -= bound;
            Code -= bound;
            probability -= probability >> 5;
            bit = 1;
        }
        Normalize();
        return bit;
    }

    uint32_t DirectBits(unsigned count) {
        uint32_t value = 0;
        while (count--) {
            Range >>= 1;
            const unsigned bit = Code >= Range;
            if (bit)
                Code -= Range;
            value = (value << 1) | bit;
            Normalize();
        }
        return value;
    }

    // A symbol of bits bits, highest bit first, from the tree at probabilities[1...].
    unsigned Tree(uint16_t* probabilities, unsigned bits) {
        unsigned node = 1;
        while (node < (1u << bits))
            node = (node << 1) | Bit(probabilities[node]);
        return node - (1u << bits);
    }

    // The same with the lowest bit first.
    unsigned ReverseTree(uint16_t* probabilities, unsigned bits) {
        unsigned node = 1;
        unsigned symbol = 0;
        for (unsigned i = 0; i < bits; ++i) {
            const unsigned bit = Bit(probabilities[node]);
            node = (node << 1) | bit;
            symbol |= bit << i;
        }
        return symbol;
    }

private:
    void Normalize() {
        if (Range < (1u << 24)) {
            Range <<= 8;
            Code = (Code << 8) | Next();
        }
    }

    // Past the end it marks the stream broken and yields zeros; the caller stops at its next
    // symbol.
    uint8_t Next() {
        if (Position < In.size())
            return In[Position++];
        Broken = true;
        return 0;
    }

    std::span<const uint8_t> In;
    size_t Position = 0;
    uint32_t Range = 0xFFFFFFFFu;
    uint32_t Code = 0;
    bool Broken = false;
};

class Decoder {
public:
    Decoder(std::span<const uint8_t> stream, unsigned lc, unsigned lp, unsigned pb,
            std::span<uint8_t> out)
        : Rc(stream), Lc(lc), LpMask((1u << lp) - 1), PbMask((1u << pb) - 1), Out(out),
          Probabilities(Literals + (0x300u << (lc + lp)), 1024) {}

    bool Run() {
        for (;;) {
            if (Rc.Failed())
                return false;
            const unsigned posState = Pos & PbMask;
            if (!Rc.Bit(P(IsMatch + State * PosStates + posState))) {
                if (!Literal())
                    return false;
                continue;
            }
            unsigned length = 0;
            if (!Rc.Bit(P(IsRep + State))) {
                length = Length(LenCoder, posState);
                State = State < FirstMatchState ? 7 : 10;
                const uint32_t distance = Distance(length);
                if (distance == EndMarker)
                    return !Rc.Failed() && Pos == Out.size() && Rc.UsedUp();
                Reps[3] = Reps[2];
                Reps[2] = Reps[1];
                Reps[1] = Reps[0];
                Reps[0] = distance;
            } else {
                if (!Rc.Bit(P(IsRepG0 + State))) {
                    if (!Rc.Bit(P(IsRep0Long + State * PosStates + posState))) {
                        State = State < FirstMatchState ? 9 : 11;
                        length = 1; // one byte from the last distance
                    }
                } else {
                    uint32_t distance;
                    if (!Rc.Bit(P(IsRepG1 + State))) {
                        distance = Reps[1];
                    } else {
                        if (!Rc.Bit(P(IsRepG2 + State))) {
                            distance = Reps[2];
                        } else {
                            distance = Reps[3];
                            Reps[3] = Reps[2];
                        }
                        Reps[2] = Reps[1];
                    }
                    Reps[1] = Reps[0];
                    Reps[0] = distance;
                }
                if (length == 0) {
                    length = Length(RepLenCoder, posState);
                    State = State < FirstMatchState ? 8 : 11;
                }
            }
            if (!Copy(length))
                return false;
        }
    }

private:
    uint16_t& P(unsigned index) { return Probabilities[index]; }

    bool Literal() {
        if (Pos == Out.size())
            return false;
        const unsigned previous = Pos ? Out[Pos - 1] : 0;
        const unsigned context = ((Pos & LpMask) << Lc) + (previous >> (8 - Lc));
        uint16_t* probabilities = &P(Literals + 0x300 * context);
        unsigned symbol = 1;
        if (State >= FirstMatchState) {
            // After a match the byte at the last distance guides the first bits.
            if (Reps[0] >= Pos)
                return false;
            unsigned match = Out[Pos - Reps[0] - 1];
            while (symbol < 0x100) {
                const unsigned matchBit = (match >> 7) & 1;
                match <<= 1;
                const unsigned bit = Rc.Bit(probabilities[((1 + matchBit) << 8) + symbol]);
                symbol = (symbol << 1) | bit;
                if (bit != matchBit)
                    break;
            }
        }
        while (symbol < 0x100)
            symbol = (symbol << 1) | Rc.Bit(probabilities[symbol]);
        Out[Pos++] = static_cast<uint8_t>(symbol);
        State = State < 4 ? 0 : State < 10 ? State - 3 : State - 6;
        return true;
    }

    // A match length, 2 to 273.
    unsigned Length(unsigned coder, unsigned posState) {
        uint16_t* probabilities = &P(coder);
        if (!Rc.Bit(probabilities[Choice]))
            return 2 + Rc.Tree(probabilities + LowTrees + posState * 8, 3);
        if (!Rc.Bit(probabilities[Choice2]))
            return 10 + Rc.Tree(probabilities + MidTrees + posState * 8, 3);
        return 18 + Rc.Tree(probabilities + HighTree, 8);
    }

    // A match distance less one; EndMarker ends the stream.
    uint32_t Distance(unsigned length) {
        const unsigned lengthClass = length < 5 ? length - 2 : 3;
        const unsigned slot = Rc.Tree(&P(PosSlot + lengthClass * 64), 6);
        if (slot < 4)
            return slot;
        const unsigned directBits = (slot >> 1) - 1;
        const uint32_t base = (2 | (slot & 1)) << directBits;
        if (slot < 14)
            return base + Rc.ReverseTree(&P(SpecPos + base - slot), directBits);
        return base + (Rc.DirectBits(directBits - 4) << 4) + Rc.ReverseTree(&P(Align), 4);
    }

    bool Copy(unsigned length) {
        if (Reps[0] >= Pos || length > Out.size() - Pos)
            return false;
        for (; length; --length, ++Pos)
            Out[Pos] = Out[Pos - Reps[0] - 1];
        return true;
    }

    RangeDecoder Rc;
    unsigned Lc;
    unsigned LpMask;
    unsigned PbMask;
    std::span<uint8_t> Out;
    std::vector<uint16_t> Probabilities;
    size_t Pos = 0;
    unsigned State = 0;
    uint32_t Reps[4] = {};
};

} // namespace

bool LzmaDecode(std::span<const uint8_t> stream, uint8_t properties, std::span<uint8_t> out) {
    if (properties >= 9 * 5 * 5)
        return false;
    const unsigned lc = properties % 9;
    const unsigned lp = properties / 9 % 5;
    const unsigned pb = properties / 45;
    // Larger literal contexts would need megabytes of probabilities; the packer never uses them.
    if (lc + lp > 4)
        return false;
    return Decoder(stream, lc, lp, pb, out).Run();
}

} // namespace setup
