#include "widgets/EffectText.h"
#include "ui/fake/FakeScreen.h"
#include "ui/fake/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace setup {
namespace {

constexpr unsigned TitleFormat = DTF_LEFT | DTF_WORDBREAK | DTF_EXPANDTABS | DTF_SINGLELINE;

struct DrawnLayer {
    TRect Rect;
    TColor Color;
    bool operator==(const DrawnLayer&) const = default;
};

void PrintTo(const DrawnLayer& l, std::ostream* os) {
    *os << "(" << l.Rect.Left << "," << l.Rect.Top << "," << l.Rect.Right << "," << l.Rect.Bottom
        << " colour " << std::hex << l.Color << std::dec << ")";
}

// Fails every text output, as a lost surface would.
class FailingCanvas : public RecordingCanvas {
public:
    int DrawTextIn(const std::string&, TRect&, unsigned) override {
        throw std::runtime_error("surface lost");
    }
};

class EffectTextTest : public testing::Test {
protected:
    EffectTextTest() {
        Fx.SetLightColor(clWhite);
        Fx.SetShadowColor(clBlack);
    }

    // Draws with a red text colour and a navy brush, as a label sets them before each pass.
    std::vector<DrawnLayer> Draw(TFxDrawFlags flags, const std::string& text = "Abc",
                                 TRect box = {10, 20, 110, 60}) {
        Canvas.Calls.clear();
        Canvas.SetTextColor(clRed);
        Canvas.SetBrushColor(clNavy);
        DrawEffectText(Canvas, text, &Fx, std::nullopt, flags, TitleFormat, box);
        std::vector<DrawnLayer> layers;
        for (const CanvasCall& call : Canvas.CallsOf(CanvasOp::DrawTextIn))
            layers.push_back({call.Rect, call.TextColor});
        return layers;
    }

    // A layer at offset d from the default box, whose right edge is pulled in first.
    static DrawnLayer At(int d, int pullIn, TColor color) {
        return {{10 + d, 20 + d, 110 - pullIn + d, 60 + d}, color};
    }

    RecordingCanvas Canvas;
    TFxCaption Fx;
};

TEST_F(EffectTextTest, TitleShadowIsPulledInAndDrawnUnderTheFace) {
    Fx.SetStyle(tdShadow);
    Fx.SetShadowDepth(4);
    Fx.SetShadowColor(clBtnText);
    EXPECT_EQ(Draw(dfEnabled, "Palvorne Lumivary 2000", {0, 0, 673, 62}),
              (std::vector<DrawnLayer>{{{4, 4, 673, 66}, clBtnText}, {{0, 0, 669, 62}, clRed}}));
    for (const CanvasCall& draw : Canvas.CallsOf(CanvasOp::DrawTextIn)) {
        EXPECT_EQ(draw.Format, 0x70u);
        EXPECT_EQ(draw.BrushStyle, TBrushStyle::Clear);
    }
    EXPECT_TRUE(Canvas.CallsOf(CanvasOp::SetClipRect).empty());
}

TEST_F(EffectTextTest, EveryStyleDrawsItsLayersInOrder) {
    Fx.SetLightDepth(2);
    Fx.SetShadowDepth(3);
    const TColor face = clRed, brush = clNavy, light = clWhite, shadow = clBlack;
    const struct {
        TFxThreeDStyle Style;
        std::vector<DrawnLayer> Expected;
    } cases[] = {
        {tdNone, {At(0, 0, face)}},
        {tdSunken, {At(2, 2, light), At(0, 2, face)}},
        {tdRaised, {At(0, 2, light), At(2, 2, face)}},
        {tdSunkenShadow, {At(0, 5, shadow), At(5, 5, light), At(3, 5, face)}},
        {tdRaisedShadow, {At(5, 5, shadow), At(0, 5, light), At(2, 5, face)}},
        {tdPColorSunken, {At(0, 5, shadow), At(5, 5, light), At(3, 5, brush)}},
        {tdPColorRaised, {At(5, 5, shadow), At(0, 5, light), At(2, 5, brush)}},
        {tdShadow, {At(3, 3, shadow), At(0, 3, face)}},
        {TFxThreeDStyle(9), {At(0, 0, face)}},
    };
    for (const auto& c : cases) {
        Fx.SetStyle(c.Style);
        EXPECT_EQ(Draw(dfEnabled), c.Expected) << "style " << int(c.Style);
    }
}

TEST_F(EffectTextTest, DisabledLooks) {
    Fx.SetStyle(tdShadow);
    Fx.SetShadowDepth(3);
    Fx.SetLightDepth(2);
    const std::vector<DrawnLayer> shadowGrey{At(3, 3, clBlack), At(0, 3, clGrayText)};
    const std::vector<DrawnLayer> sunkenGrey{At(2, 2, clWhite), At(0, 2, clGrayText)};
    const struct {
        TFxDisabledStyle Style;
        TFxDrawFlags Flags;
        std::vector<DrawnLayer> Expected;
    } cases[] = {
        {dsAuto, dfDisabled, shadowGrey},
        {dsAuto, dfDisabled | dfSunkenWhenDisabled, sunkenGrey},
        {dsStandard, dfDisabled | dfSunkenWhenDisabled, shadowGrey},
        {ds3d, dfDisabled, sunkenGrey},
        {dsNone, dfDisabled, {At(3, 3, clBlack), At(0, 3, clRed)}},
    };
    for (const auto& c : cases) {
        Fx.SetDisabledStyle(c.Style);
        EXPECT_EQ(Draw(c.Flags), c.Expected) << "disabled style " << int(c.Style);
    }
    Fx.SetDisabledStyle(dsAuto);
    Fx.SetStyle(tdPColorRaised); // a background-coloured face turns grey too
    EXPECT_EQ(Draw(dfDisabled).back().Color, clGrayText);
}

TEST_F(EffectTextTest, EmptyTextOrRectangleDrawsNothingAndLongTextIsCut) {
    EXPECT_TRUE(Draw(dfEnabled | dfClip, "").empty());
    EXPECT_TRUE(Draw(dfEnabled | dfClip, "Abc", {10, 10, 10, 40}).empty());
    EXPECT_TRUE(Draw(dfEnabled | dfClip, "Abc", {10, 40, 50, 40}).empty());
    EXPECT_EQ(Canvas.Calls.size(), 2u); // only the colours set by the helper

    Draw(dfEnabled, std::string(300, 'x'));
    DrawEffectText(Canvas, std::string(300, 'x'), nullptr, std::nullopt, dfEnabled, 0,
                   {0, 0, 10, 10});
    for (const CanvasCall& draw : Canvas.CallsOf(CanvasOp::DrawTextIn))
        EXPECT_EQ(draw.Text, std::string(255, 'x'));
}

TEST_F(EffectTextTest, ClipAndCharacterExtraLastOnlyForTheDrawingEvenWhenItFails) {
    Fx.SetStyle(tdSunken);
    Fx.SetTracing(3);
    DrawEffectText(Canvas, "Abc", &Fx, TRect{1, 2, 50, 30}, dfEnabled | dfClip, 0, {0, 0, 9, 9});
    for (const CanvasCall& draw : Canvas.CallsOf(CanvasOp::DrawTextIn)) {
        EXPECT_EQ(draw.Clip, (TRect{1, 2, 50, 30}));
        EXPECT_EQ(draw.CharacterExtra, 3);
    }
    EXPECT_FALSE(Canvas.Calls.back().Clip);
    EXPECT_EQ(Canvas.Calls.back().CharacterExtra, 0);
    EXPECT_EQ(Draw(dfEnabled | dfClip).size(), 2u); // no clip given: the rectangle clips
    EXPECT_EQ(Canvas.CallsOf(CanvasOp::DrawTextIn)[0].Clip, (TRect{10, 20, 110, 60}));

    FailingCanvas failing;
    EXPECT_THROW(
        DrawEffectText(failing, "Abc", &Fx, std::nullopt, dfEnabled | dfClip, 0, {0, 0, 9, 9}),
        std::runtime_error);
    EXPECT_FALSE(failing.Calls.back().Clip);
    EXPECT_EQ(failing.Calls.back().CharacterExtra, 0);
}

TEST_F(EffectTextTest, CaptionStartsAtItsTextOriginAndTurnsWithItsAngle) {
    Fx.SetTextOrigin(5, 7);
    EXPECT_EQ(Draw(dfEnabled), (std::vector<DrawnLayer>{{{15, 27, 110, 60}, clRed}}));

    const TFontDesc font{"Arial", -41, fsBold, clRed, ANSI_CHARSET_ID};
    Canvas.SetFont(font);
    Fx.SetAngle(90);
    Fx.SetStyle(tdShadow);
    Fx.SetShadowDepth(2);
    EXPECT_TRUE(Draw(dfEnabled).empty());
    const auto fonts = Canvas.CallsOf(CanvasOp::SetFont);
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(fonts[0].Font, font);
    EXPECT_EQ(fonts[0].Escapement, 900);
    const auto outs = Canvas.CallsOf(CanvasOp::TextOutAt);
    ASSERT_EQ(outs.size(), 2u);
    EXPECT_EQ(outs[0].From, (TPoint{17, 29}));
    EXPECT_EQ(outs[0].TextColor, clBlack);
    EXPECT_EQ(outs[1].From, (TPoint{15, 27}));
    EXPECT_EQ(outs[1].TextColor, clRed);
}

class MeasureTest : public testing::Test {
protected:
    TRect Measure(const std::string& text, int bevelExtent = 0, bool showAccelChar = true,
                  bool multiLine = false, TRect rect = {0, 0, 30, 30}) {
        MeasureEffectText(Screen, text, &Fx, bevelExtent, showAccelChar, multiLine, Font, rect);
        return rect;
    }
    const CanvasCall& LastMeasuring() const { return Screen.MeasuringCalls.back(); }

    FakeScreen Screen;
    TFxCaption Fx;
    const TFontDesc Font{"Arial", -41, fsBold, clRed, ANSI_CHARSET_ID};
};

TEST_F(MeasureTest, ExtentIsTheTextPlusStylePlusFrameOnAReleasedScreenSurface) {
    EXPECT_EQ(Measure("Abc"), (TRect{0, 0, 21 + 2, 13 + 2}));
    EXPECT_EQ(LastMeasuring().Font, Font);
    EXPECT_EQ(LastMeasuring().Format, 0x440u);
    Fx.SetStyle(tdShadow);
    Fx.SetShadowDepth(4);
    EXPECT_EQ(Measure("Abc"), (TRect{0, 0, 21 + 4 + 2, 13 + 4 + 2}));
    EXPECT_EQ(Measure("Abc", 3, true, false, {5, 6, 50, 50}), (TRect{5, 6, 5 + 33, 6 + 25}));
    EXPECT_EQ(Screen.SurfacesTaken, 3);
    EXPECT_EQ(Screen.SurfacesReleased, 3);
}

TEST_F(MeasureTest, TextVariants) {
    EXPECT_EQ(Measure(""), (TRect{0, 0, 9, 15})); // one space
    EXPECT_EQ(LastMeasuring().Text, " ");
    EXPECT_EQ(Measure("&"), (TRect{0, 0, 9, 15}));
    EXPECT_EQ(LastMeasuring().Text, " ");
    Measure("&", 0, false);
    EXPECT_EQ(LastMeasuring().Text, "&");
    EXPECT_EQ(LastMeasuring().Format, 0x440u | DTF_NOPREFIX);
    EXPECT_EQ(Measure("aaa bbb", 0, true, true), (TRect{0, 0, 21 + 2, 26 + 2}));
    EXPECT_EQ(LastMeasuring().Format, 0x450u);
    EXPECT_EQ(Measure(std::string(300, 'x')).Right, 255 * 7 + 2);
    Fx.SetTracing(2);
    EXPECT_EQ(Measure("Abc"), (TRect{0, 0, 27 + 2, 13 + 2}));
}

TEST_F(MeasureTest, UnrotatedMeasuringZeroesTheTextOriginQuietly) {
    Fx.SetTextOrigin(5, 6);
    int notified = 0;
    Fx.SetOnChange([&](TFxObject&) { ++notified; });
    Measure("Abc");
    EXPECT_EQ(Fx.PosX() + Fx.PosY() + notified, 0);
}

TEST_F(MeasureTest, RotatedCaptionGetsItsBoxAndStartPoint) {
    Fx.SetAngle(90);
    int notified = 0;
    Fx.SetOnChange([&](TFxObject&) { ++notified; });
    EXPECT_EQ(Measure("Abc"), (TRect{0, 0, 12 + 2, 20 + 2}));
    EXPECT_EQ(Fx.PosX(), 0);
    EXPECT_EQ(Fx.PosY(), 20);
    EXPECT_EQ(notified, 1); // only PosY changed

    Fx.SetAngle(180);
    Fx.SetStyle(tdShadow);
    Fx.SetShadowDepth(4);
    EXPECT_EQ(Measure("Abcd"), (TRect{0, 0, 32 + 2, 16 + 2}));
    EXPECT_EQ(Fx.PosX(), 29);
    EXPECT_EQ(Fx.PosY(), 13);

    Measure(std::string(300, 'x')); // measured whole
    EXPECT_EQ(LastMeasuring().Op, CanvasOp::TextExtent);
    EXPECT_EQ(LastMeasuring().Text.size(), 300u);
}

TEST(RotatedBoundsTest, TurnsAboutTheCentreAndMovesToTheOrigin) {
    EXPECT_EQ(RotatedBounds({5, 6, 20, 30}, 0), (TRect{5, 6, 20, 30}));
    EXPECT_EQ(RotatedBounds({0, 0, 21, 13}, 90), (TRect{0, 0, 12, 20}));
    EXPECT_EQ(RotatedBounds({100, 200, 121, 213}, 90), (TRect{0, 0, 12, 20}));
    EXPECT_EQ(RotatedBounds({0, 0, 20, 20}, 45), (TRect{0, 0, 28, 28}));
    EXPECT_EQ(RotatedBounds({0, 0, 32, 17}, 180), (TRect{0, 0, 32, 16}));
    EXPECT_EQ(RotatedBounds({0, 0, 40, 10}, 270), (TRect{0, 0, 10, 40}));
}

TEST_F(MeasureTest, PlaceEffectTextAlignsTheMeasuredText) {
    const auto place = [&](TFxAlignment a, const std::string& text, TRect r, bool multi = false) {
        return PlaceEffectText(Screen, a, text, &Fx, true, multi, Font, r);
    };
    // "Abc" measures 23 x 15, "Hello world" 79 x 15.
    EXPECT_EQ(place(agCenter, "Abc", {0, 0, 100, 50}), (TRect{38, 17, 61, 32}));
    EXPECT_EQ(place(agBottomRight, "Abc", {10, 5, 110, 55}), (TRect{87, 40, 110, 55}));
    // Larger than the rectangle: negative offsets, halves truncated toward zero.
    EXPECT_EQ(place(agBottomRight, "Hello world", {10, 10, 40, 20}), (TRect{-39, 5, 40, 20}));
    EXPECT_EQ(place(agCenter, "Hello world", {10, 10, 40, 20}), (TRect{-14, 8, 65, 23}));
    // Measured one pixel narrower: 56 pixels hold "aaaa bbb" on one line, 55 do not.
    EXPECT_EQ(place(agBottomLeft, "aaaa bbb", {0, 0, 56, 100}, true), (TRect{0, 72, 30, 100}));
}

} // namespace
} // namespace setup
