// The side picture that the welcome and destination pages share: a lowered panel at the
// left with the picture stretched inside its one-pixel frame.
#pragma once

#include "ui/StdGraphics.h"
#include "ui/win32/Form.h"

namespace setup {

inline void AddSidePicture(TForm& page, TPanel& panel, TImage& image) {
    panel.SetBoundsRect(Box(8, 16, 113, 233));
    panel.BevelOuter = TBevelCut::Lowered;
    page.AddGraphic(panel);
    image.SetBoundsRect(Box(9, 17, 111, 231));
    image.Stretch = true;
    page.AddGraphic(image);
}

} // namespace setup
