#include "widgets/OwnerDrawList.h"

namespace setup {

void PrepareItem(ICanvas& canvas, const TRect& rect, const TFontDesc& font, TColor color,
                 TItemState state) {
    canvas.SetFont(font);
    canvas.SetBrushStyle(TBrushStyle::Solid);
    canvas.SetBrushColor(state.Selected ? clHighlight : color);
    canvas.SetTextColor(state.Selected ? clHighlightText : font.Color);
    canvas.FillRect(rect);
}

int DrawEntryIcon(ICanvas& canvas, const TRect& rect, int x, const IBitmap* icon) {
    if (!icon)
        return 16;
    canvas.Draw(x, (rect.Top + rect.Bottom - icon->Height()) / 2, *icon, true);
    return icon->Width();
}

} // namespace setup
