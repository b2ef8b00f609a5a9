// The installer's title drawn through GDI, checked pixel by pixel.
#include <windows.h>

#include "tests/win32/DibSurface.h"
#include "ui/win32/GdiCanvas.h"
#include "ui/win32/Win32Screen.h"
#include "widgets/EffectText.h"
#include "widgets/FxLabel.h"

#include <gtest/gtest.h>

#include <functional>

namespace setup {
namespace {

// Calls visit for every pixel of surface, row by row.
void ForEachPixel(const TDibSurface& surface,
                  const std::function<void(int x, int y, TColor c)>& visit) {
    for (int y = 0; y < surface.Height(); ++y)
        for (int x = 0; x < surface.Width(); ++x)
            visit(x, y, surface.At(x, y));
}

// The backdrop, reduced to what the label asks of it.
struct Backdrop : IControlParent {
    bool HasWindow() const override { return false; }
    void InvalidateRect(const TRect&) override {}
    void PaintControlNow(TGraphicControl&) override {}
    TColor ParentColor() const override { return clBlack; }
    TFontDesc ParentFont() const override { return {"MS Sans Serif", -11, 0, clWindowText, 1}; }
};

constexpr int LabelLeft = 8, LabelTop = 16, LabelWidth = 673, LabelHeight = 62;

class FxLabelPixelTest : public testing::Test {
protected:
    FxLabelPixelTest() : Surface(720, 100, clWhite), Title(&Parent, Screen) {
        // Configured as the backdrop's title.
        Title.SetAutoSize(false);
        Title.SetBounds(LabelLeft, LabelTop, LabelWidth, LabelHeight);
        Title.SetColor(clRed);
        Title.SetFont({"Arial", -41, fsBold, clRed, ANSI_CHARSET_ID});
        Title.FontFx().SetStyle(tdShadow);
        Title.FontFx().SetShadowDepth(4);
        Title.FontFx().SetShadowColor(clBtnText);
        Shadow = TColor(GetSysColor(COLOR_BTNTEXT));
    }

    // Paints the title as the window does: origin at the label, clipped to it.
    void PaintTitle(const std::string& caption) {
        Title.SetCaption(caption);
        {
            GdiCanvas canvas(Surface.Handle());
            canvas.SetOriginAndClip(Title.BoundsRect());
            Title.Paint(canvas);
        }
    }

    TDibSurface Surface;
    Backdrop Parent;
    TWin32Screen Screen;
    TFxLabel Title;
    TColor Shadow = clBlack;
};

TEST_F(FxLabelPixelTest, TitleIsARedFaceOverAShadowFourPixelsDownRight) {
    ASSERT_NE(Shadow, clWhite);
    PaintTitle("Palvorne Lumivary 2000");
    int faces = 0, shadows = 0;
    ForEachPixel(Surface, [&](int x, int y, TColor c) {
        if (c == clWhite)
            return;
        // Only the two layers' colours, only inside the label, the face within its rectangle.
        ASSERT_TRUE(c == clRed || c == Shadow) << x << "," << y << " " << std::hex << c;
        ASSERT_TRUE(x >= LabelLeft && x < LabelLeft + LabelWidth) << x;
        ASSERT_TRUE(y >= LabelTop && y < LabelTop + LabelHeight) << y;
        if (c == clRed) {
            ++faces;
            ASSERT_LT(x, LabelLeft + LabelWidth - 4);
            // Under each face pixel lies a shadow pixel (or more face), four pixels down right.
            if (x + 4 < LabelLeft + LabelWidth && y + 4 < LabelTop + LabelHeight) {
                const TColor below = Surface.At(x + 4, y + 4);
                ASSERT_TRUE(below == Shadow || below == clRed) << x << "," << y;
            }
        } else {
            ++shadows;
            // Each visible shadow pixel is cast by a face pixel.
            ASSERT_EQ(Surface.At(x - 4, y - 4), clRed) << x << "," << y;
        }
    });
    EXPECT_GT(faces, 2000);
    EXPECT_GT(shadows, 500);
}

TEST_F(FxLabelPixelTest, LongCaptionIsCutAtTheEdgeOfEachLayer) {
    PaintTitle("Palvorne Lumivary 2000 HHHHHHHHHHHHHHHHHHHH");
    const int faceEnd = LabelLeft + LabelWidth - 4; // 669 in the label
    int faceNearEnd = 0, shadowPastFace = 0;
    ForEachPixel(Surface, [&](int x, int, TColor c) {
        ASSERT_TRUE(c == clWhite || x < LabelLeft + LabelWidth) << x;
        if (c == clRed) {
            ASSERT_LT(x, faceEnd);
            faceNearEnd += x >= faceEnd - 4;
        }
        if (c == Shadow && x >= faceEnd)
            ++shadowPastFace;
    });
    EXPECT_GT(faceNearEnd, 0);
    EXPECT_GT(shadowPastFace, 0);
}

TEST(Win32ScreenTest, TellsTrueTypeFacesAndMeasures) {
    TWin32Screen screen;
    EXPECT_TRUE(IsTrueTypeFace(screen, "Arial"));
    EXPECT_FALSE(IsTrueTypeFace(screen, "MS Sans Serif"));

    TFxCaption plain;
    TRect r{0, 0, 1000, 100};
    MeasureEffectText(screen, "Palvorne", &plain, 0, true, false,
                      {"Arial", -41, fsBold, clRed, ANSI_CHARSET_ID}, r);
    EXPECT_GT(r.Right, 100);
    EXPECT_GE(r.Bottom, 41 + 2);
    EXPECT_LT(r.Bottom, 80);
}

} // namespace
} // namespace setup
