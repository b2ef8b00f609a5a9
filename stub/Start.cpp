// Setup.exe's entry point, in the image's plain section (codec/Plain.h). The build stores the
// code, constants and unwind tables packed (tools/pack_image.py): before anything of them runs,
// this checks the whole file, unpacks them in place with the program's own decoder, gives each
// section its final protection and only then enters the runtime (runtime/Startup.cpp).
//
// The packed section, ".packed", begins with (little-endian)
//   offset 0   where the packed sections begin, relative to the image base
//   offset 4   how many bytes they span
//   offset 8   the size of the stream
//   offset 12  the LZMA properties byte
//   offset 13  the raw LZMA stream with its end marker, of the bytes after the x86 branch
//              conversion (codec/X86Branches.h)
#include "base/DamagedInstaller.h"
#include "base/Title.h"
#include "codec/ImageChecksum.h"
#include "codec/LittleEndian.h"
#include "codec/Lzma.h"
#include "codec/X86Branches.h"

#include <windows.h>

extern "C" [[noreturn]] void WinMainCRTStartup();

namespace setup {

namespace {

// A copy of a text among the plain section's constants: the header's own lies in the packed
// ones.
template <size_t Size> struct TPlainText { char Text[Size]; };

template <size_t Size> constexpr TPlainText<Size> PlainText(const char (&text)[Size]) {
    TPlainText<Size> copy{};
    for (size_t i = 0; i < Size; ++i)
        copy.Text[i] = text[i];
    return copy;
}

SETUP_PLAIN_DATA constexpr auto DamagedText = PlainText(DamagedInstallerMessage);
SETUP_PLAIN_DATA constexpr char PackedName[IMAGE_SIZEOF_SHORT_NAME] = ".packed";

constexpr size_t PackedHeaderSize = 13;

// Pages of memory of their own, so that nothing of them stays once they are given back.
SETUP_PLAIN_CODE uint8_t* Pages(size_t size) {
    return static_cast<uint8_t*>(VirtualAlloc(nullptr, size, MEM_COMMIT, PAGE_READWRITE));
}

SETUP_PLAIN_CODE void Free(void* pages) {
    if (pages)
        VirtualFree(pages, 0, MEM_RELEASE);
}

// True when the program's file carries its own checksum: every byte but what signing changes
// is as the build made it. False when it is damaged or unreadable.
SETUP_PLAIN_CODE bool FileIntact(const char* path) {
    const HANDLE file =
        CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const DWORD size = GetFileSize(file, nullptr);
    uint8_t* image = size == INVALID_FILE_SIZE ? nullptr : Pages(size);
    DWORD read = 0;
    const bool intact = image && ReadFile(file, image, size, &read, nullptr) && read == size &&
                        ImageIntact(image, size);
    Free(image);
    CloseHandle(file);
    return intact;
}

SETUP_PLAIN_CODE bool SameName(const BYTE* name, const char* wanted) {
    for (size_t i = 0; i < IMAGE_SIZEOF_SHORT_NAME; ++i)
        if (name[i] != static_cast<BYTE>(wanted[i]))
            return false;
    return true;
}

// The final protection of a section: code runs and is never written, constants are only read.
SETUP_PLAIN_CODE DWORD Protection(DWORD characteristics) {
    if (characteristics & IMAGE_SCN_MEM_EXECUTE)
        return PAGE_EXECUTE_READ;
    return characteristics & IMAGE_SCN_MEM_WRITE ? PAGE_READWRITE : PAGE_READONLY;
}

// Decodes the packed sections into their place and protects them. The file has been checked:
// a stream that does not decode is a damaged one all the same.
SETUP_PLAIN_CODE bool Unpack(uint8_t* base) {
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS32*>(
        base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_SECTION_HEADER* sections = IMAGE_FIRST_SECTION(headers);
    const WORD count = headers->FileHeader.NumberOfSections;
    const uint8_t* packed = nullptr;
    for (WORD i = 0; i < count; ++i)
        if (SameName(sections[i].Name, PackedName))
            packed = base + sections[i].VirtualAddress;
    if (!packed)
        return false;
    const uint32_t start = ReadLittleEndian32(packed);
    const uint32_t span = ReadLittleEndian32(packed + 4);
    const uint8_t properties = packed[12];
    uint16_t* probabilities =
        reinterpret_cast<uint16_t*>(Pages(LzmaProbabilityCount(properties) * sizeof(uint16_t)));
    DWORD previous;
    const bool unpacked = probabilities &&
                          VirtualProtect(base + start, span, PAGE_READWRITE, &previous) &&
                          LzmaDecode(packed + PackedHeaderSize, ReadLittleEndian32(packed + 8),
                                     properties, base + start, span, probabilities);
    Free(probabilities);
    if (!unpacked)
        return false;
    X86BranchesDecode(base + start, span);
    for (WORD i = 0; i < count; ++i) {
        const IMAGE_SECTION_HEADER& section = sections[i];
        if (section.VirtualAddress >= start && section.VirtualAddress < start + span &&
            !VirtualProtect(base + section.VirtualAddress, section.Misc.VirtualSize,
                            Protection(section.Characteristics), &previous))
            return false;
    }
    // The processor may hold what the pages said before.
    return FlushInstructionCache(GetCurrentProcess(), base + start, span);
}

// The error display as the program shows it, captioned with its title.
SETUP_PLAIN_CODE void ShowDamaged(const char* path) {
    char title[MAX_PATH];
    TitleFromExeName(path, title, IsDBCSLeadByte, CharLowerBuffA);
    MessageBoxA(nullptr, DamagedText.Text, title, MB_OK | MB_ICONSTOP);
}

} // namespace

} // namespace setup

// The entry point the image starts at (the system may enter with the stack aligned to 4 bytes
// only). A damaged copy ends here with 1, before anything of it runs.
extern "C" SETUP_PLAIN_CODE __attribute__((force_align_arg_pointer, noreturn)) void SetupStart() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    path[length < MAX_PATH ? length : MAX_PATH - 1] = '\0';
    if (length == 0 || length == MAX_PATH || !setup::FileIntact(path) ||
        !setup::Unpack(reinterpret_cast<uint8_t*>(GetModuleHandleA(nullptr)))) {
        setup::ShowDamaged(path);
        ExitProcess(1);
    }
    WinMainCRTStartup();
}
