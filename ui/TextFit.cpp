#include "ui/TextFit.h"

#include "ui/Canvas.h"

namespace setup {

int FittingHeight(int height, TPoint box, const TTextMeasure& measure) {
    const int smallest = SmallestFittingHeight(height);
    const int step = height < 0 ? 1 : -1;
    // Compared, not matched: a stop at any height ends the walk.
    for (int candidate = height; height < 0 ? candidate <= smallest : candidate >= smallest;
         candidate += step) {
        const TPoint size = measure(candidate);
        if (size.X <= box.X && size.Y <= box.Y)
            return candidate;
    }
    return height;
}

int TFittingFace::Height(ICanvas& canvas, const std::string& text, const TFontDesc& font,
                         TPoint box, unsigned format) {
    if (Known && text == Text && font == Font && box == Box && format == Format)
        return Fitted;
    Fitted = FittingHeight(font.Height, box, [&](int height) {
        return canvas.TextSizeAt(text, height, box.X, format);
    });
    Text = text;
    Font = font;
    Box = box;
    Format = format;
    Known = true;
    return Fitted;
}

} // namespace setup
