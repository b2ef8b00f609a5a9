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

} // namespace setup
