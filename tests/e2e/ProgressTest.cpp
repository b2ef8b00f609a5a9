// End to end: the progress page's gauge as the screen shows it when the animation ends.
#include "driver/Driver.h"
#include "tests/e2e/Walk.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

TEST(Progress, GaugeIsFullAndNavyWhileTheClosingMessageIsUp) {
    TSetupProcess setup;
    HWND progress = StartInstall(setup);
    ASSERT_TRUE(progress);
    HWND message = WaitForWindow("Setup", "OK", setup.ProcessId(), 30s);
    ASSERT_TRUE(message);
    MoveAside(message);
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
