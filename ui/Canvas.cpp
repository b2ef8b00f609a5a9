#include "ui/Canvas.h"

namespace setup {

namespace {

void Fill(ICanvas& canvas, const TRect& r, TColor color) {
    canvas.SetBrushColor(color);
    canvas.FillRect(r);
}

} // namespace

void DrawFrame(ICanvas& canvas, const TRect& r, TColor topLeft, TColor bottomRight,
               TFrameSides sides) {
    if (r.IsEmpty())
        return;
    if (sides & fsTop)
        Fill(canvas, {r.Left, r.Top, r.Right - 1, r.Top + 1}, topLeft);
    if (sides & fsLeft)
        Fill(canvas, {r.Left, r.Top, r.Left + 1, r.Bottom - 1}, topLeft);
    if (sides & fsBottom)
        Fill(canvas, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, bottomRight);
    if (sides & fsRight)
        Fill(canvas, {r.Right - 1, r.Top, r.Right, r.Bottom}, bottomRight);
}

} // namespace setup
