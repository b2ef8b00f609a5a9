#include "ui/StdGraphics.h"
#include "ui/fake/FakeControlParent.h"
#include "ui/fake/RecordingCanvas.h"

#include <gtest/gtest.h>

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
