#include "base/Exceptions.h"
#include "ui/fake/RecordingCanvas.h"
#include "widgets/FxBevel.h"
#include "widgets/FxCaption.h"

#include <gtest/gtest.h>

#include <functional>

namespace setup {
namespace {

// Counts the notifications an object sends about itself.
struct Listener {
    explicit Listener(TFxObject& object) {
        object.SetOnChange([this, &object](TFxObject& sender) {
            ++Count;
            EXPECT_EQ(&sender, &object);
        });
    }
    int Count = 0;
};

TEST(FxCaptionTest, SettersNotifyOnRealChangesUnlessLocked) {
    TFxCaption fx;
    Listener listener(fx);
    fx.SetShadowDepth(1); // the stored values
    fx.SetStyle(tdNone);
    EXPECT_EQ(listener.Count, 0);
    fx.SetShadowDepth(4);
    fx.SetPosX(3);
    EXPECT_EQ(listener.Count, 2);
    fx.LockChange();
    fx.SetTracing(2);
    fx.UnlockChange(false);
    EXPECT_EQ(listener.Count, 2);
    EXPECT_EQ(fx.Tracing(), 2);
    fx.LockChange();
    fx.UnlockChange(true);
    EXPECT_EQ(listener.Count, 3);
}

TEST(FxCaptionTest, TextOriginIsSetQuietlyAndKeepsTheCallersLock) {
    TFxCaption fx;
    Listener listener(fx);
    fx.SetTextOrigin(12, 34);
    EXPECT_EQ(fx.PosX(), 12);
    EXPECT_EQ(fx.PosY(), 34);
    EXPECT_FALSE(fx.Locked());
    fx.LockChange();
    fx.SetTextOrigin(1, 2);
    fx.SetStyle(tdSunken);
    EXPECT_TRUE(fx.Locked());
    EXPECT_EQ(listener.Count, 0);
}

TEST(FxCaptionTest, AngleOf360StoresZeroAndOutOfRangeIsRefused) {
    TFxCaption fx;
    fx.SetAngle(90);
    fx.SetAngle(360);
    EXPECT_EQ(fx.Angle(), 0);
    EXPECT_THROW(fx.SetAngle(361), EInvalidOperation);
    EXPECT_THROW(fx.SetAngle(-1), EInvalidOperation);
    EXPECT_EQ(fx.Angle(), 0);
}

TEST(FxCaptionTest, AssignCopiesByClassAndNotifiesOnce) {
    TFxCaption source;
    source.SetStyle(tdRaisedShadow);
    source.SetDisabledStyle(ds3d);
    source.SetShadowColor(clNavy);
    source.SetTracing(-1);
    source.SetAngle(45);
    source.SetTextOrigin(7, 8);

    TFxCaption whole;
    Listener wholeListener(whole);
    whole.Assign(source);
    EXPECT_EQ(wholeListener.Count, 1);
    EXPECT_EQ(whole.Style(), tdRaisedShadow);
    EXPECT_EQ(whole.Tracing(), -1);
    EXPECT_EQ(whole.Angle(), 45);
    EXPECT_EQ(whole.PosY(), 8);

    // Between the two classes only the seven effect values travel.
    TFx3DCaption effect;
    effect.Assign(source);
    EXPECT_EQ(effect.ShadowColor(), clNavy);
    TFxCaption fromEffect;
    fromEffect.SetAngle(30);
    Listener listener(fromEffect);
    fromEffect.Assign(effect);
    EXPECT_EQ(listener.Count, 1);
    EXPECT_EQ(fromEffect.DisabledStyle(), ds3d);
    EXPECT_EQ(fromEffect.Angle(), 30);
}

TEST(FxBevelTest, ExtentOfEveryMode) {
    const struct {
        std::function<void(TFxBevel&)> Configure;
        int Extent;
    } cases[] = {
        {[](TFxBevel&) {}, 0},
        {[](TFxBevel& b) { b.SetBorderWidth(3), b.SetBorderInnerWidth(2); }, 5},
        {[](TFxBevel& b) { b.SetStyleOuter(bvRaised), b.SetWidthOuter(4); }, 4},
        {[](TFxBevel& b) { b.SetStyleInner(bvNormal), b.SetWidthInner(2); }, 2},
        // A frame style takes one pixel more.
        {[](TFxBevel& b) { b.SetStyleOuter(bvFrameRaised), b.SetStyleInner(bvFrameLowered); }, 4},
        // Shadow: half the outer width + the inner width + 1 + the inner border.
        {[](TFxBevel& b) { b.SetStyleInner(bvShadow), b.SetWidthOuter(5), b.SetBorderWidth(9); },
         2 + 1 + 1},
        {[](TFxBevel& b) { b.SetMode(bmStandard), b.SetStandardStyle(lsNone); }, 0},
        {[](TFxBevel& b) { b.SetMode(bmStandard), b.SetStandardStyle(lsSingleRaised); }, 1},
        {[](TFxBevel& b) { b.SetMode(bmStandard), b.SetStandardStyle(lsWindowBorder); }, 2},
        {[](TFxBevel& b) { b.SetMode(bmStandard), b.SetBorderInnerWidth(3); }, 1 + 3},
        {[](TFxBevel& b) { b.SetMode(bmEdge), b.SetBorderSides(fsLeft); }, 2},
        {[](TFxBevel& b) { b.SetMode(bmEdge), b.SetBorderSides(0), b.SetBorderInnerWidth(1); }, 1},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        TFxBevel bevel;
        cases[i].Configure(bevel);
        EXPECT_EQ(bevel.BevelExtent(), cases[i].Extent) << "case " << i;
    }
}

TEST(FxBevelTest, ShadowStyleCouplesBothStyles) {
    TFxBevel bevel;
    Listener listener(bevel);
    bevel.SetStyleOuter(bvRaised);
    bevel.SetStyleInner(bvShadow);
    EXPECT_EQ(bevel.StyleOuter(), bvShadow);
    bevel.SetStyleOuter(bvLowered);
    EXPECT_EQ(bevel.StyleInner(), bvNone);
    bevel.SetStyleOuter(bvShadow);
    bevel.SetStyleInner(bvRaised);
    EXPECT_EQ(bevel.StyleOuter(), bvNone);
    EXPECT_EQ(listener.Count, 5);
}

TEST(FxBevelTest, StandardStyleNotifiesOnlyInStandardModeButAlwaysCounts) {
    TFxBevel bevel;
    int seenExtent = -1;
    bevel.SetOnChange([&](TFxObject&) { seenExtent = bevel.BevelExtent(); });
    bevel.SetStandardStyle(lsRaised);
    EXPECT_EQ(seenExtent, -1);
    bevel.SetMode(bmStandard);
    EXPECT_EQ(seenExtent, 2);
    bevel.SetStandardStyle(lsSingle);
    EXPECT_EQ(seenExtent, 1);
}

TEST(FxBevelTest, AssignCopiesEverythingAndNotifiesOnce) {
    TFxBevel source;
    source.SetMode(bmEdge);
    source.SetEdgeStyle(etBump);
    source.SetBorderSides(fsTop);
    source.SetBorderInnerWidth(4);
    source.SetLightColor(clRed);
    TFxBevel copy;
    Listener listener(copy);
    copy.Assign(source);
    EXPECT_EQ(listener.Count, 1);
    EXPECT_EQ(copy.BevelExtent(), 6);
    EXPECT_EQ(copy.EdgeStyle(), etBump);
    EXPECT_EQ(copy.BorderSides(), fsTop);
    EXPECT_EQ(copy.LightColor(), clRed);
}

TEST(FxBevelTest, WidthsOutOfRangeAreRefused) {
    TFxBevel bevel;
    EXPECT_THROW(bevel.SetWidthInner(51), EInvalidOperation);
    EXPECT_THROW(bevel.SetBorderInnerWidth(-1), EInvalidOperation);
    bevel.SetBorderWidth(255);
    EXPECT_THROW(bevel.SetBorderWidth(256), EInvalidOperation);
    EXPECT_EQ(bevel.BorderWidth(), 255);
}

// Whatever the configuration, the bevel paints only its frame and leaves inside it exactly
// the rectangle less the extent on every side.
TEST(FxBevelTest, DrawTakesExactlyTheExtentFromEachSide) {
    const TRect outer{5, 7, 105, 87};
    for (int mode = bmCustom; mode <= bmEdge; ++mode)
        for (int style = bvNone; style <= bvShadow; ++style)
            for (int standard = lsNone; standard <= lsDoubleLowered; ++standard) {
                TFxBevel bevel;
                bevel.SetMode(TFxBevelMode(mode));
                bevel.SetStyleOuter(TFxBevelStyle(style));
                bevel.SetStyleInner(style == bvShadow ? bvShadow : bvFrameRaised);
                bevel.SetWidthOuter(3);
                bevel.SetWidthInner(2);
                bevel.SetBorderWidth(1);
                bevel.SetBorderInnerWidth(2);
                bevel.SetStandardStyle(TFxBorderStyle(standard));
                bevel.SetEdgeStyle(TFxEdgeStyle(standard % 8));
                bevel.SetBorderSides(standard % 2 ? fsLeft | fsBottom : fsTop | fsRight);
                const int e = bevel.BevelExtent();
                RecordingCanvas canvas;
                const TRect inner = bevel.Draw(canvas, outer, true);
                const std::string which = std::to_string(mode) + "/" + std::to_string(style) + "/" +
                                          std::to_string(standard);
                ASSERT_EQ(inner,
                          (TRect{outer.Left + e, outer.Top + e, outer.Right - e, outer.Bottom - e}))
                    << which;
                for (const CanvasCall& fill : canvas.CallsOf(CanvasOp::FillRect)) {
                    const TRect& r = fill.Rect;
                    ASSERT_TRUE(r.Left >= outer.Left && r.Top >= outer.Top &&
                                r.Right <= outer.Right && r.Bottom <= outer.Bottom)
                        << which;
                    ASSERT_FALSE(r.Left < inner.Right && r.Right > inner.Left &&
                                 r.Top < inner.Bottom && r.Bottom > inner.Top)
                        << which;
                }
            }
}

} // namespace
} // namespace setup
