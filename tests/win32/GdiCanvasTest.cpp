#include "ui/win32/GdiCanvas.h"
#include "base/Exceptions.h"
#include "tests/win32/DibSurface.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

namespace setup {
namespace {

constexpr TColor Key = RGBColor(255, 0, 255);

// A 32-bit bitmap of the given pixels, row 0 at the top.
std::unique_ptr<GdiBitmap> MakeBitmap(int width, int height, const std::vector<TColor>& pixels) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    TBitmapHandle bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    auto* out = static_cast<uint32_t*>(bits);
    for (size_t i = 0; i < pixels.size(); ++i)
        out[i] = (RedOf(pixels[i]) << 16) | (GreenOf(pixels[i]) << 8) | BlueOf(pixels[i]);
    return std::make_unique<GdiBitmap>(std::move(bitmap));
}

TEST(GdiCanvas, OriginAndClipConfineAControlToItsBounds) {
    TDibSurface s(40, 30, clWhite);
    {
        GdiCanvas canvas(s.Handle());
        canvas.SetOriginAndClip({10, 5, 30, 25});
        EXPECT_EQ(canvas.Width(), 20);
        canvas.SetBrushColor(clBlack);
        canvas.FillRect({-5, -5, 100, 100});
        canvas.SetClipRect(TRect{15, 0, 100, 100}); // meets the bounds at x = 25
        canvas.SetBrushColor(clRed);
        canvas.FillRect({0, 0, 100, 100});
        canvas.SetClipRect(std::nullopt); // back to the bounds, not the whole surface
        canvas.SetBrushColor(clNavy);
        canvas.FillRect({-5, 19, 100, 100});
    }
    EXPECT_EQ(s.At(9, 5), clWhite);
    EXPECT_EQ(s.At(10, 4), clWhite);
    EXPECT_EQ(s.At(10, 5), clBlack);
    EXPECT_EQ(s.At(24, 5), clBlack);
    EXPECT_EQ(s.At(25, 5), clRed);
    EXPECT_EQ(s.At(29, 23), clRed);
    EXPECT_EQ(s.At(30, 5), clWhite);
    EXPECT_EQ(s.At(10, 24), clNavy);
    EXPECT_EQ(s.At(9, 24), clWhite);
    EXPECT_EQ(s.At(10, 25), clWhite);
}

TEST(GdiCanvas, GivesTheLentDCBackAsItWas) {
    TDibSurface s(20, 20, clWhite);
    HDC dc = s.Handle();
    const HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
    const HGDIOBJ brush = GetCurrentObject(dc, OBJ_BRUSH);
    const COLORREF text = GetTextColor(dc);
    {
        GdiCanvas canvas(dc);
        canvas.SetOriginAndClip({2, 2, 10, 10});
        canvas.SetFont({"MS Sans Serif", -11, fsBold, clBlack, 1});
        canvas.SetTextColor(clRed);
        canvas.SetBrushColor(clNavy);
        canvas.FillRect({0, 0, 5, 5});
        canvas.TextOutAt(0, 0, "x");
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
    EXPECT_EQ(GetTextColor(dc), text);
    POINT origin{};
    GetViewportOrgEx(dc, &origin);
    EXPECT_EQ(origin.x, 0);
    TRegionHandle clip(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetClipRgn(dc, clip.Get()), 0);
}

TEST(GdiCanvas, SystemColoursAreResolvedWhenDrawing) {
    TDibSurface s(4, 4, clWhite);
    GdiCanvas canvas(s.Handle());
    canvas.SetBrushColor(clBtnShadow);
    canvas.FillRect({0, 0, 4, 4});
    EXPECT_EQ(s.At(1, 1), static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW)));
    canvas.SetBrushStyle(TBrushStyle::Clear);
    canvas.SetBrushColor(clRed);
    canvas.FillRect({0, 0, 4, 4});
    EXPECT_EQ(s.At(1, 1), static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW)));
}

TEST(GdiCanvas, WorkImagesStartBlackAndCombineByExclusiveOr) {
    TDibSurface s(6, 2, clWhite);
    GdiCanvas canvas(s.Handle());
    auto image = canvas.CreateWorkImage(4, 2);
    auto other = canvas.CreateWorkImage(4, 2);
    image->SetBrushColor(clNavy);
    image->FillRect({0, 0, 2, 2});
    other->SetBrushColor(clWhite);
    other->FillRect({1, 0, 4, 2});
    image->XorFrom(*other);
    canvas.CopyImage(1, 0, *image);
    EXPECT_EQ(s.At(0, 0), clWhite); // outside the copy
    EXPECT_EQ(s.At(1, 0), clNavy);
    EXPECT_EQ(s.At(2, 0), RGBColor(255, 255, 127));
    EXPECT_EQ(s.At(3, 0), clWhite);
    EXPECT_EQ(s.At(4, 1), clWhite);
    EXPECT_EQ(s.At(5, 1), clWhite);
    auto fresh = canvas.CreateWorkImage(6, 2);
    canvas.CopyImage(0, 0, *fresh);
    EXPECT_EQ(s.At(5, 1), clBlack);
}

TEST(GdiCanvas, TransparentDrawSkipsTheBottomLeftColour) {
    // Bottom-left pixel is the key colour.
    const auto bitmap = MakeBitmap(3, 2, {clRed, Key, clNavy, Key, clBlack, Key});
    EXPECT_EQ(bitmap->TransparentColor(), Key);
    TDibSurface s(5, 4, clWhite);
    GdiCanvas canvas(s.Handle());
    canvas.Draw(1, 1, *bitmap, true);
    EXPECT_EQ(s.At(1, 1), clRed);
    EXPECT_EQ(s.At(2, 1), clWhite);
    EXPECT_EQ(s.At(3, 1), clNavy);
    EXPECT_EQ(s.At(1, 2), clWhite);
    EXPECT_EQ(s.At(2, 2), clBlack);
    EXPECT_EQ(s.At(3, 2), clWhite);
    canvas.Draw(1, 1, *bitmap, false);
    EXPECT_EQ(s.At(2, 1), Key);
}

TEST(GdiCanvas, StretchedAndClonedBitmapsKeepTheirPixels) {
    const auto bitmap = MakeBitmap(2, 2, {clRed, clNavy, clBlack, clWhite});
    const std::unique_ptr<IBitmap> copy = bitmap->Clone();
    ASSERT_EQ(copy->Width(), 2);
    TDibSurface s(6, 4, clBtnFace);
    GdiCanvas canvas(s.Handle());
    canvas.StretchDraw({0, 0, 4, 4}, *copy);
    EXPECT_EQ(s.At(0, 0), clRed);
    EXPECT_EQ(s.At(1, 1), clRed);
    EXPECT_EQ(s.At(3, 0), clNavy);
    EXPECT_EQ(s.At(0, 3), clBlack);
    EXPECT_EQ(s.At(3, 3), clWhite);
    EXPECT_EQ(copy->TransparentColor(), clBlack);
}

TEST(GdiCanvas, MissingBitmapResourceIsReportedByName) {
    try {
        GdiBitmap::FromResource("NOSUCHBITMAP");
        ADD_FAILURE() << "no exception";
    } catch (const EResNotFound& error) {
        EXPECT_EQ(error.Message(), "Resource NOSUCHBITMAP not found");
    }
}

TEST(GdiCanvas, FontAndMeasuresFollowTheSelectedFont) {
    TDibSurface s(4, 4, clWhite);
    GdiCanvas canvas(s.Handle());
    canvas.SetTextColor(clRed);
    canvas.SetFont({"MS Sans Serif", -11, fsBold | fsItalic, clBlack, 1});
    const TFontDesc font = canvas.Font();
    EXPECT_EQ(font.Name, "MS Sans Serif");
    EXPECT_EQ(font.Height, -11);
    EXPECT_EQ(font.Style, fsBold | fsItalic);
    EXPECT_EQ(font.Color, clRed);
    // The default set is asked for as the code page's: ANSI_CHARSET under 1252, the same face.
    EXPECT_NE(font.Charset, DEFAULT_CHARSET);
    if (GetACP() == 1252) {
        EXPECT_EQ(font.Charset, ANSI_CHARSET);
    }
    const TPoint extent = canvas.TextExtent("Copying");
    EXPECT_EQ(extent.Y, canvas.TextHeight());
    TRect box{3, 4, 3, 4};
    EXPECT_EQ(canvas.DrawTextIn("&Copying", box, DTF_CALCRECT | DTF_SINGLELINE), extent.Y);
    EXPECT_EQ(box, (TRect{3, 4, 3 + extent.X, 4 + extent.Y}));
    canvas.SetTextCharacterExtra(2);
    EXPECT_EQ(canvas.TextExtent("Copying").X, extent.X + 7 * 2);
}

} // namespace
} // namespace setup

namespace setup {
namespace {

// At 120 dpi (a unit is 1.25 pixels): rectangles by their edges, frames one pixel wide just
// inside their scaled boxes, an etched frame without a gap, pictures at their scaled size,
// measures rounded up and fonts back in units.
TEST(GdiCanvas, AScaleGrowsEverythingButFramesAndRoundsMeasuresUp) {
    TDibSurface s(40, 30, clWhite);
    GdiCanvas canvas(s.Handle(), TScale(120));
    canvas.SetBrushColor(clNavy);
    canvas.FillRect({2, 2, 10, 6}); // pixels 3 to 12 across, 3 to 7 down
    EXPECT_EQ(s.At(2, 3), clWhite);
    EXPECT_EQ(s.At(3, 3), clNavy);
    EXPECT_EQ(s.At(12, 7), clNavy);
    EXPECT_EQ(s.At(13, 7), clWhite);
    EXPECT_EQ(s.At(12, 8), clWhite);
    canvas.FillRect({10, 2, 12, 6}); // its neighbour starts where it ended
    EXPECT_EQ(s.At(13, 3), clNavy);

    // A frame around the box 16..24 x 8..18 units, pixels 20..30 x 10..23.
    DrawFrame(canvas, {16, 8, 24, 18}, clRed, clBlack);
    EXPECT_EQ(s.At(20, 10), clRed);
    EXPECT_EQ(s.At(21, 11), clWhite); // one pixel wide
    EXPECT_EQ(s.At(29, 10), clBlack); // the far sides meet the near ones
    EXPECT_EQ(s.At(28, 10), clRed);
    EXPECT_EQ(s.At(28, 11), clWhite);
    EXPECT_EQ(s.At(20, 21), clRed);
    EXPECT_EQ(s.At(20, 22), clBlack);
    EXPECT_EQ(s.At(21, 21), clWhite);
    EXPECT_EQ(s.At(20, 23), clWhite);
    // Etched: the second frame one pixel right of and below the first, not one unit.
    DrawFrame(canvas, {0, 16, 8, 22}, clBtnHighlight, clBtnHighlight, fsAllSides, 1);
    DrawFrame(canvas, {0, 16, 8, 22}, clBtnShadow, clBtnShadow);
    const TColor shadow = static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW));
    const TColor highlight = static_cast<TColor>(GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(s.At(3, 20), shadow);
    EXPECT_EQ(s.At(3, 21), highlight);
    EXPECT_EQ(s.At(9, 24), shadow);
    EXPECT_EQ(s.At(10, 24), highlight);

    const auto icon = MakeBitmap(16, 15, std::vector<TColor>(16 * 15, clRed));
    TDibSurface big(30, 30, clWhite);
    GdiCanvas onBig(big.Handle(), TScale(120));
    onBig.Draw(0, 0, *icon, false); // drawn 20 x 19
    EXPECT_EQ(big.At(19, 18), clRed);
    EXPECT_EQ(big.At(20, 18), clWhite);
    EXPECT_EQ(big.At(19, 19), clWhite);

    onBig.SetFont({"MS Sans Serif", -11, 0, clBlack, 1});
    EXPECT_EQ(onBig.Font().Height, -11);
    SIZE pixels{};
    GetTextExtentPoint32A(big.Handle(), "Directories:", 12, &pixels);
    EXPECT_EQ(onBig.TextExtent("Directories:").X, (pixels.cx * 96 + 119) / 120);
    TRect measured{4, 4, 4, 4};
    onBig.DrawTextIn("Directories:", measured, DTF_CALCRECT | DTF_SINGLELINE);
    EXPECT_EQ(measured.Width(), (pixels.cx * 96 + 119) / 120);
}

} // namespace
} // namespace setup
