// The stored-block decoder against the standard encoder (vectors made at build time by
// make_lzma_vectors.py with Python's lzma) and against damaged blocks and streams. Run under
// AddressSanitizer in the host build: every buffer handed to the decoder has its exact size.
#include "codec/Crc32.h"
#include "codec/Lzma.h"
#include "codec/StoredBlock.h"
#include "codec/X86Branches.h"
#include "tests/FileBytes.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace setup {
namespace {

using Bytes = std::vector<uint8_t>;

constexpr size_t HeaderSize = 10;

Bytes ReadVectorFile(const std::string& name) {
    return ReadWholeFile(std::string(LZMA_VECTOR_DIR "/") + name);
}

struct TVector {
    std::string Name;
    Bytes Raw;
    Bytes Block;
    Bytes X86; // Raw after the x86 branch conversion

    std::span<const uint8_t> Stream() const { return std::span(Block).subspan(HeaderSize); }
    uint8_t Properties() const { return Block[8]; }
};

const std::vector<TVector>& Vectors() {
    static const std::vector<TVector> vectors = [] {
        std::vector<TVector> loaded;
        const Bytes listing = ReadVectorFile("cases.txt");
        std::string name;
        for (const uint8_t c : listing) {
            if (c != '\n') {
                name += static_cast<char>(c);
                continue;
            }
            loaded.push_back({name, ReadVectorFile(name + ".raw"), ReadVectorFile(name + ".blk"),
                              ReadVectorFile(name + ".x86")});
            name.clear();
        }
        return loaded;
    }();
    return vectors;
}

const TVector& Vector(const std::string& name) {
    for (const TVector& vector : Vectors())
        if (vector.Name == name)
            return vector;
    ADD_FAILURE() << "no vector " << name;
    static const TVector none;
    return none;
}

// Decodes into a buffer of exactly size bytes from a copy of stream of exactly its size, so
// that the sanitizer sees any step outside either.
bool Decode(std::span<const uint8_t> stream, uint8_t properties, size_t size,
            Bytes* out = nullptr) {
    const Bytes input(stream.begin(), stream.end());
    Bytes output(size);
    const bool decoded = LzmaDecode(input, properties, output);
    if (out)
        *out = std::move(output);
    return decoded;
}

TEST(Crc32Test, MatchesTheStandardCheckValues) {
    const std::string digits = "123456789";
    EXPECT_EQ(Crc32(std::span(reinterpret_cast<const uint8_t*>(digits.data()), digits.size())),
              0xCBF43926u);
    EXPECT_EQ(Crc32({}), 0u);
    const uint8_t zeros[4] = {};
    EXPECT_EQ(Crc32(zeros), 0x2144DF1Cu);
}

TEST(Crc32Test, PiecesContinueWhereTheLastEnded) {
    const std::string text = "The quick brown fox jumps over the lazy dog";
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    for (const size_t cut : {size_t{0}, size_t{1}, size_t{20}, text.size()})
        EXPECT_EQ(Crc32(Crc32(0, bytes, cut), bytes + cut, text.size() - cut), 0x414FA339u) << cut;
}

// The conversion undone gives the input back, for programs (whose calls it converts), for
// close runs of call and jump opcodes and for data that has none.
TEST(X86BranchesTest, EveryVectorConvertsBackToItsInput) {
    size_t changed = 0;
    for (const TVector& vector : Vectors()) {
        ASSERT_EQ(vector.X86.size(), vector.Raw.size()) << vector.Name;
        changed += vector.X86 != vector.Raw;
        Bytes converted = vector.X86;
        X86BranchesDecode(converted.data(), converted.size());
        EXPECT_TRUE(converted == vector.Raw) << vector.Name;
    }
    EXPECT_GE(changed, 3u) << "the programs and the branch runs are converted";
}

TEST(LzmaDecodeTest, EveryVectorDecodesToItsInput) {
    ASSERT_GE(Vectors().size(), 30u) << "vectors missing from " LZMA_VECTOR_DIR;
    size_t files = 0;
    size_t deltas = 0;
    for (const TVector& vector : Vectors()) {
        ASSERT_GT(vector.Block.size(), HeaderSize) << vector.Name;
        const auto decoded = UnpackStoredBlock(vector.Block);
        ASSERT_TRUE(decoded) << vector.Name;
        EXPECT_TRUE(*decoded == vector.Raw) << vector.Name;
        files += vector.Name.starts_with("file-");
        deltas += vector.Block[9] != 0;
    }
    EXPECT_GE(files, 2u) << "the real programs and bitmaps are among the vectors";
    EXPECT_GE(deltas, 10u) << "blocks with a delta step are among the vectors";
}

TEST(LzmaDecodeTest, WrongOutputSizesFail) {
    for (const char* name : {"empty", "one-ff", "run-273", "random-4097", "words", "mixed"}) {
        const TVector& vector = Vector(name);
        const size_t size = vector.Raw.size();
        EXPECT_FALSE(Decode(vector.Stream(), vector.Properties(), size + 1)) << name;
        EXPECT_FALSE(Decode(vector.Stream(), vector.Properties(), size + 1000)) << name;
        if (size > 0) {
            EXPECT_FALSE(Decode(vector.Stream(), vector.Properties(), size - 1)) << name;
            EXPECT_FALSE(Decode(vector.Stream(), vector.Properties(), 0)) << name;
        }
    }
}

// Every cut of the short streams; of the long ones, cuts spread over the stream and every cut
// of its last bytes, where the end marker and the coder's final bytes are.
TEST(LzmaDecodeTest, TruncatedOrExtendedStreamsFail) {
    for (const char* name : {"empty", "random-17", "run-547", "period-4096-dict-4096", "words"}) {
        const TVector& vector = Vector(name);
        const auto stream = vector.Stream();
        const size_t step = stream.size() / 100 + 1;
        for (size_t length = 0; length < stream.size();
             length += length + 16 < stream.size() ? step : 1)
            EXPECT_FALSE(Decode(stream.first(length), vector.Properties(), vector.Raw.size()))
                << name << " cut to " << length;
        Bytes longer(stream.begin(), stream.end());
        longer.push_back(0);
        EXPECT_FALSE(Decode(longer, vector.Properties(), vector.Raw.size())) << name;
    }
}

TEST(LzmaDecodeTest, BadPropertiesAndBadStartFail) {
    const TVector& vector = Vector("words");
    for (const int properties : {225, 255, 3 + 2 * 9 /* lc 3, lp 2 */, 5, 8 + 4 * 45}) {
        EXPECT_FALSE(Decode(vector.Stream(), static_cast<uint8_t>(properties), vector.Raw.size()))
            << properties;
    }
    Bytes stream(vector.Stream().begin(), vector.Stream().end());
    stream[0] = 1; // the encoder's first byte is always 0
    EXPECT_FALSE(Decode(stream, vector.Properties(), vector.Raw.size()));
}

// A changed bit turns the stream into some other stream, which the decoder must follow or
// refuse without a step outside its buffers. The format has no checksum of its own, so a few
// changes near the start of a tiny stream still decode (to other bytes): the stored block's
// checksum catches those (StoredBlockTest). Real content leaves no such room.
TEST(LzmaDecodeTest, AlteredStreamsStopCleanly) {
    const struct {
        const char* Name;
        bool AllRefused;
    } cases[] = {{"random-17", false},
                 {"run-100000", false},
                 {"words", true},
                 {"mixed", true},
                 {"repeat-150000", true}};
    for (const auto& [name, allRefused] : cases) {
        const TVector& vector = Vector(name);
        Bytes stream(vector.Stream().begin(), vector.Stream().end());
        const size_t step = stream.size() / 60 + 1;
        size_t tried = 0;
        size_t failed = 0;
        for (size_t at = 0; at < stream.size(); at += step) {
            for (const uint8_t mask : {0x01, 0x80}) {
                stream[at] ^= mask;
                Bytes out;
                const bool decoded = Decode(stream, vector.Properties(), vector.Raw.size(), &out);
                stream[at] ^= mask;
                ++tried;
                failed += !decoded;
            }
        }
        EXPECT_GE(failed * 10, tried * 8) << name;
        if (allRefused) {
            EXPECT_EQ(failed, tried) << name;
        }
    }
}

TEST(LzmaDecodeTest, RandomStreamsStopCleanly) {
    std::mt19937 random(20261207);
    for (int round = 0; round < 2000; ++round) {
        Bytes stream(random() % 64 + 1);
        for (uint8_t& byte : stream)
            byte = static_cast<uint8_t>(random());
        stream[0] = 0;
        const auto properties = static_cast<uint8_t>(round % 2 ? 93 : random() % 225);
        Bytes out;
        if (Decode(stream, properties, random() % 5000, &out)) {
            // Possible in principle for a tiny size; then the result is still a whole stream.
            EXPECT_LE(out.size(), 1u) << round;
        }
    }
}

TEST(StoredBlockTest, EveryChangedBitIsCaughtByTheChecksum) {
    for (const char* name : {"one-zero", "random-17", "run-275"}) {
        Bytes block = Vector(name).Block;
        for (size_t at = 0; at < block.size(); ++at) {
            for (int bit = 0; bit < 8; ++bit) {
                block[at] ^= 1 << bit;
                EXPECT_FALSE(StoredBlockIntact(block)) << name << " byte " << at;
                EXPECT_FALSE(UnpackStoredBlock(block)) << name << " byte " << at;
                block[at] ^= 1 << bit;
            }
        }
        EXPECT_TRUE(StoredBlockIntact(block)) << name;
    }
}

TEST(StoredBlockTest, ShortAndTruncatedBlocksAreDamaged) {
    const Bytes& block = Vector("random-4096").Block;
    for (size_t length = 0; length < block.size(); ++length) {
        const Bytes cut(block.begin(), block.begin() + static_cast<ptrdiff_t>(length));
        EXPECT_FALSE(StoredBlockIntact(cut)) << length;
        EXPECT_FALSE(UnpackStoredBlock(cut)) << length;
    }
}

} // namespace
} // namespace setup
