// What the folder list and the drive box share: the way each entry is drawn into the
// platform's owner-drawn list window (ui/ListView.h).
#pragma once

#include "ui/Canvas.h"
#include "ui/Graphics.h"
#include "ui/ListView.h"

namespace setup {

// Sets the font and colours of one entry (highlight colours when selected) and fills rect
// with the background.
void PrepareItem(ICanvas& canvas, const TRect& rect, const TFontDesc& font, TColor color,
                 TItemState state);

// Draws an entry's picture transparently at x, centred in rect's height, and returns the room
// it takes: its width, or a 16-pixel gap when there is no picture.
int DrawEntryIcon(ICanvas& canvas, const TRect& rect, int x, const IBitmap* icon);

} // namespace setup
