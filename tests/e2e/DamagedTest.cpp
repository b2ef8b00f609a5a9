// End to end: a Setup.exe with one changed byte in a stored block says it is damaged, writes
// nothing and fails.
#include "platform/win32/StoredResources.h"
#include "tests/e2e/Driver.h"
#include "tests/e2e/Walk.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

const std::string WindowsKey = "Software\\Microsoft\\Windows\\CurrentVersion";

// A copy of Setup.exe in a folder of its own, with its bytes changed by alter; empty when
// alter found nothing to change.
template <class Alter> std::string AlteredCopy(const std::string& name, Alter alter) {
    std::string image = *ReadFileBytes(SetupExePath());
    if (!alter(image))
        return {};
    const std::string folder = WindowsFolder() + "\\Temp\\altered-" + name;
    CreateDirectoryA((WindowsFolder() + "\\Temp").c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
    WriteFileBytes(folder + "\\Setup.exe", image);
    return folder + "\\Setup.exe";
}

// A copy with the byte in the middle of the stored block name of type changed.
std::string DamagedCopy(const char* name, LPCSTR type) {
    const std::string block = Resource(SetupExePath(), name, type);
    return AlteredCopy(name, [&](std::string& image) {
        const size_t at = image.find(block);
        if (block.empty() || at == std::string::npos)
            return false;
        image[at + block.size() / 2] ^= 0x01;
        return true;
    });
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
    for (const auto& [name, type] : {std::pair(setup::PayloadBundleName, setup::PayloadType),
                                     std::pair("LOGO", setup::PictureType)}) {
        const std::string copy = DamagedCopy(name, type);
        ASSERT_FALSE(copy.empty()) << name;
        TSetupProcess setup(copy);
        HWND box = WaitForWindow("Setup", setup::DamagedInstallerMessage, setup.ProcessId());
        ASSERT_TRUE(box) << name;
        SaveScreenshot(std::string("damaged-") + name);
        SendKeys(box, "{ENTER}");
        const auto code = setup.WaitForExit();
        ASSERT_TRUE(code) << name;
        EXPECT_EQ(*code, 1u) << name;

        ExpectNothingInstalled();
    }
}

// Intact, but with the backdrop picture stored under another name: the first page cannot be
// built. The failure is shown, nothing is written and Setup ends with its own code.
TEST(Damaged, APageThatCannotBeBuiltIsShownAndSetupEndsWithCode2) {
    const std::string copy = AlteredCopy("renamed", [](std::string& image) {
        const std::string name("B\0A\0C\0K\0D\0R\0O\0P\0", 16); // as resource names are kept
        const size_t at = image.find(name);
        if (at == std::string::npos)
            return false;
        image[at + 14] = 'Q';
        return true;
    });
    ASSERT_FALSE(copy.empty());
    TSetupProcess setup(copy);
    HWND box = WaitForWindow("Setup", "Resource BACKDROP not found.", setup.ProcessId());
    ASSERT_TRUE(box);
    SaveScreenshot("page-not-built");
    SendKeys(box, "{ENTER}");
    EXPECT_EQ(setup.WaitForExit(), 2u);
    ExpectNothingInstalled();
}

} // namespace
