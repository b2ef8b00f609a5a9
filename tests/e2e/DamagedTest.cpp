// End to end: a Setup.exe with one changed byte in its packed code, in a stored block or in its
// version information says it is damaged (checked before the code is unpacked), writes nothing
// and exits with 1; an intact one whose first page cannot be built says why and exits with 2.
#include "codec/ImageChecksum.h"
#include "driver/Driver.h"
#include "platform/win32/StoredResources.h"
#include "tests/e2e/Walk.h"

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

// The middle of a section's bytes in the file; npos when there is none.
size_t MiddleOfSection(const std::string& image, const std::string& name) {
    const size_t header = Read32(image, 0x3C);
    const size_t sections = header + 24 + (Read32(image, header + 20) & 0xFFFF);
    const size_t count = Read32(image, header + 4) >> 16;
    for (size_t at = sections; at < sections + count * 40; at += 40) {
        if (image.compare(at, name.size() + 1, name.c_str(), name.size() + 1) == 0)
            return Read32(image, at + 20) + Read32(image, at + 16) / 2;
    }
    return std::string::npos;
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
// the first page cannot be built. The failure is shown, nothing is written and Setup ends with
// its own code.
TEST(Damaged, APageThatCannotBeBuiltIsShownAndSetupEndsWithCode2) {
    std::string image = *ReadFileBytes(SetupExePath());
    const std::string name("B\0A\0C\0K\0D\0R\0O\0P\0", 16); // as resource names are kept
    const size_t at = image.find(name);
    ASSERT_NE(at, std::string::npos);
    image[at + 14] = 'Q';
    const auto checksum = setup::ImageChecksum(
        std::span(reinterpret_cast<const uint8_t*>(image.data()), image.size()));
    ASSERT_TRUE(checksum);
    std::memcpy(image.data() + setup::ImageChecksumSlot, &*checksum, sizeof *checksum);

    TSetupProcess setup(CopyAs("renamed", image));
    HWND box = WaitForWindow("Setup", "Resource BACKDROP not found.", setup.ProcessId());
    ASSERT_TRUE(box);
    SaveScreenshot("page-not-built");
    SendKeys(box, "{ENTER}");
    EXPECT_EQ(setup.WaitForExit(), 2u);
    ExpectNothingInstalled();
}

} // namespace
