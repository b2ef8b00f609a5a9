#include "widgets/Gauge.h"

#include "base/Exceptions.h"
#include "ui/fake/FakeControlParent.h"
#include "ui/fake/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <tuple>

namespace setup {
namespace {

using FakeParent = FakeControlParent;

// The text the last immediate repaint wrote.
std::string LastText(const FakeParent& parent) {
    if (parent.Paints.empty())
        return "";
    const auto texts = parent.Paints.back().CallsOf(CanvasOp::TextOutAt);
    return texts.empty() ? "" : texts.back().Text;
}

class GaugeTest : public testing::Test {
protected:
    // Paints the gauge on a fresh recording canvas and returns it.
    const RecordingCanvas& PaintOnce(TGauge& gauge) {
        Canvas = RecordingCanvas();
        gauge.Paint(Canvas);
        return Canvas;
    }
    // Work images in creation order: 1 the composed image, 2 the picture, 3 the text.
    std::vector<CanvasCall> Picture(CanvasOp op) const { return Canvas.CallsOf(op, 2); }

    FakeParent Parent;
    TGauge Gauge{&Parent};
    RecordingCanvas Canvas;
};

void ExpectInvalidOperation(const std::function<void()>& action, const std::string& message) {
    try {
        action();
        ADD_FAILURE() << "no exception, expected: " << message;
    } catch (const EInvalidOperation& error) {
        EXPECT_EQ(error.Message(), message);
    }
}

TEST_F(GaugeTest, NewGaugeHasTheDefaults) {
    EXPECT_EQ(Gauge.BoundsRect(), (TRect{0, 0, 100, 100}));
    EXPECT_EQ(Gauge.Kind(), gkHorizontalBar);
    EXPECT_TRUE(Gauge.ShowText());
    EXPECT_EQ(Gauge.BorderStyle(), bsSingle);
    EXPECT_EQ(Gauge.ForeColor(), clBlack);
    EXPECT_EQ(Gauge.BackColor(), clWhite);
    EXPECT_EQ(Gauge.MinValue(), 0);
    EXPECT_EQ(Gauge.MaxValue(), 100);
    EXPECT_EQ(Gauge.Progress(), 0);
    EXPECT_TRUE(Gauge.Opaque());
    EXPECT_EQ(Gauge.Color(), clBtnFace);
    EXPECT_EQ(Gauge.Font().Name, "MS Sans Serif");
    EXPECT_EQ(TGauge(nullptr).Color(), clWindow);
}

TEST_F(GaugeTest, PercentageTruncatesAndCopesWithEmptyAndWideRanges) {
    Gauge.SetMaxValue(3);
    Gauge.SetProgress(1);
    EXPECT_EQ(Gauge.Percentage(), 33);
    Gauge.SetProgress(2);
    EXPECT_EQ(Gauge.Percentage(), 66);
    Gauge.SetMaxValue(200);
    Gauge.SetProgress(199);
    EXPECT_EQ(Gauge.Percentage(), 99);

    Gauge.SetMinValue(199);
    Gauge.SetMaxValue(199);
    EXPECT_EQ(Gauge.Percentage(), 0);

    // (Progress - MinValue) * 100 would overflow 32 bits here.
    Gauge.SetMaxValue(2000000000);
    Gauge.SetMinValue(-2000000000);
    Gauge.SetProgress(1000000000);
    EXPECT_EQ(Gauge.Percentage(), 75);
}

TEST_F(GaugeTest, ProgressIsClampedToTheRange) {
    Gauge.SetProgress(150);
    EXPECT_EQ(Gauge.Progress(), 100);
    EXPECT_EQ(LastText(Parent), "100%");
    Gauge.SetProgress(-5);
    EXPECT_EQ(Gauge.Progress(), 0);

    Gauge.SetProgress(10);
    Gauge.SetMinValue(40);
    EXPECT_EQ(Gauge.Progress(), 40);
    Gauge.SetProgress(50);
    Gauge.SetMaxValue(45);
    EXPECT_EQ(Gauge.Progress(), 45);
}

TEST_F(GaugeTest, CrossingTheRangeFailsAndChangesNothing) {
    Gauge.SetProgress(50);
    const size_t paints = Parent.Paints.size();
    ExpectInvalidOperation([&] { Gauge.SetMinValue(101); },
                           "Value must be between -2147483647 and 99");
    ExpectInvalidOperation([&] { Gauge.SetMaxValue(-1); },
                           "Value must be between 1 and 2147483647");
    EXPECT_EQ(Gauge.MinValue(), 0);
    EXPECT_EQ(Gauge.MaxValue(), 100);
    EXPECT_EQ(Gauge.Progress(), 50);
    EXPECT_EQ(Parent.Paints.size(), paints);

    Gauge.SetMinValue(100);
    EXPECT_EQ(Gauge.Progress(), 100);
    EXPECT_EQ(Gauge.Percentage(), 0);
    EXPECT_EQ(LastText(Parent), "0%");
}

TEST_F(GaugeTest, CrossingMessagesAtTheEndsOfTheIntegerRangeDoNotWrap) {
    // The bounds in the messages are one past the other end, computed without wrapping.
    Gauge.SetMinValue(INT_MIN);
    Gauge.SetMaxValue(INT_MIN);
    EXPECT_EQ(Gauge.Progress(), INT_MIN);
    ExpectInvalidOperation([&] { Gauge.SetMinValue(0); },
                           "Value must be between -2147483647 and -2147483649");
    EXPECT_EQ(Gauge.MinValue(), INT_MIN);
    EXPECT_EQ(Gauge.MaxValue(), INT_MIN);

    Gauge.SetMaxValue(INT_MAX);
    Gauge.SetMinValue(INT_MAX);
    EXPECT_EQ(Gauge.Progress(), INT_MAX);
    ExpectInvalidOperation([&] { Gauge.SetMaxValue(0); },
                           "Value must be between 2147483648 and 2147483647");
    EXPECT_EQ(Gauge.MinValue(), INT_MAX);
    EXPECT_EQ(Gauge.MaxValue(), INT_MAX);
    EXPECT_EQ(Gauge.Progress(), INT_MAX);
}

TEST_F(GaugeTest, LoadingSkipsTheCrossingChecksButStillClamps) {
    Gauge.SetLoading(true);
    Gauge.SetMinValue(200);
    EXPECT_EQ(Gauge.MinValue(), 200);
    EXPECT_EQ(Gauge.MaxValue(), 100);
    Gauge.SetProgress(150);
    EXPECT_EQ(Gauge.Progress(), 200);
    EXPECT_EQ(Gauge.Percentage(), 0);
    Gauge.SetProgress(250);
    EXPECT_EQ(Gauge.Progress(), 100);
    EXPECT_EQ(Gauge.Percentage(), 100); // (100 - 200) * 100 / (100 - 200)
    Gauge.SetLoading(false);
    ExpectInvalidOperation([&] { Gauge.SetMinValue(300); },
                           "Value must be between -2147483647 and 99");
}

TEST_F(GaugeTest, DrawingPropertiesRepaintOnlyWhenTheyChange) {
    Gauge.SetKind(gkHorizontalBar);
    Gauge.SetShowText(true);
    Gauge.SetBorderStyle(bsSingle);
    Gauge.SetForeColor(clBlack);
    Gauge.SetBackColor(clWhite);
    Gauge.SetMinValue(0);
    Gauge.SetMaxValue(100);
    Gauge.SetProgress(0);
    EXPECT_EQ(Parent.Paints.size(), 0u);

    Gauge.SetKind(gkPie);
    Gauge.SetShowText(false);
    Gauge.SetBorderStyle(bsNone);
    Gauge.SetForeColor(clNavy);
    Gauge.SetBackColor(clRed);
    EXPECT_EQ(Parent.Paints.size(), 5u);
    // Range changes repaint even when the percentage stays (0 % here).
    Gauge.SetMaxValue(1000);
    Gauge.SetMinValue(-10);
    EXPECT_EQ(Parent.Paints.size(), 7u);
    EXPECT_TRUE(Parent.Invalidated.empty());
}

TEST_F(GaugeTest, ProgressRepaintsOnlyWhenTheWholePercentageChanges) {
    Gauge.SetMaxValue(1000);
    Gauge.SetProgress(10);
    const size_t paints = Parent.Paints.size();
    EXPECT_EQ(LastText(Parent), "1%");
    Gauge.SetProgress(19);
    EXPECT_EQ(Gauge.Progress(), 19);
    EXPECT_EQ(Parent.Paints.size(), paints);
    Gauge.SetProgress(20);
    EXPECT_EQ(Parent.Paints.size(), paints + 1);
    EXPECT_EQ(LastText(Parent), "2%");
}

// The caption truncates, never rounds: the thirds and the last step below the maximum.
TEST_F(GaugeTest, CaptionTruncatesTheExactPercentage) {
    for (const auto& [progress, maximum, text] :
         {std::tuple(1, 3, "33%"), std::tuple(2, 3, "66%"), std::tuple(199, 200, "99%")}) {
        Gauge.SetMaxValue(maximum);
        Gauge.SetProgress(progress);
        EXPECT_EQ(LastText(Parent), text) << progress << " of " << maximum;
    }
}

TEST_F(GaugeTest, NoRepaintWhenHiddenOrWithoutAWindow) {
    Parent.Window = false;
    Gauge.SetProgress(50);
    Gauge.SetKind(gkPie);
    Parent.Window = true;
    Gauge.SetVisible(false);
    Gauge.SetProgress(60);
    Gauge.SetForeColor(clRed);
    EXPECT_EQ(Parent.Paints.size(), 0u);
    EXPECT_EQ(Gauge.Progress(), 60);
    EXPECT_EQ(Gauge.Kind(), gkPie);
}

TEST_F(GaugeTest, ColourAndFontFollowTheParentUntilSet) {
    Gauge.SetColor(clBtnFace); // same colour, but no longer the parent's
    EXPECT_FALSE(Gauge.ParentColor());
    EXPECT_TRUE(Parent.Invalidated.empty());
    Gauge.SetColor(clRed);
    EXPECT_EQ(Gauge.Color(), clRed);
    EXPECT_EQ(Parent.Invalidated.size(), 1u);
    Gauge.SetParentColor(true);
    EXPECT_EQ(Gauge.Color(), clBtnFace);

    TFontDesc arial{"Arial", -13, fsBold, clRed, 0};
    Gauge.SetFont(arial);
    EXPECT_FALSE(Gauge.ParentFont());
    EXPECT_EQ(Gauge.Font(), arial);
    EXPECT_EQ(Parent.Invalidated.size(), 3u);
    EXPECT_EQ(Parent.Paints.size(), 0u);
}

TEST(GaugeFillLength, SlightlyLowHundredthLosesOneOnSomeProductsButNotOnQuarters) {
    EXPECT_EQ(TGauge::FillLength(10, 100), 9);
    EXPECT_EQ(TGauge::FillLength(20, 100), 19);
    EXPECT_EQ(TGauge::FillLength(10, 10), 0);
    EXPECT_EQ(TGauge::FillLength(5, 200), 9);
    EXPECT_EQ(TGauge::FillLength(50, 101), 50);
    EXPECT_EQ(TGauge::FillLength(25, 100), 25);
    for (int z : {1, 19, 99, 348, 1000})
        EXPECT_EQ(TGauge::FillLength(100, z), z) << z;
}

TEST(GaugeFillLength, ProgressPageLengthRoundsDownAtEveryPercentage) {
    for (int p = 0; p <= 100; ++p)
        EXPECT_EQ(TGauge::FillLength(p, 348), p * 348 / 100) << p;
}

#if defined(__i386__) || defined(__x86_64__)
uint16_t ControlWord() {
    uint16_t word;
    asm volatile("fnstcw %0" : "=m"(word));
    return word;
}

void LoadControlWord(uint16_t word) {
    asm volatile("fldcw %0" : : "m"(word));
}

TEST(GaugeFillLength, WorksUnderDoublePrecisionAndRestoresIt) {
    const uint16_t saved = ControlWord();
    const uint16_t doublePrecision = (saved & ~0x0300) | 0x0200;
    LoadControlWord(doublePrecision);
    const int tenOfHundred = TGauge::FillLength(10, 100);
    const uint16_t after = ControlWord();
    LoadControlWord(saved);
    EXPECT_EQ(tenOfHundred, 9);
    EXPECT_EQ(after, doublePrecision);
}
#endif

TEST_F(GaugeTest, PaintComposesOffScreenAndCopiesOnce) {
    PaintOnce(Gauge);
    EXPECT_EQ(Canvas.CallsOf(CanvasOp::CreateWorkImage).size(), 3u);
    const auto xors = Canvas.CallsOf(CanvasOp::XorFrom, 1);
    ASSERT_EQ(xors.size(), 2u);
    EXPECT_EQ(xors[0].Source, 2); // the picture, then the text
    EXPECT_EQ(xors[1].Source, 3);
    // The surface itself gets the composed image in one copy, and nothing else.
    for (const CanvasCall& call : Canvas.CallsOf(CanvasOp::CopyImage))
        EXPECT_EQ(call.Image, 0);
    const CanvasCall& last = Canvas.Calls.back();
    EXPECT_EQ(last.Op, CanvasOp::CopyImage);
    EXPECT_EQ(last.Source, 1);
    EXPECT_EQ(last.Rect, (TRect{0, 0, 100, 100}));
    for (const CanvasCall& call : Canvas.Calls) {
        if (call.Image == 0) {
            EXPECT_TRUE(call.Op == CanvasOp::CreateWorkImage || &call == &last);
        }
    }
}

TEST_F(GaugeTest, AnEmptyGaugePaintsNothing) {
    Gauge.SetBounds(0, 0, 0, 18);
    EXPECT_TRUE(PaintOnce(Gauge).Calls.empty());
}

TEST_F(GaugeTest, HorizontalBarGeometry) {
    Gauge.SetBounds(0, 0, 100, 20);
    Gauge.SetForeColor(clNavy);
    Gauge.SetProgress(10);
    Gauge.SetBorderStyle(bsNone);
    PaintOnce(Gauge);
    auto fills = Picture(CanvasOp::FillRect);
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[0].Rect, (TRect{0, 0, 100, 20}));
    EXPECT_EQ(fills[0].BrushColor, clWhite);
    EXPECT_EQ(fills[1].Rect, (TRect{0, 0, 10, 21})); // 10 % of W = 101
    EXPECT_EQ(fills[1].BrushColor, clNavy);

    Gauge.SetBorderStyle(bsSingle);
    PaintOnce(Gauge);
    fills = Picture(CanvasOp::FillRect);
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[0].Rect, (TRect{1, 1, 99, 19}));
    EXPECT_EQ(fills[1].Rect, (TRect{1, 1, 9, 19})); // 10 % of W = 99 gives 9: columns 1..8

    Gauge.SetProgress(0);
    PaintOnce(Gauge);
    EXPECT_EQ(Picture(CanvasOp::FillRect).size(), 1u);
}

TEST_F(GaugeTest, ProgressPageBarAtFiftySevenAndHundred) {
    Gauge.SetBounds(1, 1, 347, 18);
    Gauge.SetBorderStyle(bsNone);
    Gauge.SetForeColor(clNavy);
    Gauge.SetProgress(57);
    PaintOnce(Gauge);
    auto fills = Picture(CanvasOp::FillRect);
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[1].Rect, (TRect{0, 0, 198, 19}));
    const auto text = Canvas.CallsOf(CanvasOp::TextOutAt, 3);
    ASSERT_EQ(text.size(), 1u);
    EXPECT_EQ(text[0].Text, "57%");
    EXPECT_EQ(text[0].From, (TPoint{163, 3})); // (348 - 21) div 2, (19 - 13) div 2

    Gauge.SetProgress(100);
    PaintOnce(Gauge);
    fills = Picture(CanvasOp::FillRect);
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[1].Rect, (TRect{0, 0, 348, 19})); // capped at W, clipped by the image
}

TEST_F(GaugeTest, VerticalBarGeometry) {
    Gauge.SetBounds(0, 0, 100, 20);
    Gauge.SetKind(gkVerticalBar);
    Gauge.SetBorderStyle(bsNone);
    Gauge.SetProgress(100);
    PaintOnce(Gauge);
    auto fills = Picture(CanvasOp::FillRect);
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[1].Rect, (TRect{0, 1, 101, 21})); // row 0 keeps the background

    Gauge.SetBorderStyle(bsSingle);
    PaintOnce(Gauge);
    fills = Picture(CanvasOp::FillRect);
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[1].Rect, (TRect{1, 1, 99, 19})); // the whole inside of the frame

    Gauge.SetProgress(50);
    PaintOnce(Gauge);
    EXPECT_EQ(Picture(CanvasOp::FillRect)[1].Rect, (TRect{1, 10, 99, 19})); // f = 9 of H = 19

    Gauge.SetProgress(0);
    PaintOnce(Gauge);
    EXPECT_EQ(Picture(CanvasOp::FillRect)[1].Rect.Height(), 0);
}

TEST_F(GaugeTest, TextKindFillsTheInsideWithTheBackColour) {
    Gauge.SetKind(gkText);
    Gauge.SetBackColor(clRed);
    Gauge.SetProgress(30);
    PaintOnce(Gauge);
    const auto fills = Picture(CanvasOp::FillRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].Rect, (TRect{1, 1, 99, 99}));
    EXPECT_EQ(fills[0].BrushColor, clRed);
    EXPECT_TRUE(Picture(CanvasOp::Ellipse).empty());
    EXPECT_TRUE(Picture(CanvasOp::Line).empty());
}

TEST_F(GaugeTest, PieGeometry) {
    Gauge.SetKind(gkPie);
    Gauge.SetBorderStyle(bsNone);
    Gauge.SetForeColor(clNavy);
    Gauge.SetProgress(25);
    PaintOnce(Gauge);
    const auto fills = Picture(CanvasOp::FillRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].BrushColor, clBtnFace); // the parent's colour
    auto ellipses = Picture(CanvasOp::Ellipse);
    ASSERT_EQ(ellipses.size(), 1u);
    EXPECT_EQ(ellipses[0].Rect, (TRect{0, 0, 100, 100}));
    EXPECT_EQ(ellipses[0].BrushColor, clWhite);
    EXPECT_EQ(ellipses[0].PenColor, clNavy);
    auto pies = Picture(CanvasOp::Pie);
    ASSERT_EQ(pies.size(), 1u);
    EXPECT_EQ(pies[0].Rect, (TRect{0, 0, 100, 100}));
    EXPECT_EQ(pies[0].From, (TPoint{100, 50})); // three o'clock
    EXPECT_EQ(pies[0].To, (TPoint{50, 0}));     // twelve o'clock
    EXPECT_EQ(pies[0].BrushColor, clNavy);

    Gauge.SetBorderStyle(bsSingle);
    Gauge.SetProgress(50);
    PaintOnce(Gauge);
    EXPECT_EQ(Picture(CanvasOp::Ellipse)[0].Rect, (TRect{1, 1, 99, 99}));
    pies = Picture(CanvasOp::Pie);
    ASSERT_EQ(pies.size(), 1u);
    EXPECT_EQ(pies[0].From, (TPoint{49, 98}));
    EXPECT_EQ(pies[0].To, (TPoint{49, 0}));

    Gauge.SetProgress(100);
    PaintOnce(Gauge);
    pies = Picture(CanvasOp::Pie);
    ASSERT_EQ(pies.size(), 1u);
    EXPECT_EQ(pies[0].From, pies[0].To); // coinciding radii: the full ellipse

    Gauge.SetProgress(0);
    PaintOnce(Gauge);
    EXPECT_EQ(Picture(CanvasOp::Ellipse).size(), 1u);
    EXPECT_TRUE(Picture(CanvasOp::Pie).empty());
}

TEST_F(GaugeTest, NeedleGeometry) {
    Gauge.SetBounds(0, 0, 100, 50);
    Gauge.SetKind(gkNeedle);
    Gauge.SetBorderStyle(bsNone);
    Gauge.SetProgress(50);
    PaintOnce(Gauge);
    auto pies = Picture(CanvasOp::Pie);
    ASSERT_EQ(pies.size(), 1u);
    EXPECT_EQ(pies[0].Rect, (TRect{0, 0, 100, 99}));
    EXPECT_EQ(pies[0].From, (TPoint{100, 49}));
    EXPECT_EQ(pies[0].To, (TPoint{0, 49}));
    EXPECT_EQ(pies[0].BrushColor, clWhite);
    auto lines = Picture(CanvasOp::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].From, (TPoint{0, 50})); // base line, just below the image
    EXPECT_EQ(lines[0].To, (TPoint{100, 50}));
    EXPECT_EQ(lines[1].From, (TPoint{50, 49}));
    EXPECT_EQ(lines[1].To, (TPoint{50, 0})); // straight up

    Gauge.SetProgress(100);
    PaintOnce(Gauge);
    EXPECT_EQ(Picture(CanvasOp::Line)[1].To, (TPoint{100, 49})); // pointing right

    Gauge.SetBorderStyle(bsSingle);
    Gauge.SetProgress(1);
    PaintOnce(Gauge);
    pies = Picture(CanvasOp::Pie);
    EXPECT_EQ(pies[0].Rect, (TRect{1, 1, 99, 97}));
    EXPECT_EQ(pies[0].From, (TPoint{100, 48}));
    EXPECT_EQ(pies[0].To, (TPoint{1, 48}));
    lines = Picture(CanvasOp::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].From, (TPoint{1, 49}));
    EXPECT_EQ(lines[0].To, (TPoint{100, 49}));
    EXPECT_EQ(lines[1].From, (TPoint{50, 48})); // mx from the whole control's width
    EXPECT_EQ(lines[1].To, (TPoint{0, 46}));    // nearly left

    Gauge.SetProgress(0);
    PaintOnce(Gauge);
    EXPECT_EQ(Picture(CanvasOp::Line).size(), 1u); // the dial only
}

TEST_F(GaugeTest, TextIsWhiteInTheGaugeFontCentredAndClippedToTheInside) {
    Gauge.SetFont({"Arial", -13, fsBold, clRed, 0});
    PaintOnce(Gauge);
    const auto text = Canvas.CallsOf(CanvasOp::TextOutAt, 3);
    ASSERT_EQ(text.size(), 1u);
    EXPECT_EQ(text[0].Text, "0%");
    EXPECT_EQ(text[0].From, (TPoint{42, 43})); // (99 - 14) div 2, (99 - 13) div 2
    EXPECT_EQ(text[0].Font, (TFontDesc{"Arial", -13, fsBold, clWhite, 0}));
    EXPECT_EQ(text[0].TextColor, clWhite);
    EXPECT_EQ(text[0].BrushStyle, TBrushStyle::Clear);
    EXPECT_EQ(text[0].Clip, (TRect{1, 1, 99, 99}));
}

TEST_F(GaugeTest, TextWiderThanTheGaugeStartsLeftOfIt) {
    Gauge.SetBounds(0, 0, 10, 20);
    Gauge.SetBorderStyle(bsNone);
    PaintOnce(Gauge);
    const auto text = Canvas.CallsOf(CanvasOp::TextOutAt, 3);
    ASSERT_EQ(text.size(), 1u);
    EXPECT_EQ(text[0].From.X, -1); // (11 - 14) div 2, truncated toward zero
    EXPECT_EQ(text[0].Clip, (TRect{0, 0, 10, 20}));
}

TEST_F(GaugeTest, HidingTheTextLeavesThePictureAsItWas) {
    Gauge.SetKind(gkPie);
    Gauge.SetProgress(40);
    const std::vector<CanvasCall> withText = PaintOnce(Gauge).CallsOf(CanvasOp::Pie, 2);
    Gauge.SetShowText(false);
    PaintOnce(Gauge);
    EXPECT_TRUE(Canvas.CallsOf(CanvasOp::TextOutAt).empty());
    EXPECT_EQ(Canvas.CallsOf(CanvasOp::CreateWorkImage).size(), 2u);
    const auto pies = Canvas.CallsOf(CanvasOp::Pie, 2);
    ASSERT_EQ(pies.size(), 1u);
    ASSERT_EQ(withText.size(), 1u);
    EXPECT_EQ(pies[0].From, withText[0].From);
    EXPECT_EQ(Canvas.CallsOf(CanvasOp::CopyImage).size(), 1u);
}

} // namespace
} // namespace setup
