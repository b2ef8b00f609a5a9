// End to end: the progress page's gauge as the screen shows it when the animation ends.
#include "tests/e2e/Driver.h"
#include "tests/e2e/Walk.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

// The gauge sits at (35, 57) in the page's client area, 347 x 18.
constexpr int GaugeLeft = 35;
constexpr int GaugeTop = 57;
constexpr int GaugeWidth = 347;
constexpr int GaugeHeight = 18;

TEST(Progress, GaugeIsFullAndNavyWhileTheClosingMessageIsUp) {
    TSetupProcess setup;
    HWND progress = StartInstall(setup);
    ASSERT_TRUE(progress);
    HWND message = WaitForWindow("Setup", "OK", setup.ProcessId(), 30s);
    ASSERT_TRUE(message);
    // Move the message off the gauge, as a person would drag it, and look.
    RECT box;
    GetWindowRect(message, &box);
    SetWindowPos(message, nullptr, box.left, box.top + 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Sleep(300);
    SaveScreenshot("progress-complete");

    POINT origin{GaugeLeft, GaugeTop};
    ClientToScreen(progress, &origin);
    HDC screen = GetDC(nullptr);
    int navyColumns = 0;
    int paleText = 0;
    int other = 0;
    for (int x = 0; x < GaugeWidth; ++x) {
        bool columnNavy = true;
        for (int y = 0; y < GaugeHeight; ++y) {
            const COLORREF pixel = GetPixel(screen, origin.x + x, origin.y + y);
            if (pixel == RGB(255, 255, 127))
                ++paleText;
            else if (pixel != RGB(0, 0, 128))
                ++other;
            columnNavy = columnNavy && (pixel == RGB(0, 0, 128) || pixel == RGB(255, 255, 127));
        }
        navyColumns += columnNavy;
    }
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(navyColumns, GaugeWidth);
    EXPECT_EQ(other, 0);
    EXPECT_GT(paleText, 20) << "no \"100%\" in pale yellow";

    EXPECT_EQ(StaticTexts(message), "Palvorne Lumivary Installation Completed");
    SendKeys(message, "{ENTER}");
    EXPECT_EQ(setup.WaitForExit(), 0u);
    StopRunner();
}

} // namespace
