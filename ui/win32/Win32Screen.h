// The screen through GDI: measuring canvases over the screen's device context, and font
// metrics for a face name.
#pragma once

#include "ui/Screen.h"

namespace setup {

// Holds nothing: every call takes the screen's device context and gives it back.
class TWin32Screen : public IScreen {
public:
    std::unique_ptr<ICanvas> CreateMeasuringCanvas() override;
    uint8_t FontPitchAndFamily(const std::string& face, int height, int width) override;
};

} // namespace setup
