#include "tests/win32/DibSurface.h"
#include "ui/fake/FakeControlParent.h"
#include "ui/win32/GdiCanvas.h"
#include "widgets/Gauge.h"

#include <gtest/gtest.h>

#include <float.h>
#include <windows.h>

namespace setup {
namespace {

constexpr TColor Yellow = RGBColor(255, 255, 127); // the inverse of navy

// A window-less parent that lends the page's font and colour; the gauge never repaints on
// its own, the tests paint it.
FakeControlParent WindowlessParent() {
    FakeControlParent parent;
    parent.Window = false;
    return parent;
}

class GaugePixelTest : public testing::Test {
protected:
    // Paints the gauge alone on a surface of its size, first filled with red so that an
    // unpainted pixel shows.
    TDibSurface& Paint() {
        Surface = std::make_unique<TDibSurface>(Gauge.Width(), Gauge.Height(), clRed);
        GdiCanvas canvas(Surface->Handle());
        Gauge.Paint(canvas);
        return *Surface;
    }

    // Width of text in the parent's font, as GDI measures it.
    int TextWidth(const std::string& text) {
        TDibSurface scratch(1, 1, clBlack);
        GdiCanvas canvas(scratch.Handle());
        canvas.SetFont(Parent.ParentFont());
        return canvas.TextExtent(text).X;
    }

    FakeControlParent Parent = WindowlessParent();
    TGauge Gauge{&Parent};
    std::unique_ptr<TDibSurface> Surface;
};

// Checks that every pixel of the progress page's bar is the bar's colour or, where the text
// is, its inverse; returns how many text pixels there are over navy and over white.
std::pair<int, int> CheckBar(const TDibSurface& s, int fill) {
    std::pair<int, int> text;
    for (int y = 0; y < s.Height(); ++y) {
        for (int x = 0; x < s.Width(); ++x) {
            const TColor pixel = s.At(x, y);
            if (x < fill) {
                EXPECT_TRUE(pixel == clNavy || pixel == Yellow) << x << "," << y;
                text.first += pixel == Yellow;
            } else {
                EXPECT_TRUE(pixel == clWhite || pixel == clBlack) << x << "," << y;
                text.second += pixel == clBlack;
            }
        }
    }
    return text;
}

TEST_F(GaugePixelTest, ProgressPageBarWithInvertedText) {
    Gauge.SetBounds(1, 1, 347, 18);
    Gauge.SetBorderStyle(bsNone);
    Gauge.SetForeColor(clNavy);
    Gauge.SetProgress(57);
    const TDibSurface& s = Paint();
    const auto [overNavy, overWhite] = CheckBar(s, 198);
    EXPECT_GT(overNavy, 20);
    EXPECT_EQ(overWhite, 0);
    EXPECT_EQ(s.At(197, 0), clNavy);
    EXPECT_EQ(s.At(198, 0), clWhite);
    // The text lies in the box the centring formula gives: rows 3 .. 15.
    const int x = (348 - TextWidth("57%")) / 2;
    for (int row = 0; row < 18; ++row) {
        for (int column = 0; column < 347; ++column) {
            if (s.At(column, row) == Yellow) {
                EXPECT_TRUE(row >= 3 && row < 16 && column >= x && column < x + TextWidth("57%"))
                    << column << "," << row;
            }
        }
    }
}

TEST_F(GaugePixelTest, TextAcrossTheFillEdgeInvertsBothParts) {
    Gauge.SetBounds(1, 1, 347, 18);
    Gauge.SetBorderStyle(bsNone);
    Gauge.SetForeColor(clNavy);
    Gauge.SetProgress(50); // fill 174 runs through the middle of the text
    const auto [overNavy, overWhite] = CheckBar(Paint(), 174);
    EXPECT_GT(overNavy, 5);
    EXPECT_GT(overWhite, 5);
}

TEST_F(GaugePixelTest, SingleBorderLeavesABlackFrame) {
    Gauge.SetBounds(0, 0, 100, 20);
    Gauge.SetShowText(false);
    Gauge.SetProgress(10); // fill length 9 of W = 99: columns 1 .. 8
    const TDibSurface& s = Paint();
    for (int x = 0; x < 100; ++x) {
        EXPECT_EQ(s.At(x, 0), clBlack) << x;
        EXPECT_EQ(s.At(x, 19), clBlack) << x;
    }
    for (int y = 0; y < 20; ++y) {
        EXPECT_EQ(s.At(0, y), clBlack) << y;
        EXPECT_EQ(s.At(99, y), clBlack) << y;
    }
    EXPECT_EQ(s.At(8, 10), clBlack);
    EXPECT_EQ(s.At(9, 10), clWhite);
    EXPECT_EQ(s.At(98, 18), clWhite);
}

TEST_F(GaugePixelTest, TextWiderThanTheGaugeStaysInsideTheFrame) {
    Gauge.SetBounds(0, 0, 10, 18);
    Gauge.SetProgress(100);
    Gauge.SetForeColor(clNavy);
    ASSERT_GT(TextWidth("100%"), 10);
    const TDibSurface& s = Paint();
    int text = 0;
    for (int y = 0; y < 18; ++y) {
        for (int x = 0; x < 10; ++x) {
            const bool frame = x == 0 || x == 9 || y == 0 || y == 17;
            if (frame)
                EXPECT_EQ(s.At(x, y), clBlack) << x << "," << y;
            else
                text += s.At(x, y) == Yellow;
        }
    }
    EXPECT_GT(text, 0);
}

TEST_F(GaugePixelTest, PieEmptyAndFull) {
    const TColor face = static_cast<TColor>(GetSysColor(COLOR_BTNFACE));
    Gauge.SetBounds(0, 0, 60, 60);
    Gauge.SetKind(gkPie);
    Gauge.SetBorderStyle(bsNone);
    Gauge.SetShowText(false);
    Gauge.SetForeColor(clNavy);
    const TDibSurface& empty = Paint();
    EXPECT_EQ(empty.At(0, 0), face);
    EXPECT_EQ(empty.At(59, 59), face);
    EXPECT_EQ(empty.At(30, 0), clNavy); // outline
    for (TPoint p : {TPoint{30, 30}, TPoint{40, 15}, TPoint{15, 45}})
        EXPECT_EQ(empty.At(p.X, p.Y), clWhite) << p.X << "," << p.Y;

    Gauge.SetProgress(25);
    const TDibSurface& quarter = Paint();
    EXPECT_EQ(quarter.At(45, 15), clNavy); // twelve to three o'clock
    EXPECT_EQ(quarter.At(15, 15), clWhite);
    EXPECT_EQ(quarter.At(45, 45), clWhite);

    Gauge.SetProgress(100);
    const TDibSurface& full = Paint();
    EXPECT_EQ(full.At(0, 0), face);
    for (TPoint p : {TPoint{30, 30}, TPoint{40, 15}, TPoint{15, 45}, TPoint{15, 15}})
        EXPECT_EQ(full.At(p.X, p.Y), clNavy) << p.X << "," << p.Y;
}

TEST_F(GaugePixelTest, NeedleOnlyFromOnePercent) {
    Gauge.SetBounds(0, 0, 100, 50);
    Gauge.SetKind(gkNeedle);
    Gauge.SetBorderStyle(bsNone);
    Gauge.SetShowText(false);
    Gauge.SetForeColor(clNavy);
    const TDibSurface& dial = Paint();
    for (int y = 10; y < 45; ++y)
        EXPECT_EQ(dial.At(50, y), clWhite) << y;
    Gauge.SetProgress(50);
    const TDibSurface& upright = Paint();
    for (int y = 10; y < 45; ++y)
        EXPECT_EQ(upright.At(50, y), clNavy) << y;
}

// A Windows thread may run with 53-bit precision; the table's rows need the 64-bit
// significand, so the gauge must set it itself, and give the caller's setting back.
TEST(GaugePrecision, FillLengthsUnderDoublePrecision) {
    const unsigned saved = _controlfp(0, 0);
    _controlfp(_PC_53, _MCW_PC);
    const int rows[4] = {TGauge::FillLength(10, 100), TGauge::FillLength(20, 100),
                         TGauge::FillLength(10, 10), TGauge::FillLength(5, 200)};
    const unsigned after = _controlfp(0, 0);
    _controlfp(saved, _MCW_PC);
    EXPECT_EQ(rows[0], 9);
    EXPECT_EQ(rows[1], 19);
    EXPECT_EQ(rows[2], 0);
    EXPECT_EQ(rows[3], 9);
    EXPECT_EQ(after & _MCW_PC, unsigned(_PC_53));
}

} // namespace
} // namespace setup
