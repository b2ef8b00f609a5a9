// Drawing and measuring captions with a font effect. Rectangles are (left, top, right,
// bottom) with right and bottom exclusive; formats are DrawTextIn flags (ui/Canvas.h).
#pragma once

#include "ui/Canvas.h"
#include "ui/Screen.h"
#include "widgets/FxCaption.h"

#include <optional>
#include <string>

namespace setup {

// Longer captions are drawn (and, unrotated, measured) with their first 255 characters.
constexpr size_t MaxEffectTextLength = 255;

// Draws text in rect with effect, which may be null (plain DrawTextIn). With dfClip, drawing
// is restricted to clip (rect when absent) and the restriction is removed afterwards. A
// rotated effect leaves its rotated font selected in canvas. With fitting, unrotated text is
// drawn in the face the canvas fits it into (ICanvas::FitFont), every layer in the same.
void DrawEffectText(ICanvas& canvas, const std::string& text, const TFx3DCaption* effect,
                    const std::optional<TRect>& clip, TFxDrawFlags flags, unsigned format,
                    const TRect& rect, TFittingFace* fitting = nullptr);

// Turns rect, the layout rectangle, into the rectangle the text needs in font on a screen
// surface, with room for a frame of bevelExtent pixels. Sets the effect's PosX and PosY:
// to 0 quietly when unrotated, to the rotated text's start point (notifying) when rotated.
void MeasureEffectText(IScreen& screen, const std::string& text, TFx3DCaption* effect,
                       int bevelExtent, bool showAccelChar, bool multiLine, const TFontDesc& font,
                       TRect& rect);

// Measures the text in rect less its last column and places the result in rect by
// alignment; the result starts left of or above rect when the text is larger.
TRect PlaceEffectText(IScreen& screen, TFxAlignment alignment, const std::string& text,
                      TFx3DCaption* effect, bool showAccelChar, bool multiLine,
                      const TFontDesc& font, const TRect& rect);

// Bounding box of rect turned by angle degrees about its centre, moved to (0, 0); angle 0
// returns rect unchanged.
TRect RotatedBounds(const TRect& rect, int angle);

// Whether the font of face name is a TrueType font (only those can be drawn rotated).
bool IsTrueTypeFace(IScreen& screen, const std::string& name);

} // namespace setup
