// End to end: a Setup.exe with one changed byte in a stored block says it is damaged, writes
// nothing and fails.
#include "platform/win32/StoredResources.h"
#include "tests/e2e/Driver.h"
#include "tests/e2e/Walk.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

const std::string WindowsKey = "Software\\Microsoft\\Windows\\CurrentVersion";

// A copy of Setup.exe in its own folder with the byte in the middle of the stored block name
// of type changed.
std::string DamagedCopy(const char* name, LPCSTR type) {
    const std::string image = *ReadFileBytes(SetupExePath());
    const std::string block = Resource(SetupExePath(), name, type);
    const size_t at = image.find(block);
    if (block.empty() || at == std::string::npos)
        return {};
    std::string damaged = image;
    damaged[at + block.size() / 2] ^= 0x01;
    const std::string folder = WindowsFolder() + "\\Temp\\damaged-" + name;
    CreateDirectoryA((WindowsFolder() + "\\Temp").c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
    WriteFileBytes(folder + "\\Setup.exe", damaged);
    return folder + "\\Setup.exe";
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
        EXPECT_NE(*code, 0u) << name;

        EXPECT_FALSE(DirectoryExists(DefaultDestination)) << name;
        EXPECT_FALSE(
            ReadRegistryString(HKEY_LOCAL_MACHINE, "Software\\palvorne", "Palvorne Lumivary"));
        EXPECT_FALSE(ReadRegistryString(HKEY_LOCAL_MACHINE, WindowsKey + "\\runServices",
                                        "PalvorneLumivary"));
        EXPECT_FALSE(ReadRegistryString(
            HKEY_LOCAL_MACHINE, WindowsKey + "\\Uninstall\\PalvorneLumivary", "DisplayName"));
        EXPECT_FALSE(ReadFileBytes(WindowsFolder() + "\\logos.old")) << name;
        EXPECT_FALSE(ReadFileBytes(WindowsFolder() + "\\system\\PLVCPL.cpl")) << name;
    }
}

} // namespace
