// End to end: installs that meet failures end with a closing message that names each one and
// fits the screen.
#include "driver/Driver.h"
#include "tests/e2e/Walk.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace e2e;

namespace {

const std::string NotComplete = "Palvorne Lumivary Installation did not complete.\nFolder: ";

bool Says(const std::string& message, const std::string& text) {
    return message.find(text) != std::string::npos;
}

TEST(Failures, AFolderWhereTheShortcutGoesIsNamed) {
    const std::string group = ProgramsFolder() + "\\Palvorne\\Lumivary";
    CreateDirectoryA((ProgramsFolder() + "\\Palvorne").c_str(), nullptr);
    CreateDirectoryA(group.c_str(), nullptr);
    ASSERT_TRUE(CreateDirectoryA((group + "\\PalvorneLV.lnk").c_str(), nullptr));
    const std::string message = InstallWithKeyboard();
    EXPECT_TRUE(message.starts_with(NotComplete + DefaultDestination + "\n")) << message;
    EXPECT_TRUE(Says(message, "PalvorneLV.lnk: Cannot save shortcut: ")) << message;
    // The rest of the install went on.
    EXPECT_TRUE(ReadShortcut(group + "\\Uninstall.lnk"));
    EXPECT_TRUE(RunnerWindow());
    StopRunner();
}

TEST(Failures, AFolderNamedRunExeCanNeitherBeWrittenNorStarted) {
    CreateDirectoryA(DefaultDestination.c_str(), nullptr);
    ASSERT_TRUE(CreateDirectoryA((DefaultDestination + "\\Run.exe").c_str(), nullptr));
    const std::string message = InstallWithKeyboard();
    EXPECT_TRUE(message.starts_with(NotComplete + DefaultDestination + "\n")) << message;
    EXPECT_TRUE(Says(message, "\nRun.exe: Cannot create file: ")) << message;
    EXPECT_TRUE(Says(message, "\nRun.exe: Cannot start program: ")) << message;
    EXPECT_FALSE(RunnerWindow());
    ExpectFileIsBlock(DefaultDestination + "\\PalvorneLV.exe", "PLV");
}

// Run on a 640 x 480 screen: a folder too long for any of the files fails nearly every step,
// and the box that says so still lies on the screen with its button.
TEST(SmallScreen, TheClosingMessageOfALongFolderFitsTheScreen) {
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 640);
    ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 480);
    TSetupProcess setup;
    HWND destination = OpenDestinationPage(setup);
    ASSERT_TRUE(destination);
    HWND chooser = Browse(setup, destination);
    ASSERT_TRUE(chooser);
    TypePath(chooser, "C:\\" + std::string(247, 'x'));
    ASSERT_TRUE(PressAway(chooser, "%o"));
    HWND box = PressForWindow(destination, "%i", "Setup", "OK", setup.ProcessId(), 30s);
    ASSERT_TRUE(box);
    SaveScreenshot("closing-message-640x480");
    const std::string message = StaticTexts(box);
    EXPECT_TRUE(message.starts_with(NotComplete + "C:\\xxxxxxxxxxxxxxxxx...")) << message;
    EXPECT_GE(std::count(message.begin(), message.end(), '\n'), 7) << message;
    for (HWND window : {box, FindChild(box, "OK")}) {
        RECT r{};
        ASSERT_TRUE(GetWindowRect(window, &r));
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= 640 && r.bottom <= 480)
            << r.left << "," << r.top << " - " << r.right << "," << r.bottom;
    }
    SendKeys(box, "{ENTER}");
    EXPECT_EQ(setup.WaitForExit(), 0u);
}

} // namespace
