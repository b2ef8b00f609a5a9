// The screen as a text-measuring service: what the effect text needs beyond a canvas.
#pragma once

#include "ui/Canvas.h"

#include <cstdint>
#include <memory>
#include <string>

namespace setup {

class IScreen {
public:
    virtual ~IScreen() = default;
    // A canvas on a surface compatible with the screen, for measuring; the surface is
    // released when the canvas is destroyed.
    virtual std::unique_ptr<ICanvas> CreateMeasuringCanvas() = 0;
    // The pitch-and-family byte of the text metrics of a font made from face at the given
    // height and width in pixels, every other attribute at its default.
    virtual uint8_t FontPitchAndFamily(const std::string& face, int height, int width) = 0;
};

} // namespace setup
