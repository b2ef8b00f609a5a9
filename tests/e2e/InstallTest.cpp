// End to end: what a keyboard-driven install leaves on the machine, read back from outside.
#include "driver/Driver.h"
#include "tests/e2e/Walk.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

// The boot screens and their backups; a system without boot screens (NT 4.0) gets no backups.
std::optional<std::string> Screen(const char* name) {
    return ReadFileBytes(WindowsFolder() + "\\" + name);
}

TEST(Install, DefaultInstallLeavesEveryFileValueShortcutAndAHiddenRunner) {
    const auto screen = Screen("logos.sys");
    const auto waitScreen = Screen("logow.sys");
    EXPECT_EQ(InstallWithKeyboard(), "Palvorne Lumivary Installation Completed");
    ExpectEveryFileOfTheInstall(DefaultDestination);
    EXPECT_EQ(Screen("logos.old"), screen);
    EXPECT_EQ(Screen("logow.old"), waitScreen);
    HWND runner = RunnerWindow();
    ASSERT_TRUE(runner) << "the runner was not started";
    EXPECT_FALSE(IsWindowVisible(runner));
    StopRunner();
}

TEST(Install, SecondInstallOverwritesEverythingAndKeepsTheFirstBackups) {
    const auto original = Screen("logos.sys");
    EXPECT_EQ(InstallWithKeyboard(), "Palvorne Lumivary Installation Completed");
    // Meanwhile the product changed the boot screen, where there is one, and a file was damaged.
    if (original)
        WriteFileBytes(WindowsFolder() + "\\logos.sys", "the product's own screen");
    WriteFileBytes(DefaultDestination + "\\PalvorneLV.exe", "damaged");
    WriteFileBytes(DefaultDestination + "\\config.ini", "[edited]\r\n");
    // The runner of the first install is still running: Setup asks it to quit at start.
    ASSERT_TRUE(RunnerWindow());
    EXPECT_EQ(InstallWithKeyboard(), "Palvorne Lumivary Installation Completed");
    ExpectEveryFileOfTheInstall(DefaultDestination);
    EXPECT_EQ(Screen("logos.old"), original);
    StopRunner();
}

// A killed install left half a backup under its temporary name: the next install makes the
// backup whole and leaves no temporary file.
TEST(Install, APartialBackupOfAKilledInstallIsReplacedWhole) {
    const std::string screen = *ReadFileBytes(WindowsFolder() + "\\logos.sys");
    WriteFileBytes(WindowsFolder() + "\\logos.old.tmp", screen.substr(0, screen.size() / 2));
    EXPECT_EQ(InstallWithKeyboard(), "Palvorne Lumivary Installation Completed");
    EXPECT_EQ(ReadFileBytes(WindowsFolder() + "\\logos.old"), screen);
    EXPECT_FALSE(ReadFileBytes(WindowsFolder() + "\\logos.old.tmp"));
    StopRunner();
}

TEST(Install, FileHeldOpenFailsAloneAndTheClosingMessageSaysSo) {
    const std::string held = DefaultDestination + "\\Mpegdll.dll";
    CreateDirectoryA(DefaultDestination.c_str(), nullptr);
    WriteFileBytes(held, "in use");
    // Open without sharing, as a program that has the library loaded would.
    setup::TFileHandle lock(
        CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock);
    const std::string message = InstallWithKeyboard();
    lock.Reset();
    // The line names the system's reason, in its own words: Windows calls it a sharing
    // violation, Wine an access denied.
    const std::string line =
        "Palvorne Lumivary Installation did not complete.\nFolder: " + DefaultDestination +
        "\nMpegdll.dll: Cannot create file: ";
    EXPECT_TRUE(message == line + "Sharing violation." || message == line + "Access denied.")
        << message;
    EXPECT_EQ(ReadFileBytes(held), "in use");
    ExpectFileIsBlock(DefaultDestination + "\\PalvorneLV.exe", "PLV");
    ExpectFileIsBlock(DefaultDestination + "\\Run.exe", "RUN");
    ExpectFileIsBlock(WindowsFolder() + "\\system\\PLVCPL.cpl", "PLVCPL");
    StopRunner();
}

} // namespace
