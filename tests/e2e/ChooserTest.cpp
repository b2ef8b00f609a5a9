// End to end: choosing the destination with the folder chooser.
#include "driver/Driver.h"
#include "tests/e2e/Walk.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

// An edit control keeps its text to itself: ask it.
// Clicks entry index of a list box.
void ClickEntry(HWND page, HWND list, LRESULT index) {
    RECT item{};
    SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    ClickIn(page, list, {(item.left + item.right) / 2, (item.top + item.bottom) / 2});
}

// Setup on its destination page with the chooser open beside it.
class ChooserOpen : public ::testing::Test {
protected:
    void SetUp() override {
        destination = OpenDestinationPage(setup);
        ASSERT_TRUE(destination);
        chooser = Browse(setup, destination);
        ASSERT_TRUE(chooser);
    }
    TSetupProcess setup;
    HWND destination = nullptr;
    HWND chooser = nullptr;
};

std::string FinishInstall(const TSetupProcess& setup, HWND destination) {
    if (!ToProgressPage(setup, destination))
        return "<no progress page>";
    const std::string text = DismissClosingMessage(setup);
    return text;
}

TEST_F(ChooserOpen, BrowseProposesTheProductFolderUnderProgramFiles) {
    EXPECT_EQ(EditText(chooser), "C:\\Program Files\\Palvorne Lumivary");
    HWND list = ChildOfClass(chooser, "ListBox");
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1) << "Program Files is selected";
    char drive[64] = {};
    SendMessageA(ChildOfClass(chooser, "ComboBox"), WM_GETTEXT, sizeof drive,
                 reinterpret_cast<LPARAM>(drive));
    EXPECT_EQ(std::string(drive).substr(0, 3), "C: ");
    SaveScreenshot("chooser");
}

// The folder is installed into as typed: files, shortcuts and registry values hold the text.
void ExpectTypedFolderInstalled(TSetupProcess& setup, HWND destination, HWND chooser,
                                const std::string& folder) {
    TypePath(chooser, folder);
    ASSERT_EQ(EditText(chooser), folder);
    EXPECT_TRUE(PressAway(chooser, "%o"));
    EXPECT_EQ(FinishInstall(setup, destination), "Palvorne Lumivary Installation Completed");
    EXPECT_EQ(setup.WaitForExit(), 0u);
    ExpectEveryFileOfTheInstall(folder);
    StopRunner();
}

TEST_F(ChooserOpen, TypedFolderIsInstalledInto) {
    ExpectTypedFolderInstalled(setup, destination, chooser, "C:\\Games\\Night Sky");
}

// Windows' file functions take a slash between names; so does the install.
TEST_F(ChooserOpen, TypedFolderWithSlashesIsInstalledInto) {
    ExpectTypedFolderInstalled(setup, destination, chooser, "C:/Apps/Palvorne Lumivary");
}

TEST_F(ChooserOpen, PickingTheDriveRootProposesItWithOneBackslash) {
    // The list's first entry is the drive root.
    HWND list = ChildOfClass(chooser, "ListBox");
    ASSERT_TRUE(list);
    ClickEntry(chooser, list, 0);
    SendKeys(chooser, "{ENTER}");
    EXPECT_EQ(EditText(chooser), "C:\\Palvorne Lumivary");
    EXPECT_TRUE(PressAway(chooser, "%o"));
    EXPECT_EQ(FinishInstall(setup, destination), "Palvorne Lumivary Installation Completed");
    EXPECT_EQ(setup.WaitForExit(), 0u);
    ExpectEveryFileOfTheInstall("C:\\Palvorne Lumivary");
    StopRunner();
}

TEST(Chooser, DoubleClickOpensAFolderAndProposesBelowIt) {
    CreateDirectoryA("C:\\Program Files\\Aurora", nullptr);
    TSetupProcess setup;
    HWND destination = OpenDestinationPage(setup);
    ASSERT_TRUE(destination);
    HWND chooser = Browse(setup, destination);
    ASSERT_TRUE(chooser);
    HWND list = ChildOfClass(chooser, "ListBox");
    ASSERT_TRUE(list);
    const LRESULT index = SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>("Aurora"));
    ASSERT_NE(index, LB_ERR);
    ClickEntry(chooser, list, index);
    ClickEntry(chooser, list, index);
    EXPECT_EQ(EditText(chooser), "C:\\Program Files\\Aurora\\Palvorne Lumivary");
}

TEST_F(ChooserOpen, CancelKeepsTheFolder) {
    TypePath(chooser, "C:\\Elsewhere");
    EXPECT_TRUE(PressAway(chooser, "%c"));
    EXPECT_EQ(FinishInstall(setup, destination), "Palvorne Lumivary Installation Completed");
    EXPECT_EQ(setup.WaitForExit(), 0u);
    ExpectEveryFileOfTheInstall(DefaultDestination);
    EXPECT_FALSE(DirectoryExists("C:\\Elsewhere"));
    StopRunner();
}

TEST_F(ChooserOpen, EmptyPathIsRefused) {
    TypePath(chooser, "   ");
    HWND message = PressForWindow(chooser, "%o", "Setup", "OK", setup.ProcessId());
    ASSERT_TRUE(message);
    EXPECT_EQ(StaticTexts(message), "Please choose the installation folder");
    EXPECT_TRUE(PressAway(message, "{ENTER}"));
    EXPECT_TRUE(IsWindowVisible(chooser));
}

TEST(Chooser, BrowseWithoutProgramFilesShowsTheErrorAndNoChooser) {
    ASSERT_TRUE(MoveFileA("C:\\Program Files", "C:\\Program Files.moved"));
    TSetupProcess setup;
    HWND destination = OpenDestinationPage(setup);
    ASSERT_TRUE(destination);
    HWND error = PressForWindow(destination, "%r", "Setup", "OK", setup.ProcessId());
    ASSERT_TRUE(error);
    EXPECT_EQ(StaticTexts(error), "File not found.");
    SaveScreenshot("browse-error");
    EXPECT_TRUE(PressAway(error, "{ENTER}"));
    EXPECT_FALSE(WaitForWindow("Choose Folder", "&OK", setup.ProcessId(), 1s));
    // The page stays usable and installs to the folder it shows.
    EXPECT_EQ(FinishInstall(setup, destination), "Palvorne Lumivary Installation Completed");
    EXPECT_EQ(setup.WaitForExit(), 0u);
    ExpectEveryFileOfTheInstall(DefaultDestination);
    StopRunner();
}

} // namespace
