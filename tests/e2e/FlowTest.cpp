// End to end: Setup.exe driven through its pages from the keyboard and the mouse.
#include "driver/Driver.h"
#include "tests/e2e/Walk.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

const std::string Dest = DefaultDestination;
const std::string WindowsKey = "Software\\Microsoft\\Windows\\CurrentVersion";
const std::string UninstallKey = WindowsKey + "\\Uninstall\\PalvorneLumivary";

TEST(Flow, KeyboardInstallLeavesFolderAndRegistryValues) {
    TSetupProcess setup;
    HWND welcome = WelcomePage(setup);
    ASSERT_TRUE(welcome);
    HWND destination = ToDestinationPage(setup, welcome);
    ASSERT_TRUE(destination);
    EXPECT_TRUE(WaitForHidden(welcome));
    ASSERT_TRUE(ToProgressPage(setup, destination));
    EXPECT_EQ(DismissClosingMessage(setup), "Palvorne Lumivary Installation Completed");
    EXPECT_EQ(setup.WaitForExit(), 0u);

    EXPECT_TRUE(DirectoryExists(Dest));
    EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, "Software\\palvorne", "Palvorne Lumivary"),
              Dest + "\\PalvorneLV.exe");
    EXPECT_EQ(
        ReadRegistryString(HKEY_LOCAL_MACHINE, WindowsKey + "\\runServices", "PalvorneLumivary"),
        "\"" + Dest + "\\run.exe\" /P");
    EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, UninstallKey, "DisplayName"),
              "Palvorne Lumivary 2000 Tessaline");
    EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, UninstallKey, "UninstallString"),
              "\"" + Dest + "\\Uninstall.exe\"");
    StopRunner();
}

TEST(Flow, ExitSetupAsksAndNoLeavesThePageAsItWas) {
    TSetupProcess setup;
    HWND welcome = WelcomePage(setup);
    ASSERT_TRUE(welcome);
    ClickChild(welcome, "&Exit Setup");
    HWND question = WaitForWindow("Information", "&Yes", setup.ProcessId());
    ASSERT_TRUE(question);
    EXPECT_EQ(StaticTexts(question),
              "You have chosen to abort the installation process. Are you sure?");
    EXPECT_TRUE(HasChildWithText(question, "&No"));
    SaveScreenshot("abort-confirmation");
    EXPECT_TRUE(PressAway(question, "{ESC}"));
    EXPECT_TRUE(IsWindowVisible(welcome));
    EXPECT_TRUE(setup.Running());

    // Asked again, Enter answers Yes.
    question = PressForWindow(welcome, "%e", "Information", "&Yes", setup.ProcessId());
    ASSERT_TRUE(question);
    SendKeys(question, "{ENTER}");
    EXPECT_EQ(setup.WaitForExit(), 0u);
    EXPECT_FALSE(DirectoryExists(Dest));
}

TEST(Flow, ClosingTheWelcomePageEndsAtOnce) {
    TSetupProcess setup;
    HWND welcome = WelcomePage(setup);
    ASSERT_TRUE(welcome);
    SendKeys(welcome, "{F4}");
    EXPECT_EQ(setup.WaitForExit(5s), 0u);
    EXPECT_FALSE(DirectoryExists(Dest));
}

TEST(Flow, ClosingTheDestinationPageEndsAtOnce) {
    TSetupProcess setup;
    HWND welcome = WelcomePage(setup);
    ASSERT_TRUE(welcome);
    // The focus starts on "&Continue >>".
    HWND destination = ToDestinationPage(setup, welcome, "{ENTER}");
    ASSERT_TRUE(destination);
    PostMessageA(destination, WM_CLOSE, 0, 0);
    EXPECT_EQ(setup.WaitForExit(5s), 0u);
}

TEST(Flow, EscapeOnTheWelcomePageDoesNothing) {
    TSetupProcess setup;
    HWND welcome = WelcomePage(setup);
    ASSERT_TRUE(welcome);
    SendKeys(welcome, "{ESC}");
    EXPECT_FALSE(WaitForWindow("Information", "&Yes", setup.ProcessId(), 1s));
    EXPECT_TRUE(IsWindowVisible(welcome));
}

TEST(Flow, EnterOnTheProgressPageAsksAndNoResumes) {
    TSetupProcess setup;
    HWND progress = StartInstall(setup);
    ASSERT_TRUE(progress);
    // Sent while the install runs: it arrives before the animation's first tick.
    HWND question = PressForWindow(progress, "{ENTER}", "Information", "&Yes", setup.ProcessId());
    ASSERT_TRUE(question) << "Enter did not ask";
    MoveAside(question);
    const int paused = GaugeFill(progress);
    EXPECT_LT(paused, GaugeWidth);
    Sleep(300); // six ticks' time: the animation stands still while the question is up
    EXPECT_EQ(GaugeFill(progress), paused);

    EXPECT_TRUE(PressAway(question, "{ESC}"));
    // The animation carries on from where it stood: the gauge never falls below that.
    int samples = 0;
    for (int wait = 0; wait < 3000; wait += 10, Sleep(10)) {
        const int fill = GaugeFill(progress);
        // A sample is the gauge's only while no closing message can have covered it.
        if (VisibleWindow("Setup", "OK", setup.ProcessId()))
            break;
        EXPECT_GE(fill, paused);
        ++samples;
    }
    EXPECT_GT(samples, 0);
    EXPECT_EQ(DismissClosingMessage(setup), "Palvorne Lumivary Installation Completed");
    EXPECT_EQ(setup.WaitForExit(), 0u);
    StopRunner();
}

TEST(Flow, ClosingTheProgressPageHidesItAndTheAnimationStillEnds) {
    TSetupProcess setup;
    HWND progress = StartInstall(setup);
    ASSERT_TRUE(progress);
    PostMessageA(progress, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitForHidden(progress));
    EXPECT_EQ(DismissClosingMessage(setup), "Palvorne Lumivary Installation Completed");
    EXPECT_EQ(setup.WaitForExit(), 0u);
    StopRunner();
}

} // namespace
