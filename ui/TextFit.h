// Which face a text gets where the system's face for its font would cut it in its box (a wider
// face of another code page, a raster face at a scale): the largest smaller height in which it
// shows whole, down to three quarters of the font's, still readable.
#pragma once

#include "ui/Graphics.h"

#include <functional>
#include <string>

namespace setup {

class ICanvas;

// The smallest height a font of height pixels may shrink to: three quarters of it, rounded
// toward the larger face. Heights are font heights (negative: the character height).
constexpr int SmallestFittingHeight(int height) {
    return height < 0 ? -((-height * 3 + 3) / 4) : (height * 3 + 3) / 4;
}

// The size in pixels a text takes at a font height.
using TTextMeasure = std::function<TPoint(int height)>;

// The first height from height toward SmallestFittingHeight(height), one pixel a step, at which
// the text measures no larger than box; height itself when none does.
int FittingHeight(int height, TPoint box, const TTextMeasure& measure);

// The fitting height of one control's text, measured on a canvas once and kept until the text,
// the font (scaled: its height in pixels), the box in pixels or the format changes.
class TFittingFace {
public:
    int Height(ICanvas& canvas, const std::string& text, const TFontDesc& font, TPoint box,
               unsigned format);

private:
    std::string Text;
    TFontDesc Font;
    TPoint Box;
    unsigned Format = 0;
    int Fitted = 0;
    bool Known = false;
};

} // namespace setup
