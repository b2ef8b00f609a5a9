// Setup.exe's entry point, in the image's start section (codec/StartSection.h). The build stores
// the code, constants and unwind tables packed (tools/pack_image.py): before anything of them
// runs, this checks the whole file, unpacks them in place with the program's own decoder, gives
// each section its final protection and only then enters the runtime (runtime/Startup.cpp).
//
// The packed section, ".packed", begins with (little-endian)
//   offset 0   where the packed sections begin, relative to the image base
//   offset 4   how many bytes they span
//   offset 8   the size of the stream
//   offset 12  the LZMA properties byte
//   offset 13  the raw LZMA stream with its end marker, of the bytes after the x86 branch
//              conversion (codec/X86Branches.h)
#include "base/DamagedInstaller.h"
#include "base/Timing.h"
#include "base/Title.h"
#include "codec/ImageChecksum.h"
#include "codec/LittleEndian.h"
#include "codec/Lzma.h"
#include "codec/X86Branches.h"

#include <windows.h>

extern "C" [[noreturn]] void WinMainCRTStartup();

namespace setup {

namespace {

// A copy of a text among the start section's constants: the header's own lies in the packed
// ones.
template <size_t Size> struct TStartText { char Text[Size]; };

template <size_t Size> constexpr TStartText<Size> StartText(const char (&text)[Size]) {
    TStartText<Size> copy{};
    for (size_t i = 0; i < Size; ++i)
        copy.Text[i] = text[i];
    return copy;
}

SETUP_START_DATA constexpr auto DamagedText = StartText(DamagedInstallerMessage);
SETUP_START_DATA constexpr char ProcessorText[] = "Setup needs an 80486 processor or later.";
SETUP_START_DATA constexpr char PackedName[IMAGE_SIZEOF_SHORT_NAME] = ".packed";

constexpr size_t PackedHeaderSize = 13;

// The rest of the program is built for the 486. A 386 cannot set the alignment-check flag of
// EFLAGS, which came with the 486 (cpuid came later, and not with every 486); the flag is
// restored at once, so no unaligned access can fault meanwhile.
SETUP_START_CODE bool HasA486() {
    constexpr unsigned long AlignmentCheck = 1ul << 18;
    unsigned long before;
    unsigned long after;
    asm volatile("pushfl\n\t"
                 "popl %0\n\t"
                 "movl %0, %1\n\t"
                 "xorl %2, %1\n\t"
                 "pushl %1\n\t"
                 "popfl\n\t"
                 "pushfl\n\t"
                 "popl %1\n\t"
                 "pushl %0\n\t"
                 "popfl"
                 : "=&r"(before), "=&r"(after)
                 : "i"(AlignmentCheck)
                 : "cc");
    return (before ^ after) & AlignmentCheck;
}

// Pages of memory of their own, so that nothing of them stays once they are given back.
SETUP_START_CODE uint8_t* Pages(size_t size) {
    return static_cast<uint8_t*>(VirtualAlloc(nullptr, size, MEM_COMMIT, PAGE_READWRITE));
}

SETUP_START_CODE void Free(void* pages) {
    if (pages)
        VirtualFree(pages, 0, MEM_RELEASE);
}

// True when the program's file carries its own checksum: every byte but what signing changes
// is as the build made it. False when it is damaged or unreadable.
SETUP_START_CODE bool FileIntact(const char* path) {
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

// The section's name is name: all eight bytes, a shorter name padded with zeros.
SETUP_START_CODE bool IsNamed(const IMAGE_SECTION_HEADER& section, const char* name) {
    for (size_t i = 0; i < IMAGE_SIZEOF_SHORT_NAME; ++i)
        if (section.Name[i] != static_cast<BYTE>(name[i]))
            return false;
    return true;
}

// Stored packed: contents of its own (code or initialised data) but no bytes in the file.
SETUP_START_CODE bool StoredPacked(const IMAGE_SECTION_HEADER& section) {
    return section.SizeOfRawData == 0 &&
           !(section.Characteristics & IMAGE_SCN_CNT_UNINITIALIZED_DATA);
}

// The final protection of a section: code runs and is never written, constants are only read.
SETUP_START_CODE DWORD Protection(DWORD characteristics) {
    if (characteristics & IMAGE_SCN_MEM_EXECUTE)
        return PAGE_EXECUTE_READ;
    return characteristics & IMAGE_SCN_MEM_WRITE ? PAGE_READWRITE : PAGE_READONLY;
}

// What the packed section's header says.
struct TPacked {
    uint32_t Start;
    uint32_t Span;
    const uint8_t* Stream;
    uint32_t StreamSize;
    uint8_t Properties;
};

// Reads the packed section's header and checks it against the section table: the stream lies
// in its section, and the span starts at a section stored packed and covers nothing else, so
// that even an image built wrongly never unpacks over its headers, this code or the stream.
SETUP_START_CODE bool ReadPacked(const uint8_t* base, const IMAGE_NT_HEADERS32& headers,
                                 TPacked& packed) {
    const IMAGE_SECTION_HEADER* sections = IMAGE_FIRST_SECTION(&headers);
    const WORD count = headers.FileHeader.NumberOfSections;
    const IMAGE_SECTION_HEADER* home = nullptr;
    for (WORD i = 0; i < count; ++i)
        if (IsNamed(sections[i], PackedName))
            home = &sections[i];
    if (!home || home->Misc.VirtualSize < PackedHeaderSize)
        return false;
    const uint8_t* header = base + home->VirtualAddress;
    packed.Start = ReadLittleEndian32(header);
    packed.Span = ReadLittleEndian32(header + 4);
    packed.Stream = header + PackedHeaderSize;
    packed.StreamSize = ReadLittleEndian32(header + 8);
    packed.Properties = header[12];
    const uint32_t imageSize = headers.OptionalHeader.SizeOfImage;
    if (packed.StreamSize > home->Misc.VirtualSize - PackedHeaderSize || packed.Span == 0 ||
        packed.Start >= imageSize || packed.Span > imageSize - packed.Start)
        return false;
    bool startsAtOne = false;
    for (WORD i = 0; i < count; ++i) {
        // The loader has made sure that every section lies inside the image.
        const IMAGE_SECTION_HEADER& section = sections[i];
        const bool overlaps = section.VirtualAddress < packed.Start + packed.Span &&
                              packed.Start < section.VirtualAddress + section.Misc.VirtualSize;
        if (overlaps && !StoredPacked(section))
            return false;
        startsAtOne = startsAtOne || (overlaps && section.VirtualAddress == packed.Start);
    }
    return startsAtOne;
}

// Decodes the packed sections into their place and protects them. The file has been checked:
// a header out of place or a stream that does not decode is a damaged one all the same.
SETUP_START_CODE bool Unpack(uint8_t* base) {
    const auto& headers = *reinterpret_cast<const IMAGE_NT_HEADERS32*>(
        base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    TPacked packed;
    if (!ReadPacked(base, headers, packed))
        return false;
    uint8_t* const start = base + packed.Start;
    uint16_t* probabilities = reinterpret_cast<uint16_t*>(
        Pages(LzmaProbabilityCount(packed.Properties) * sizeof(uint16_t)));
    DWORD previous;
    const bool unpacked = probabilities &&
                          VirtualProtect(start, packed.Span, PAGE_READWRITE, &previous) &&
                          LzmaDecode(packed.Stream, packed.StreamSize, packed.Properties, start,
                                     packed.Span, probabilities);
    Free(probabilities);
    if (!unpacked)
        return false;
    X86BranchesDecode(start, packed.Span);
    const IMAGE_SECTION_HEADER* sections = IMAGE_FIRST_SECTION(&headers);
    for (WORD i = 0; i < headers.FileHeader.NumberOfSections; ++i) {
        const IMAGE_SECTION_HEADER& section = sections[i];
        if (section.VirtualAddress >= packed.Start &&
            section.VirtualAddress - packed.Start < packed.Span &&
            !VirtualProtect(base + section.VirtualAddress, section.Misc.VirtualSize,
                            Protection(section.Characteristics), &previous))
            return false;
    }
    // The processor may hold what the pages said before.
    return FlushInstructionCache(GetCurrentProcess(), start, packed.Span);
}

// The error display as the program shows it, captioned with its title.
SETUP_START_CODE void ShowStop(const char* path, const char* text) {
    char title[MAX_PATH];
    TitleFromExeName(path, title, IsDBCSLeadByte, CharLowerBuffA);
    MessageBoxA(nullptr, text, title, MB_OK | MB_ICONSTOP);
}

} // namespace

} // namespace setup

// The entry point the image starts at (the system may enter with the stack aligned to 4 bytes
// only). Up to the processor's check it runs on a 386 too (this file is built for it): a 386
// ends here with 4, a damaged copy with 1, before anything of it runs.
extern "C" SETUP_START_CODE __attribute__((force_align_arg_pointer, noreturn)) void SetupStart() {
    const bool processorFits = setup::HasA486();
    SETUP_START_MARK(LaunchTime);
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    path[length < MAX_PATH ? length : MAX_PATH - 1] = '\0';
    if (!processorFits) {
        setup::ShowStop(path, setup::ProcessorText);
        ExitProcess(4);
    }
    if (length == 0 || length == MAX_PATH || !setup::FileIntact(path) ||
        !setup::Unpack(reinterpret_cast<uint8_t*>(GetModuleHandleA(nullptr)))) {
        setup::ShowStop(path, setup::DamagedText.Text);
        ExitProcess(1);
    }
    SETUP_START_MARK(UnpackedTime);
    WinMainCRTStartup();
}
