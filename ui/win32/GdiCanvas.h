// The GDI drawing surface: ICanvas over a device context, off-screen work images as memory
// DCs, and bitmaps loaded from the program's resources.
#pragma once

#include <windows.h>

#include "ui/Canvas.h"
#include "ui/win32/Scale.h"
#include "win32/Handles.h"

#include <memory>
#include <optional>
#include <string>

namespace setup {

// The RGB value of a colour now: system colours go through GetSysColor.
COLORREF ResolveColor(TColor color);

// A font for the description, its colour left out; escapement in tenths of a degree.
// Text is not smoothed, so that text pixels are exactly the text colour (the gauge combines
// them by exclusive-or, the effect text layers them). The default character set becomes the
// one of the system's ANSI code page.
TFontHandle CreateFontFrom(const TFontDesc& font, int escapement = 0);

// The line height (tmHeight) of a font on the screen, in layout units of the screen's scale.
int ScreenLineHeight(const TFontDesc& font);

// A bitmap in the screen's format.
class GdiBitmap : public IBitmap {
public:
    explicit GdiBitmap(TBitmapHandle bitmap);
    // A picture the running program carries (see StoredResources.h); EResNotFound "Resource %s
    // not found", Exception with DamagedInstallerMessage when it is damaged.
    static std::unique_ptr<GdiBitmap> FromResource(const char* name);

    int Width() const override { return BitmapWidth; }
    int Height() const override { return BitmapHeight; }
    TColor TransparentColor() const override { return KeyColor; } // the bottom-left pixel
    std::unique_ptr<IBitmap> Clone() const override;
    HBITMAP Handle() const { return Bitmap.Get(); }

private:
    TBitmapHandle Bitmap;
    int BitmapWidth = 0;
    int BitmapHeight = 0;
    TColor KeyColor = clBlack;
};

// Draws through GDI. Over a lent device context (window painting, a test's DIB section) or
// over a work image of its own (a memory DC with a compatible bitmap, see CreateWorkImage).
//
// Everything is given in layout units and drawn at the canvas's scale: rectangles by their
// edges, pictures at their scaled size, fonts at their scaled height; what is measured comes
// back rounded up. At 96 dpi a unit is a pixel.
//
// Colours are resolved when something is drawn. A solid brush style paints text cells in the
// brush colour; the clear style leaves the background. The font's own colour is not used:
// text takes the colour given to SetTextColor.
class GdiCanvas : public IWorkImage {
public:
    // Draws on dc, which stays the caller's, at scale. Whatever the canvas selects or changes in
    // it (objects, colours, clip, origin) is put back when the canvas is destroyed.
    explicit GdiCanvas(HDC dc, TScale scale = TScale());
    ~GdiCanvas() override;
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    // Prepares a lent DC for painting a windowless control whose bounds, in the DC's
    // current coordinates (layout units), are area: the origin moves to area's top-left and
    // drawing is clipped to area from then on, also through later SetClipRect calls. Width and
    // Height become area's (they are 0 on a lent DC before this).
    void SetOriginAndClip(const TRect& area) {
        SetOriginAndClipPixels(Scale.ToPixels(area), area.Width(), area.Height());
    }
    // The same for an area given in the DC's pixels that is width x height units large (an
    // owner-drawn list entry, placed by its list window).
    void SetOriginAndClipPixels(const TRect& area, int width, int height);
    HDC Handle() const { return Dc; }

    void SetFont(const TFontDesc& font, int escapement = 0) override;
    void SetTextColor(TColor color) override { TextColorValue = color; }
    TColor TextColor() const override { return TextColorValue; }
    void SetBrushColor(TColor color) override { BrushColorValue = color; }
    TColor BrushColor() const override { return BrushColorValue; }
    void SetBrushStyle(TBrushStyle style) override { BrushStyleValue = style; }
    void SetPenColor(TColor color) override { PenColorValue = color; }

    void FillRect(const TRect& rect) override;
    void Ellipse(const TRect& bounds) override;
    void Pie(const TRect& bounds, TPoint start, TPoint end) override;
    void Line(TPoint from, TPoint to) override;
    void DrawFocusRect(const TRect& rect) override;
    void FillFrame(const TRect& r, TColor topLeft, TColor bottomRight, TFrameSides sides,
                   int shift) override;

    int DrawTextIn(const std::string& text, TRect& rect, unsigned format) override;
    // Raster faces come in few sizes ("MS Sans Serif" has none of its own at 144 dpi, where the
    // next larger one is given), and the face the system picks for a double-byte code page may
    // be wider.
    void FitFont(const std::string& text, const TRect& rect, unsigned format,
                 TFittingFace& face) override;
    TPoint TextSizeAt(const std::string& text, int height, int width, unsigned format) override;
    void TextOutAt(int x, int y, const std::string& text) override;
    TPoint TextExtent(const std::string& text) override;
    int TextHeight() override;
    void SetTextCharacterExtra(int extra) override;
    // rect is in this canvas's coordinates; it is intersected with the clip the canvas was
    // given by its owner (see SetOriginAndClip), and nullopt goes back to that clip.
    void SetClipRect(const std::optional<TRect>& rect) override;

    void Draw(int x, int y, const IBitmap& bitmap, bool transparent) override;
    void StretchDraw(const TRect& rect, const IBitmap& bitmap) override;

    // A memory DC with a bitmap compatible with this surface, cleared to black.
    std::unique_ptr<IWorkImage> CreateWorkImage(int width, int height) override;
    void CopyImage(int x, int y, const IWorkImage& image) override;
    // The selected font as GDI describes it; its colour is the current text colour.
    TFontDesc Font() const override;

    int Width() const override { return SurfaceWidth; }
    int Height() const override { return SurfaceHeight; }
    void XorFrom(const IWorkImage& other) override;

private:
    GdiCanvas(TMemoryDC dc, TBitmapHandle bitmap, TScale scale, int width, int height);
    void FillPixels(const RECT& area);
    void UseBrush();
    void UsePen();
    void UseTextColors();

    // Declared so that the DC's state is restored first, then an owned DC is deleted, and
    // only then the objects that were selected into it.
    TBitmapHandle Image;
    TFontHandle SelectedFont;
    TFontDesc SelectedDesc; // as given, in layout units
    int SelectedEscapement = 0;
    int SelectedHeight = 0; // of the selected font, in pixels: SelectedDesc's or a fitted one
    TBrushHandle Brush;
    COLORREF BrushRgb = 0;
    TPenHandle Pen;
    COLORREF PenRgb = 0;
    TRegionHandle OwnerClip; // null: the owner set no clip
    TMemoryDC OwnedDc;
    HDC Dc;
    TSavedDC SavedState;

    TScale Scale;
    int SurfaceWidth = 0; // in layout units
    int SurfaceHeight = 0;
    int PixelWidth = 0;
    int PixelHeight = 0;
    TColor TextColorValue = clBlack;
    TColor BrushColorValue = clWhite;
    TBrushStyle BrushStyleValue = TBrushStyle::Solid;
    TColor PenColorValue = clBlack;
};

} // namespace setup
