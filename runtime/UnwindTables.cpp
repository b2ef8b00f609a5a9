// Where the unwinder finds a frame's unwind entry. libgcc's own finder sorts every entry of
// every registered table on the first exception and guards its list with a lock, some 9 KB of
// code; the program has one table (registered by crtbegin.o, ended by crtend.o's zero word)
// and throws only on failure paths, so a walk of that table per frame serves it.
#include <cstdint>
#include <cstring>

namespace {

// How an entry stores an address: the low nibble its format, the next bits what it is
// relative to (only "to itself" is used for code addresses here).
constexpr uint8_t PointerFormat = 0x0F;
constexpr uint8_t RelativeToItself = 0x10;
constexpr uint8_t Omitted = 0xFF;

const uint8_t* table = nullptr;

uint32_t Word(const uint8_t* at) {
    uint32_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

const uint8_t* SkipNumber(const uint8_t* at) { // a LEB128 number, signed or not
    while (*at++ & 0x80) {
    }
    return at;
}

uint32_t Number(const uint8_t*& at) {
    uint32_t value = 0;
    for (int shift = 0;; shift += 7) {
        const uint8_t byte = *at++;
        value |= static_cast<uint32_t>(byte & 0x7F) << shift;
        if (!(byte & 0x80))
            return value;
    }
}

// Bytes of a stored address in this format: the compiler writes code addresses in four.
int PointerSize(uint8_t encoding) {
    switch (encoding & PointerFormat) {
    case 0x00: // the machine's own width
    case 0x03: // unsigned
    case 0x0B: // signed
        return 4;
    default:
        return 0;
    }
}

// How the entries of this common part store their code addresses (its 'R' augmentation).
uint8_t AddressEncoding(const uint8_t* common) {
    const uint8_t* at = common + 9; // after length, id and version
    const char* augmentation = reinterpret_cast<const char*>(at);
    at += std::strlen(augmentation) + 1;
    if (augmentation[0] != 'z')
        return 0;
    at = SkipNumber(SkipNumber(at));               // code and data alignment
    at = common[8] == 1 ? at + 1 : SkipNumber(at); // the return address's column
    Number(at);                                    // the augmentation's length
    for (const char* letter = augmentation + 1; *letter; ++letter) {
        switch (*letter) {
        case 'R':
            return *at;
        case 'L':
            ++at;
            break;
        case 'P': {
            const uint8_t personality = *at++;
            at += PointerSize(personality);
            break;
        }
        default: // 'S' has no data
            break;
        }
    }
    return 0;
}

// Reads a stored address; false for an encoding this finder does not read.
bool ReadAddress(const uint8_t* at, uint8_t encoding, uintptr_t& value) {
    const uint8_t relativeTo = encoding & 0x70;
    if (PointerSize(encoding) != 4 || (encoding & 0x80) ||
        (relativeTo && relativeTo != RelativeToItself))
        return false;
    value = Word(at) + (relativeTo ? reinterpret_cast<uintptr_t>(at) : 0);
    return true;
}

} // namespace

extern "C" {

// What the unwinder gets back with an entry: the bases its addresses may be relative to.
struct TEntryBases {
    void* TextBase;
    void* DataBase;
    void* Function;
};

// crtbegin.o's registration of the image's table; the object it passes for libgcc's list
// goes unused.
void __register_frame_info(const void* begin, void*) {
    table = static_cast<const uint8_t*>(begin);
}

void* __deregister_frame_info(const void* begin) {
    if (begin == table)
        table = nullptr;
    return nullptr;
}

const void* _Unwind_Find_FDE(void* pc, TEntryBases* bases) {
    const uintptr_t address = reinterpret_cast<uintptr_t>(pc);
    const uint8_t* common = nullptr;
    uint8_t encoding = Omitted;
    for (const uint8_t* entry = table; entry && Word(entry) != 0; entry += 4 + Word(entry)) {
        const uint32_t commonOffset = Word(entry + 4);
        if (commonOffset == 0)
            continue; // a common part, read when an entry names it
        if (entry + 4 - commonOffset != common) {
            common = entry + 4 - commonOffset;
            encoding = AddressEncoding(common);
        }
        uintptr_t start = 0;
        uintptr_t length = 0;
        if (!ReadAddress(entry + 8, encoding, start) ||
            !ReadAddress(entry + 12, encoding & PointerFormat, length))
            continue;
        if (address - start < length) {
            *bases = {nullptr, nullptr, reinterpret_cast<void*>(start)};
            return entry;
        }
    }
    return nullptr;
}

} // extern "C"
