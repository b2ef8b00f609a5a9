#include "codec/StoredBlock.h"

#include "codec/Crc32.h"
#include "codec/LittleEndian.h"
#include "codec/Lzma.h"

#include <algorithm>
#include <utility>

namespace setup {

namespace {

constexpr size_t HeaderSize = 10;

// Adds back to each byte the one distance bytes before it (none before the first distance).
void UndoDelta(std::vector<uint8_t>& bytes, unsigned distance) {
    if (distance == 0)
        return;
    for (size_t i = distance; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(bytes[i] + bytes[i - distance]);
}

// Names in a bundle compare with the ASCII letters in any case, as the resource names did.
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return upper(x) == upper(y); });
}

} // namespace

bool StoredBlockIntact(std::span<const uint8_t> stored) {
    return stored.size() >= HeaderSize &&
           ReadLittleEndian32(stored.data()) == Crc32(stored.subspan(4));
}

std::optional<std::vector<uint8_t>> UnpackStoredBlock(std::span<const uint8_t> stored) {
    if (!StoredBlockIntact(stored))
        return std::nullopt;
    std::vector<uint8_t> decoded(ReadLittleEndian32(stored.data() + 4));
    if (!LzmaDecode(stored.subspan(HeaderSize), stored[8], decoded))
        return std::nullopt;
    UndoDelta(decoded, stored[9]);
    return decoded;
}

std::optional<std::span<const uint8_t>> FindInBundle(std::span<const uint8_t> bundle,
                                                     std::string_view name) {
    // One walk down the listing, checked against the bundle's end at every step, noting where
    // the wanted file starts among the files and how long it is.
    std::optional<std::pair<uint64_t, uint32_t>> found;
    uint64_t files = 0;
    size_t at = 0;
    for (;;) {
        const uint8_t* start = bundle.data() + at;
        const size_t length =
            static_cast<size_t>(std::find(start, bundle.data() + bundle.size(), 0) - start);
        if (at + length == bundle.size())
            return std::nullopt; // no end to the name
        if (length == 0)
            break;
        if (bundle.size() - (at + length + 1) < 4)
            return std::nullopt;
        const uint32_t size = ReadLittleEndian32(start + length + 1);
        if (!found && EqualIgnoringAsciiCase({reinterpret_cast<const char*>(start), length}, name))
            found.emplace(files, size);
        files += size;
        at += length + 1 + 4;
    }
    ++at;
    // The files must fill the rest exactly.
    if (!found || files != bundle.size() - at)
        return std::nullopt;
    return bundle.subspan(at + found->first, found->second);
}

} // namespace setup
