#include "ui/StdGraphics.h"
#include "ui/TextFit.h"
#include "ui/fake/FakeControlParent.h"
#include "ui/fake/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <vector>

using namespace setup;

namespace {

class LabelTest : public ::testing::Test {
protected:
    LabelTest() {
        Label.SetBounds(34, 32, 0, 0);
        Label.AutoSize = true;
    }
    FakeControlParent Parent;
    TLabel Label{&Parent};
};

TEST_F(LabelTest, AutoSizeFitsTheTextOnceForEachChange) {
    Label.SetCaption("C:\\Dest"); // 7 characters of 7 pixels, one line of 13
    RecordingCanvas canvas;
    Label.AdjustBounds(canvas);
    EXPECT_EQ(Label.BoundsRect(), (TRect{34, 32, 34 + 49, 32 + 13}));
    const size_t measures = canvas.CallsOf(CanvasOp::DrawTextIn).size();

    Label.AdjustBounds(canvas); // nothing changed: no new measuring
    EXPECT_EQ(canvas.CallsOf(CanvasOp::DrawTextIn).size(), measures);

    Parent.Invalidated.clear();
    Label.SetCaption("Update your system");
    Label.AdjustBounds(canvas);
    EXPECT_EQ(Label.Width(), 18 * 7);
    // The old and the new area are both repainted.
    EXPECT_FALSE(Parent.Invalidated.empty());
    EXPECT_EQ(Parent.Invalidated.back(), (TRect{34, 32, 34 + 126, 32 + 13}));
}

TEST_F(LabelTest, EmptyCaptionKeepsTheHeightOfOneLine) {
    RecordingCanvas canvas;
    Label.AdjustBounds(canvas);
    EXPECT_EQ(Label.Height(), 13);
}

TEST_F(LabelTest, OnlyAnOpaqueLabelPaintsItsBackground) {
    Label.SetCaption("Path:");
    Label.Transparent = true;
    RecordingCanvas transparent;
    Label.Paint(transparent);
    EXPECT_TRUE(transparent.CallsOf(CanvasOp::FillRect).empty());
    ASSERT_EQ(transparent.CallsOf(CanvasOp::DrawTextIn).size(), 1u);
    EXPECT_EQ(transparent.CallsOf(CanvasOp::DrawTextIn)[0].Text, "Path:");

    Label.Transparent = false;
    RecordingCanvas opaque;
    Label.Paint(opaque);
    ASSERT_EQ(opaque.CallsOf(CanvasOp::FillRect).size(), 1u);
    EXPECT_EQ(opaque.CallsOf(CanvasOp::FillRect)[0].BrushColor, Parent.Color);
}

// The face a label's text fits in is measured once, and again when its caption, bounds or font
// (at a scale: its height in pixels) change.
TEST_F(LabelTest, TheFittingFaceIsFoundOnceForEachChange) {
    Label.AutoSize = false;
    Label.SetCaption("Path:");
    const auto measuredOnPaint = [&] {
        RecordingCanvas canvas;
        Label.Paint(canvas);
        return !canvas.CallsOf(CanvasOp::TextSizeAt).empty();
    };
    EXPECT_TRUE(measuredOnPaint());
    const std::pair<std::string, std::function<void()>> changes[] = {
        {"nothing", [] {}},
        {"caption", [&] { Label.SetCaption("Folder:"); }},
        {"bounds", [&] { Label.SetBounds(34, 32, 20, 13); }},
        {"font",
         [&] {
             Label.SetFont({"Arial", -13});
         }},
    };
    for (const auto& [name, change] : changes) {
        change();
        EXPECT_EQ(measuredOnPaint(), name != "nothing") << name;
        EXPECT_FALSE(measuredOnPaint()) << name << ", painted again";
    }
}

// A text ten pixels wide for every pixel of font height, on one line as high as the font.
TEST(TextFit, TheLargestHeightThatFitsDownToThreeQuartersRoundedTowardTheLargerFace) {
    const struct {
        int Height;
        int Width;
        int Expected;
        std::vector<int> Measured;
    } rows[] = {
        {-11, 110, -11, {-11}}, // fits in its own height: nothing else is measured
        {-11, 100, -10, {-11, -10}},
        {-11, 90, -9, {-11, -10, -9}},
        {-11, 80, -11, {-11, -10, -9}},        // 8.25 is rounded to 9
        {-14, 110, -11, {-14, -13, -12, -11}}, // 120 dpi: 10.5 is rounded to 11
        {-14, 100, -14, {-14, -13, -12, -11}},
        {-17, 130, -13, {-17, -16, -15, -14, -13}}, // 144 dpi: 12.75 is rounded to 13
        {-17, 120, -17, {-17, -16, -15, -14, -13}},
        {-4, 0, -4, {-4, -3}}, // small heights stop too
        {-1, 0, -1, {-1}},
        {0, 0, 0, {0}},
        {16, 110, 16, {16, 15, 14, 13, 12}}, // a cell height steps down to its floor
    };
    for (const auto& row : rows) {
        std::vector<int> measured;
        const int fitted = FittingHeight(row.Height, {row.Width, 100}, [&](int height) {
            measured.push_back(height);
            return TPoint{std::abs(height) * 10, std::abs(height)};
        });
        EXPECT_EQ(fitted, row.Expected) << row.Height << " in " << row.Width;
        EXPECT_EQ(measured, row.Measured) << row.Height << " in " << row.Width;
    }
}

TEST(Label, OwnFontWinsOverTheParents) {
    FakeControlParent parent;
    TLabel label(&parent);
    EXPECT_EQ(label.Font(), parent.Font);
    TFontDesc bold = parent.Font;
    bold.Style = fsBold;
    label.SetFont(bold);
    EXPECT_EQ(label.Font(), bold);
}

} // namespace
