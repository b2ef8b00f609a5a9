// Layout units are pixels at 96 dpi, as the pages are laid out; a scale turns them into the
// screen's pixels, so that the pages grow with the system font (Large Fonts is 120 dpi).
#pragma once

#include <windows.h>

#include "ui/Graphics.h"

namespace setup {

class TScale {
public:
    static constexpr int LayoutDpi = 96;

    // The scale of a screen of dpi pixels per inch; the layout's own by default.
    explicit TScale(int dpi = LayoutDpi) : Dpi(dpi) {}
    // The screen's pixels per inch (GetDeviceCaps LOGPIXELSY).
    static TScale OfScreen();

    int PixelsPerInch() const { return Dpi; }
    // A position, a length or a font height in pixels.
    int ToPixels(int units) const { return MulDiv(units, Dpi, LayoutDpi); }
    // Edge by edge, so that neighbours keep touching.
    TRect ToPixels(const TRect& r) const {
        return {ToPixels(r.Left), ToPixels(r.Top), ToPixels(r.Right), ToPixels(r.Bottom)};
    }
    // The font at its height in pixels.
    TFontDesc ToPixels(TFontDesc font) const {
        font.Height = ToPixels(font.Height);
        return font;
    }
    // A measured extent, rounded up: what was measured never loses a pixel.
    int ToUnits(int pixels) const { return (pixels * LayoutDpi + Dpi - 1) / Dpi; }
    // The nearest height: a font height given in units comes back as it was.
    int FontHeightToUnits(int pixels) const { return MulDiv(pixels, LayoutDpi, Dpi); }

private:
    int Dpi;
};

// The screen's size in layout units (whole units, rounded down).
TPoint ScreenSizeInUnits();

} // namespace setup
