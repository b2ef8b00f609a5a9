#include "ui/win32/Win32Screen.h"

#include <windows.h>

#include "ui/win32/GdiCanvas.h"
#include "win32/Handles.h"

#include <cstring>

namespace setup {

namespace {

// The screen's device context, taken before the canvas that draws on it is made.
struct ScreenDC {
    TWindowDC Screen = WindowDC(nullptr);
};

// A canvas that owns its screen device context: the canvas puts the context back as it
// was, and only then is the context released.
class ScreenCanvas : private ScreenDC, public GdiCanvas {
public:
    ScreenCanvas() : GdiCanvas(Screen.Get()) {}
};

} // namespace

std::unique_ptr<ICanvas> TWin32Screen::CreateMeasuringCanvas() {
    return std::make_unique<ScreenCanvas>();
}

uint8_t TWin32Screen::FontPitchAndFamily(const std::string& face, int height, int width) {
    LOGFONTA log{};
    log.lfHeight = height;
    log.lfWidth = width;
    // Longer names are no face GDI knows; cut them to what LOGFONT holds.
    std::strncpy(log.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    const TWindowDC screen = WindowDC(nullptr);
    const TFontHandle font(CreateFontIndirectA(&log));
    if (!screen.Get() || !font)
        return 0;
    const auto selected = Select(screen.Get(), font.Get());
    TEXTMETRICA metrics{};
    if (!GetTextMetricsA(screen.Get(), &metrics))
        return 0;
    return metrics.tmPitchAndFamily;
}

} // namespace setup
