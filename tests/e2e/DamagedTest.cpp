// End to end: a Setup.exe with one changed byte in its packed code, in a stored block or in its
// version information says it is damaged (checked before the code is unpacked), writes nothing
// and exits with 1; an intact one whose first page cannot be built says why and exits with 2.
#include "codec/ImageChecksum.h"
#include "driver/Driver.h"
#include "tests/e2e/Walk.h"
#include "win32/StoredResources.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace e2e;

namespace {

const std::string WindowsKey = "Software\\Microsoft\\Windows\\CurrentVersion";

uint32_t Read32(const std::string& image, size_t at) {
    uint32_t value = 0;
    std::memcpy(&value, image.data() + at, sizeof value);
    return value;
}

// Where a section's entry lies in the section table; npos when there is none.
size_t SectionEntry(const std::string& image, const std::string& name) {
    const size_t header = Read32(image, 0x3C);
    const size_t sections = header + 24 + (Read32(image, header + 20) & 0xFFFF);
    const size_t count = Read32(image, header + 4) >> 16;
    for (size_t at = sections; at < sections + count * 40; at += 40) {
        if (image.compare(at, name.size() + 1, name.c_str(), name.size() + 1) == 0)
            return at;
    }
    return std::string::npos;
}

// The middle of a section's bytes in the file; npos when there is none.
size_t MiddleOfSection(const std::string& image, const std::string& name) {
    const size_t entry = SectionEntry(image, name);
    return entry == std::string::npos ? entry
                                      : Read32(image, entry + 20) + Read32(image, entry + 16) / 2;
}

// The image with its own checksum made anew, so that only what was changed on purpose differs.
std::string Restamped(std::string image) {
    const auto checksum = setup::ImageChecksum(
        std::span(reinterpret_cast<const uint8_t*>(image.data()), image.size()));
    EXPECT_TRUE(checksum);
    if (checksum)
        std::memcpy(image.data() + setup::ImageChecksumSlot, &*checksum, sizeof *checksum);
    return image;
}

// The middle of a resource's bytes in the file; npos when there is none.
size_t MiddleOfResource(const std::string& image, LPCSTR name, LPCSTR type) {
    const std::string bytes = Resource(SetupExePath(), name, type);
    const size_t at = bytes.empty() ? std::string::npos : image.find(bytes);
    return at == std::string::npos ? at : at + bytes.size() / 2;
}

// A copy of Setup.exe in a folder of its own.
std::string CopyAs(const std::string& what, const std::string& image) {
    const std::string folder = WindowsFolder() + "\\Temp\\altered-" + what;
    CreateDirectoryA((WindowsFolder() + "\\Temp").c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
    WriteFileBytes(folder + "\\Setup.exe", image);
    return folder + "\\Setup.exe";
}

void ExpectNothingInstalled() {
    EXPECT_FALSE(DirectoryExists(DefaultDestination));
    EXPECT_FALSE(ReadRegistryString(HKEY_LOCAL_MACHINE, "Software\\palvorne", "Palvorne Lumivary"));
    EXPECT_FALSE(
        ReadRegistryString(HKEY_LOCAL_MACHINE, WindowsKey + "\\runServices", "PalvorneLumivary"));
    EXPECT_FALSE(ReadRegistryString(HKEY_LOCAL_MACHINE,
                                    WindowsKey + "\\Uninstall\\PalvorneLumivary", "DisplayName"));
    EXPECT_FALSE(ReadFileBytes(WindowsFolder() + "\\logos.old"));
    EXPECT_FALSE(ReadFileBytes(WindowsFolder() + "\\system\\PLVCPL.cpl"));
}

TEST(Damaged, OneChangedByteShowsTheDamageWritesNothingAndFails) {
    const std::string image = *ReadFileBytes(SetupExePath());
    const std::pair<std::string, size_t> damages[] = {
        {"code", MiddleOfSection(image, ".packed")},
        {"payload", MiddleOfResource(image, setup::PayloadBundleName, setup::PayloadType)},
        {"picture", MiddleOfResource(image, "LOGO", setup::PictureType)},
        {"version", MiddleOfResource(image, MAKEINTRESOURCEA(VS_VERSION_INFO), RT_VERSION)},
    };
    for (const auto& [name, at] : damages) {
        ASSERT_LT(at, image.size()) << name;
        std::string damaged = image;
        damaged[at] ^= 0x01;
        TSetupProcess setup(CopyAs("damaged-" + name, damaged));
        HWND box = WaitForWindow("Setup", setup::DamagedInstallerMessage, setup.ProcessId());
        ASSERT_TRUE(box) << name;
        SaveScreenshot("damaged-" + name);
        SendKeys(box, "{ENTER}");
        const auto code = setup.WaitForExit();
        ASSERT_TRUE(code) << name;
        EXPECT_EQ(*code, 1u) << name;
        ExpectNothingInstalled();
    }
}

// Intact (its checksum made anew), but with the backdrop picture stored under another name:
// the backdrop cannot be shown. The failure is shown, nothing is written and Setup ends with
// its own code.
TEST(Damaged, APageThatCannotBeBuiltIsShownAndSetupEndsWithCode2) {
    std::string image = *ReadFileBytes(SetupExePath());
    const std::string name("B\0A\0C\0K\0D\0R\0O\0P\0", 16); // as resource names are kept
    const size_t at = image.find(name);
    ASSERT_NE(at, std::string::npos);
    image[at + 14] = 'Q';

    TSetupProcess setup(CopyAs("renamed", Restamped(image)));
    HWND box = WaitForWindow("Setup", "Resource BACKDROP not found.", setup.ProcessId());
    ASSERT_TRUE(box);
    SaveScreenshot("page-not-built");
    SendKeys(box, "{ENTER}");
    EXPECT_EQ(setup.WaitForExit(), 2u);
    ExpectNothingInstalled();
}

// Intact by its checksum, but built wrongly: the packed section's header points where nothing
// was packed, or past its own stream. Setup refuses it as damaged before it unpacks anything.
TEST(Damaged, APackedHeaderOutOfPlaceIsRefusedBeforeAnythingIsWritten) {
    const std::string image = *ReadFileBytes(SetupExePath());
    const size_t packed = SectionEntry(image, ".packed");
    const size_t stub = SectionEntry(image, ".start");
    ASSERT_NE(packed, std::string::npos);
    ASSERT_NE(stub, std::string::npos);
    const size_t header = Read32(image, packed + 20); // the header's place in the file
    const uint32_t start = Read32(image, header);
    const uint32_t span = Read32(image, header + 4);
    const uint32_t streamRoom = Read32(image, packed + 8) - 13; // the section's size
    const uint32_t stubStart = Read32(image, stub + 12);
    const uint32_t stubEnd = stubStart + Read32(image, stub + 8);
    const struct {
        const char* Name;
        size_t Field; // 0 start, 4 span, 8 the stream's size
        uint32_t Value;
    } edits[] = {
        {"start-in-headers", 0, 0},
        {"start-in-stub", 0, stubStart},
        {"span-over-stub", 4, stubEnd - start},
        {"span-past-image", 4, span + 0x10000000},
        {"span-wrapping", 4, 0u - start + 0x1000},
        {"span-empty", 4, 0},
        {"stream-past-section", 8, streamRoom + 1},
        {"stream-wrapping", 8, 0xFFFFFFF8u},
    };
    for (const auto& [name, field, value] : edits) {
        std::string edited = image;
        std::memcpy(edited.data() + header + field, &value, sizeof value);
        TSetupProcess setup(CopyAs(std::string("header-") + name, Restamped(edited)));
        HWND box = WaitForWindow("Setup", setup::DamagedInstallerMessage, setup.ProcessId());
        ASSERT_TRUE(box) << name;
        SendKeys(box, "{ENTER}");
        const auto code = setup.WaitForExit();
        ASSERT_TRUE(code) << name;
        EXPECT_EQ(*code, 1u) << name;
    }
    ExpectNothingInstalled();
}

} // namespace
