#include "widgets/FxLabel.h"
#include "base/Exceptions.h"
#include "ui/fake/FakeControlParent.h"
#include "ui/fake/FakeScreen.h"
#include "ui/fake/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace setup {
namespace {

// The texts each immediate repaint drew.
std::vector<size_t> TextsPerPaint(const FakeControlParent& parent) {
    std::vector<size_t> texts;
    for (const RecordingCanvas& canvas : parent.Paints)
        texts.push_back(canvas.CallsOf(CanvasOp::DrawTextIn).size() +
                        canvas.CallsOf(CanvasOp::TextOutAt).size());
    return texts;
}

struct FakeFocusTarget : IFocusTarget {
    bool CanFocus() const override { return Focusable; }
    void SetFocus() override { ++Focused; }
    bool Focusable = true;
    int Focused = 0;
};

const TFontDesc TitleFont{"Arial", -41, fsBold, clRed, ANSI_CHARSET_ID};

class FxLabelTest : public testing::Test {
protected:
    FxLabelTest() : Label(&Parent, Screen) {}

    // Forgets what the parent and the screen saw so far.
    void Forget() {
        Parent.Invalidated.clear();
        Parent.Paints.clear();
        Screen.SurfacesTaken = 0;
    }
    int Measures() const { return Screen.SurfacesTaken; }
    std::vector<CanvasCall> Paint(CanvasOp op) {
        RecordingCanvas canvas;
        Label.Paint(canvas);
        return canvas.CallsOf(op);
    }

    FakeControlParent Parent = ButtonTextParent();
    FakeScreen Screen;
    TFxLabel Label;

private:
    static FakeControlParent ButtonTextParent() {
        FakeControlParent parent;
        parent.Font = {"MS Sans Serif", -11, 0, clBtnText, ANSI_CHARSET_ID};
        return parent;
    }
};

TEST_F(FxLabelTest, TitleIsDrawnAsAShadowUnderARedFace) {
    Label.SetAutoSize(false);
    Label.SetBounds(8, 16, 673, 62);
    Label.SetColor(clRed);
    Label.SetFont(TitleFont);
    Label.FontFx().SetStyle(tdShadow);
    Label.FontFx().SetShadowDepth(4);
    Label.FontFx().SetShadowColor(clBtnText);
    Label.SetCaption("Palvorne Lumivary 2000");
    EXPECT_FALSE(Label.ParentColor());
    EXPECT_FALSE(Label.ParentFont());
    EXPECT_TRUE(Label.Transparent());
    EXPECT_EQ(Label.BoundsRect(), (TRect{8, 16, 681, 78}));

    EXPECT_TRUE(Paint(CanvasOp::FillRect).empty());
    EXPECT_TRUE(Paint(CanvasOp::SetClipRect).empty());
    const auto draws = Paint(CanvasOp::DrawTextIn);
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].Rect, (TRect{4, 4, 673, 66}));
    EXPECT_EQ(draws[0].TextColor, clBtnText);
    EXPECT_EQ(draws[1].Rect, (TRect{0, 0, 669, 62}));
    EXPECT_EQ(draws[1].TextColor, clRed);
    EXPECT_EQ(draws[1].Format, 0x70u);
    EXPECT_EQ(draws[1].Font, TitleFont);
    EXPECT_EQ(Label.FontFx().Angle() + Label.FontFx().PosX() + Label.FontFx().PosY(), 0);
}

TEST_F(FxLabelTest, AutoSizeFitsTheTextEffectAndBevel) {
    EXPECT_EQ(Label.BoundsRect(), (TRect{0, 0, 30, 30}));
    Label.SetBounds(4, 5, 30, 30);
    Label.SetCaption("Abc");
    EXPECT_EQ(Label.BoundsRect(), (TRect{4, 5, 4 + 21 + 2, 5 + 13 + 2}));
    const auto draws = Paint(CanvasOp::DrawTextIn);
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].Rect, (TRect{0, 0, 23, 15}));
    EXPECT_EQ(draws[0].TextColor, clBtnText);
    EXPECT_EQ(draws[0].Format, unsigned(DTF_WORDBREAK | DTF_EXPANDTABS));

    Label.FontFx().SetStyle(tdShadow);
    Label.FontFx().SetShadowDepth(4);
    EXPECT_EQ(Label.Width(), 21 + 4 + 2);
    Label.Bevel().SetBorderWidth(3);
    EXPECT_EQ(Label.Height(), 13 + 4 + 8);

    Label.SetCaption("");
    EXPECT_EQ(Label.Width(), 7 + 4 + 8); // one space
    Label.SetCaption("&");
    EXPECT_EQ(Screen.MeasuringCalls.back().Text, " ");
}

TEST_F(FxLabelTest, BlankTransparentLabelDrawsNothingButOpaqueFillsItsRectangle) {
    Label.SetCaption("   ");
    EXPECT_TRUE(Paint(CanvasOp::DrawTextIn).empty());
    Label.SetCaption("");
    Label.SetColor(clNavy);
    Label.SetTransparent(false);
    EXPECT_TRUE(Label.Opaque());
    const auto fills = Paint(CanvasOp::FillRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].Rect, (TRect{0, 0, Label.Width(), Label.Height()}));
    EXPECT_EQ(fills[0].BrushColor, clNavy);
    EXPECT_TRUE(Paint(CanvasOp::DrawTextIn).empty());
}

TEST_F(FxLabelTest, MultiLineLabelIsPlacedOnlyInTheLowerRows) {
    Label.SetAutoSize(false);
    Label.SetBounds(0, 0, 56, 100);
    Label.SetMultiLine(true);
    Label.SetAlignment(agBottomRight);
    Label.SetCaption("aaaa bbb");
    Forget();
    // Measured at 55 pixels: two lines, 30 x 28 with the margin.
    auto draws = Paint(CanvasOp::DrawTextIn);
    EXPECT_EQ(Measures(), 1);
    EXPECT_EQ(draws[0].Rect, (TRect{26, 72, 56, 100}));
    EXPECT_EQ(draws[0].Format, 0xAu | DTF_WORDBREAK | DTF_EXPANDTABS);

    Label.SetAlignment(agTopRight);
    Forget();
    draws = Paint(CanvasOp::DrawTextIn);
    EXPECT_EQ(Measures(), 0);
    EXPECT_EQ(draws[0].Rect, (TRect{0, 0, 56, 100}));
    EXPECT_EQ(draws[0].Format, unsigned(DTF_RIGHT | DTF_WORDBREAK | DTF_EXPANDTABS));
}

TEST_F(FxLabelTest, DisabledLookAndPlainAmpersand) {
    Label.SetCaption("&Go");
    Label.FontFx().SetDisabledStyle(ds3d);
    Label.SetEnabled(false);
    auto draws = Paint(CanvasOp::DrawTextIn);
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[1].TextColor, clGrayText);
    EXPECT_EQ(Label.Width(), 2 * 7 + 2);
    Label.SetShowAccelChar(false);
    EXPECT_TRUE(Paint(CanvasOp::DrawTextIn)[0].Format & DTF_NOPREFIX);
    EXPECT_EQ(Label.Width(), 2 * 7 + 2); // not measured again
}

TEST_F(FxLabelTest, BevelFramesAndClipsTheText) {
    Label.SetAutoSize(false);
    Label.SetBounds(100, 50, 80, 40);
    Label.SetCaption("Abc");
    Label.Bevel().SetStyleOuter(bvRaised);
    Label.Bevel().SetBorderWidth(2);
    Label.Bevel().SetBorderColor(clRed);
    const auto draws = Paint(CanvasOp::DrawTextIn);
    EXPECT_EQ(draws[0].Rect, (TRect{3, 3, 77, 37}));
    EXPECT_EQ(draws[0].Clip, (TRect{3, 3, 77, 37}));
    const auto redBands = [&] {
        int count = 0;
        for (const CanvasCall& fill : Paint(CanvasOp::FillRect))
            count += fill.BrushColor == clRed;
        return count;
    };
    EXPECT_EQ(redBands(), 0); // a transparent label leaves the border band alone
    Label.SetTransparent(false);
    EXPECT_EQ(redBands(), 4);
}

TEST_F(FxLabelTest, AcceleratorKeyMovesTheFocus) {
    FakeFocusTarget target;
    Label.SetCaption("&Next");
    EXPECT_FALSE(Label.DialogChar('n')); // no focus control yet
    Label.SetFocusControl(&target);
    EXPECT_TRUE(Label.DialogChar('N'));
    EXPECT_FALSE(Label.DialogChar('e'));
    target.Focusable = false;
    EXPECT_FALSE(Label.DialogChar('n'));
    target.Focusable = true;
    Label.SetEnabled(false);
    EXPECT_FALSE(Label.DialogChar('n'));
    Label.SetEnabled(true);
    Label.SetShowAccelChar(false);
    EXPECT_FALSE(Label.DialogChar('n'));
    Label.SetShowAccelChar(true);
    Label.SetCaption("Next&");
    EXPECT_FALSE(Label.DialogChar('n'));
    EXPECT_EQ(target.Focused, 1);
    Label.ControlRemoved(target);
    EXPECT_EQ(Label.FocusControl(), nullptr);
}

TEST_F(FxLabelTest, ChangesRemeasureRepaintOrBoth) {
    Label.SetCaption("Abc");
    Forget();
    Label.SetShowAccelChar(false);
    EXPECT_EQ(Measures(), 0);
    EXPECT_EQ(Parent.Invalidated.size(), 1u);

    Forget();
    Label.SetAutoSize(false);
    Label.SetAutoSize(true); // same size again: nothing to repaint
    EXPECT_EQ(Measures(), 1);
    EXPECT_TRUE(Parent.Invalidated.empty());

    Forget();
    Label.SetAlignment(agCenter);
    Label.SetMultiLine(true);
    Label.SetAlignment(agCenter);
    EXPECT_EQ(Measures(), 2);
    EXPECT_EQ(Parent.Invalidated.size(), 2u);

    Forget();
    Label.SetColor(clNavy);
    Label.SetEnabled(false);
    EXPECT_EQ(Measures(), 0);
    EXPECT_EQ(Parent.Invalidated.size(), 2u);

    Forget();
    Label.SetFont(TitleFont);
    EXPECT_EQ(Measures(), 1);
    EXPECT_EQ(Label.CanvasFont(), TitleFont);
    EXPECT_EQ(Screen.MeasuringCalls.back().Font, TitleFont);
}

TEST_F(FxLabelTest, OpaqueLabelPaintsAtOnceInsteadOfInvalidating) {
    Label.SetCaption("Abc");
    Forget();
    Label.SetTransparent(false);
    Label.SetShowAccelChar(false);
    EXPECT_TRUE(Parent.Invalidated.empty());
    EXPECT_EQ(TextsPerPaint(Parent), (std::vector<size_t>{1, 1}));

    Forget();
    Label.SetState(csDesigning, true);
    Label.SetShowAccelChar(true);
    EXPECT_TRUE(Parent.Paints.empty());
    EXPECT_EQ(Parent.Invalidated.size(), 1u);
}

TEST_F(FxLabelTest, RotationKeepsATrueTypeFace) {
    Label.SetFont(TitleFont);
    Label.FontFx().SetAngle(90);
    EXPECT_EQ(Label.FontFx().Angle(), 90);

    TFontDesc raster = TitleFont;
    raster.Name = "MS Sans Serif";
    Label.SetFont(raster);
    EXPECT_EQ(Label.FontFx().Angle(), 0);
    EXPECT_EQ(Label.Font().Name, "MS Sans Serif");

    Label.FontFx().SetAngle(45);
    EXPECT_EQ(Label.FontFx().Angle(), 45);
    EXPECT_EQ(Label.Font().Name, "Arial");
    EXPECT_EQ(Label.CanvasFont().Name, "Arial");

    // Without any TrueType face the angle cannot stay, not even on a second try.
    Screen.TrueTypeFaces.clear();
    Label.FontFx().SetAngle(30);
    EXPECT_EQ(Label.FontFx().Angle(), 0);
    Label.FontFx().SetAngle(30);
    EXPECT_EQ(Label.FontFx().Angle(), 0);
}

TEST_F(FxLabelTest, RotatedLabelFollowsItsTextOnlyWhenMeasured) {
    Label.SetFont(TitleFont);
    Label.SetCaption("Abc");
    Label.FontFx().SetAngle(90);
    EXPECT_EQ(Label.BoundsRect(), (TRect{0, 0, 14, 22}));
    EXPECT_EQ(Label.FontFx().PosY(), 20);

    Label.SetAutoSize(false); // top-left, not auto-sized: the caller's origin stays
    Label.FontFx().SetPosY(3);
    const auto outs = Paint(CanvasOp::TextOutAt);
    ASSERT_EQ(outs.size(), 1u);
    EXPECT_EQ(outs[0].From, (TPoint{0, 3}));
    EXPECT_EQ(outs[0].Escapement, 900);
}

TEST_F(FxLabelTest, NestedPaintDoesNothingAndTheFlagSurvivesFailure) {
    // A centred rotated opaque label measures while painting; the text origin it moves makes
    // the label ask for a repaint while the paint still runs.
    Label.SetFont(TitleFont);
    Label.SetAutoSize(false);
    Label.SetCaption("Abc");
    Label.SetTransparent(false);
    Label.SetAlignment(agCenter);
    Label.FontFx().SetAngle(90);
    Label.FontFx().SetTextOrigin(0, 0);
    Forget();
    EXPECT_EQ(Paint(CanvasOp::TextOutAt).size(), 1u);
    EXPECT_EQ(TextsPerPaint(Parent), (std::vector<size_t>{0}));
    EXPECT_FALSE(Label.Painting());

    struct FailingCanvas : RecordingCanvas {
        void TextOutAt(int, int, const std::string&) override { throw std::runtime_error("lost"); }
    } failing;
    EXPECT_THROW(Label.Paint(failing), std::runtime_error);
    EXPECT_FALSE(Label.Painting());
    EXPECT_EQ(Paint(CanvasOp::TextOutAt).size(), 1u);
}

TEST_F(FxLabelTest, LoadingAndReadingStates) {
    Label.SetState(csLoading, true);
    Label.SetState(csReading, true);
    Label.SetFont(TitleFont);
    Label.SetCaption("Abc");
    Label.SetBounds(1, 1, 40, 40); // no bounds notification while loading
    EXPECT_EQ(Measures(), 0);
    EXPECT_NE(Label.CanvasFont(), TitleFont);
    EXPECT_TRUE(Paint(CanvasOp::DrawTextIn).empty());

    Label.SetState(csReading, false);
    Label.SetState(csLoading, false);
    Label.AfterLoad();
    EXPECT_EQ(Label.CanvasFont(), TitleFont);
    EXPECT_EQ(Label.BoundsRect(), (TRect{1, 1, 24, 16}));
    EXPECT_EQ(Paint(CanvasOp::DrawTextIn).size(), 1u);
}

TEST_F(FxLabelTest, BoundsChangesAreReportedByKind) {
    std::vector<int> kinds;
    Label.OnBoundsChange = [&](TFxBaseControl&, int kind) { kinds.push_back(kind); };
    Label.SetBounds(5, 0, 30, 30);
    Label.SetBounds(5, 0, 40, 30);
    Label.SetBounds(1, 1, 1, 1);
    Label.SetBounds(1, 1, 1, 1);
    EXPECT_EQ(kinds, (std::vector<int>{bcMoved, bcResized, bcMoved | bcResized}));
}

TEST_F(FxLabelTest, AssigningLookObjectsByClass) {
    Label.SetCaption("Abc");
    TFxCaption shadow;
    shadow.SetStyle(tdShadow);
    shadow.SetShadowDepth(4);
    Label.SetFontFx(shadow);
    TFxBevel frame;
    frame.SetBorderWidth(1);
    Label.SetBevel(frame);
    EXPECT_EQ(Label.Width(), 21 + 4 + 4);
    EXPECT_THROW(Label.SetFontFx(frame), EInvalidOperation);
    EXPECT_THROW(Label.SetBevel(shadow), EInvalidOperation);
    EXPECT_EQ(Label.FontFx().Style(), tdShadow);
    EXPECT_EQ(Label.Bevel().BevelExtent(), 1);
}

} // namespace
} // namespace setup
