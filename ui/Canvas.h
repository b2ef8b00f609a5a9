// The drawing surface the windowless controls paint on: GDI in the program, a recording
// fake with fixed text metrics in the unit tests.
#pragma once

#include "ui/Graphics.h"

#include <memory>
#include <optional>
#include <string>

namespace setup {

// DrawTextA flags, with the platform's values, and one of the canvas's own.
enum : unsigned {
    DTF_LEFT = 0x0,
    DTF_CENTER = 0x1,
    DTF_RIGHT = 0x2,
    DTF_VCENTER = 0x4,
    DTF_BOTTOM = 0x8,
    DTF_WORDBREAK = 0x10,
    DTF_SINGLELINE = 0x20,
    DTF_EXPANDTABS = 0x40,
    DTF_CALCRECT = 0x400,
    DTF_NOPREFIX = 0x800,
    // Not DrawTextA's: FitFont fits the text at every scale (a wider face of another code page
    // cuts it at the layout's own too).
    DTF_FIT = 0x80000000,
};

enum class TBrushStyle { Solid, Clear };

// Sides of a frame.
using TFrameSides = uint8_t;
enum : TFrameSides {
    fsBottom = 0x01,
    fsLeft = 0x02,
    fsRight = 0x04,
    fsTop = 0x08,
    fsAllSides = fsBottom | fsLeft | fsRight | fsTop,
};

class IWorkImage;
class IBitmap;
class TFittingFace;

class ICanvas {
public:
    virtual ~ICanvas() = default;

    // Font; Escapement is in tenths of a degree, counter-clockwise.
    virtual void SetFont(const TFontDesc& font, int escapement = 0) = 0;
    virtual void SetTextColor(TColor color) = 0;
    virtual TColor TextColor() const = 0;
    virtual void SetBrushColor(TColor color) = 0;
    virtual TColor BrushColor() const = 0;
    virtual void SetBrushStyle(TBrushStyle style) = 0;
    virtual void SetPenColor(TColor color) = 0;

    virtual void FillRect(const TRect& rect) = 0; // with the brush colour
    virtual void Ellipse(const TRect& bounds) = 0;
    virtual void Pie(const TRect& bounds, TPoint start, TPoint end) = 0;
    virtual void Line(TPoint from, TPoint to) = 0; // end point excluded
    virtual void DrawFocusRect(const TRect& rect) = 0;

    // DrawTextA: returns the text height; with DTF_CALCRECT, moves rect's right and bottom.
    virtual int DrawTextIn(const std::string& text, TRect& rect, unsigned format) = 0;
    // ExtTextOutA from the top-left of the first character cell, no clipping, no prefixes.
    virtual void TextOutAt(int x, int y, const std::string& text) = 0;
    // The size in pixels of text (DrawTextA format) in a box width pixels wide, in the current
    // font's face and style at height pixels (a font height, see TFontDesc).
    virtual TPoint TextSizeAt(const std::string& text, int height, int width, unsigned format) = 0;
    // Selects, in place of the current font, the face text gets in rect (DrawTextA format; see
    // ui/TextFit.h); face keeps the height found. Fitted are texts given DTF_FIT, and wrapped ones
    // on a surface at a scale, where a raster face comes in the next size the system has.
    virtual void FitFont(const std::string& text, const TRect& rect, unsigned format,
                         TFittingFace& face) = 0;
    virtual TPoint TextExtent(const std::string& text) = 0; // GetTextExtentPointA
    virtual int TextHeight() = 0;                           // tmHeight of the current font
    virtual void SetTextCharacterExtra(int extra) = 0;
    // Restricts drawing to rect in this canvas's coordinates; nullopt removes the restriction.
    virtual void SetClipRect(const std::optional<TRect>& rect) = 0;

    virtual void Draw(int x, int y, const IBitmap& bitmap, bool transparent) = 0;
    virtual void StretchDraw(const TRect& rect, const IBitmap& bitmap) = 0;

    // Off-screen work image compatible with this surface, cleared to black.
    virtual std::unique_ptr<IWorkImage> CreateWorkImage(int width, int height) = 0;
    // Copies a work image onto this surface at (x, y) in one block.
    virtual void CopyImage(int x, int y, const IWorkImage& image) = 0;

    virtual TFontDesc Font() const = 0; // the current font's description (GetObjectA)

    // A one-pixel frame just inside r (see DrawFrame), moved right and down by shift pixels of
    // the surface. A canvas that scales draws it just inside the scaled box, still one pixel
    // wide; a fill could not be told from a band.
    virtual void FillFrame(const TRect& r, TColor topLeft, TColor bottomRight, TFrameSides sides,
                           int shift);
};

class IWorkImage : public ICanvas {
public:
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Combines other into this image by exclusive-or of every pixel's RGB value.
    virtual void XorFrom(const IWorkImage& other) = 0;
};

// A device-independent picture (bitmap resource or file); its bottom-left pixel gives the
// transparent colour when drawn transparently.
class IBitmap {
public:
    virtual ~IBitmap() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual TColor TransparentColor() const = 0;
    virtual std::unique_ptr<IBitmap> Clone() const = 0;
};

// The one-pixel bands of a frame just inside r on the chosen sides, in drawing order, each with
// its colour (see DrawFrame); none when r is empty.
struct TFrameBands {
    TRect Band[4];
    TColor Color[4];
    int Count = 0;
};
TFrameBands FrameBands(const TRect& r, TColor topLeft, TColor bottomRight, TFrameSides sides);

// A one-pixel frame just inside r on the chosen sides, filled with the canvas's brush: top and
// left in topLeft, bottom and right in bottomRight (which owns the two corners where they
// meet). An empty r draws nothing. shift moves the frame right and down by that many pixels of
// the surface: an etched frame's second frame.
void DrawFrame(ICanvas& canvas, const TRect& r, TColor topLeft, TColor bottomRight,
               TFrameSides sides = fsAllSides, int shift = 0);

} // namespace setup
