#include "ui/Canvas.h"

namespace setup {

TFrameBands FrameBands(const TRect& r, TColor topLeft, TColor bottomRight, TFrameSides sides) {
    TFrameBands bands;
    if (r.IsEmpty())
        return bands;
    const auto add = [&bands](const TRect& band, TColor color) {
        bands.Band[bands.Count] = band;
        bands.Color[bands.Count++] = color;
    };
    if (sides & fsTop)
        add({r.Left, r.Top, r.Right - 1, r.Top + 1}, topLeft);
    if (sides & fsLeft)
        add({r.Left, r.Top, r.Left + 1, r.Bottom - 1}, topLeft);
    if (sides & fsBottom)
        add({r.Left, r.Bottom - 1, r.Right, r.Bottom}, bottomRight);
    if (sides & fsRight)
        add({r.Right - 1, r.Top, r.Right, r.Bottom}, bottomRight);
    return bands;
}

void ICanvas::FillFrame(const TRect& r, TColor topLeft, TColor bottomRight, TFrameSides sides,
                        int shift) {
    const TFrameBands bands =
        FrameBands({r.Left + shift, r.Top + shift, r.Right + shift, r.Bottom + shift}, topLeft,
                   bottomRight, sides);
    for (int i = 0; i < bands.Count; ++i) {
        SetBrushColor(bands.Color[i]);
        FillRect(bands.Band[i]);
    }
}

void DrawFrame(ICanvas& canvas, const TRect& r, TColor topLeft, TColor bottomRight,
               TFrameSides sides, int shift) {
    canvas.FillFrame(r, topLeft, bottomRight, sides, shift);
}

} // namespace setup
