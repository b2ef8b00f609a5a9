// End to end: Setup.exe's code, constants and unwind tables are stored packed and unpacked in
// place at start; once its first page is up, each of its sections has its final protection and
// none is both writable and executable.
#include "driver/Driver.h"
#include "tests/e2e/Walk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

using namespace e2e;

namespace {

struct TSection {
    DWORD Address;
    DWORD Size;
    DWORD RawSize;
};

// The sections of Setup.exe's file by name, as its section table lists them.
std::map<std::string, TSection> FileSections(const std::string& image, DWORD* imageBase,
                                             DWORD* sectionAlignment) {
    const auto read32 = [&](size_t at) {
        uint32_t value = 0;
        std::memcpy(&value, image.data() + at, sizeof value);
        return value;
    };
    const size_t header = read32(0x3C);
    *imageBase = read32(header + 24 + 28);
    *sectionAlignment = read32(header + 24 + 32);
    const size_t table = header + 24 + (read32(header + 20) & 0xFFFF);
    std::map<std::string, TSection> sections;
    for (size_t i = 0; i < (read32(header + 4) >> 16); ++i) {
        const size_t at = table + i * 40;
        const std::string name = image.substr(at, 8).c_str();
        sections[name] = {read32(at + 12), read32(at + 8), read32(at + 16)};
    }
    return sections;
}

// The protection of each region of the process's memory from start for size bytes.
std::vector<DWORD> Protections(HANDLE process, DWORD start, DWORD size) {
    std::vector<DWORD> protections;
    for (DWORD address = start; address < start + size;) {
        MEMORY_BASIC_INFORMATION region{};
        if (VirtualQueryEx(process, reinterpret_cast<const void*>(address), &region,
                           sizeof region) != sizeof region)
            return {};
        protections.push_back(region.Protect);
        address = reinterpret_cast<DWORD>(region.BaseAddress) + region.RegionSize;
    }
    return protections;
}

TEST(Packed, TheRunningImageHasNoWritableCode) {
    DWORD imageBase = 0;
    DWORD alignment = 0;
    const auto sections = FileSections(*ReadFileBytes(SetupExePath()), &imageBase, &alignment);
    // Windows NT loads an image only when its sections follow each other in memory without a
    // gap, whatever the packer took out of the file.
    std::vector<std::pair<std::string, TSection>> inMemory(sections.begin(), sections.end());
    std::ranges::sort(inMemory, {}, [](const auto& entry) { return entry.second.Address; });
    ASSERT_GT(alignment, 0u);
    for (size_t i = 1; i < inMemory.size(); ++i) {
        const TSection& before = inMemory[i - 1].second;
        EXPECT_EQ(inMemory[i].second.Address,
                  (before.Address + before.Size + alignment - 1) / alignment * alignment)
            << inMemory[i].first << " after " << inMemory[i - 1].first;
    }
    // Stored packed: no bytes of their own in the file, all of them in the packed section.
    for (const char* name : {".text", ".data", ".rdata", ".eh_fram"}) {
        ASSERT_TRUE(sections.contains(name)) << name;
        EXPECT_EQ(sections.at(name).RawSize, 0u) << name;
    }
    ASSERT_TRUE(sections.contains(".packed"));

    TSetupProcess setup;
    ASSERT_TRUE(WelcomePage(setup));
    const setup::TKernelHandle process(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, setup.ProcessId()));
    ASSERT_TRUE(process);
    const struct {
        const char* Name;
        DWORD Protection;
        DWORD Alternative; // a writable image page not yet written is copy-on-write
    } expected[] = {
        {".text", PAGE_EXECUTE_READ, PAGE_EXECUTE_READ},
        {".data", PAGE_READWRITE, PAGE_WRITECOPY},
        {".rdata", PAGE_READONLY, PAGE_READONLY},
        {".eh_fram", PAGE_READONLY, PAGE_READONLY},
        {".start", PAGE_EXECUTE_READ, PAGE_EXECUTE_READ},
    };
    for (const auto& [name, protection, alternative] : expected) {
        const TSection& section = sections.at(name);
        const auto found = Protections(process.Get(), imageBase + section.Address, section.Size);
        ASSERT_FALSE(found.empty()) << name;
        for (const DWORD region : found)
            EXPECT_TRUE(region == protection || region == alternative)
                << name << ": protection 0x" << std::hex << region;
    }
    // Nothing in the whole image is both writable and executable.
    DWORD end = 0;
    for (const auto& [name, section] : sections)
        end = std::max(end, section.Address + section.Size);
    const auto found = Protections(process.Get(), imageBase, end);
    ASSERT_FALSE(found.empty());
    for (const DWORD region : found)
        EXPECT_FALSE(region & (PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY))
            << "protection 0x" << std::hex << region;
}

} // namespace
