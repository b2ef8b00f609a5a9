// A walk through every page with the default choices, with a screenshot of each.
#include "driver/Driver.h"
#include "tests/e2e/Walk.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

TEST(Tour, EveryPageWithTheDefaultChoices) {
    TSetupProcess setup;
    HWND welcome = WelcomePage(setup);
    ASSERT_TRUE(welcome);
    SaveScreenshot("1-welcome");
    HWND destination = ToDestinationPage(setup, welcome);
    ASSERT_TRUE(destination);
    SaveScreenshot("2-destination");
    HWND chooser = Browse(setup, destination);
    ASSERT_TRUE(chooser);
    SaveScreenshot("3-folder-chooser");
    ClickChild(chooser, "&Cancel");
    EXPECT_TRUE(WaitForHidden(chooser));
    ASSERT_TRUE(ToProgressPage(setup, destination));
    SaveScreenshot("4-progress");
    EXPECT_EQ(DismissClosingMessage(setup), "Palvorne Lumivary Installation Completed");
    EXPECT_EQ(setup.WaitForExit(), 0u);
    StopRunner();
}

TEST(Backdrop, ARunningRunnerQuitsWhenSetupStarts) {
    // The runner the install carries, started before Setup.
    const std::string runner = WindowsFolder() + "\\Temp\\Run.exe";
    CreateDirectoryA((WindowsFolder() + "\\Temp").c_str(), nullptr);
    WriteFileBytes(runner, EmbeddedBlock("RUN"));
    const setup::TKernelHandle process = StartProgram("\"" + runner + "\"");
    ASSERT_TRUE(process);
    for (int i = 0; i < 100 && !RunnerWindow(); ++i)
        Sleep(50);
    ASSERT_TRUE(RunnerWindow());

    TSetupProcess setup;
    ASSERT_TRUE(WelcomePage(setup));
    EXPECT_EQ(WaitForSingleObject(process.Get(), 5000), WAIT_OBJECT_0) << "the runner did not quit";
    EXPECT_TRUE(setup.Running()); // the quit went to the runner, not to Setup itself
}

TEST(Backdrop, ClicksOnTheBackdropDoNothing) {
    TSetupProcess setup;
    HWND welcome = WelcomePage(setup);
    ASSERT_TRUE(welcome);
    HWND backdrop = WaitForWindow("III", "", setup.ProcessId());
    ASSERT_TRUE(backdrop);
    EXPECT_FALSE(IsWindowEnabled(backdrop));
    ClickAt(backdrop, 5, 5);
    EXPECT_TRUE(IsWindowVisible(welcome));
    EXPECT_TRUE(setup.Running());
}

} // namespace
