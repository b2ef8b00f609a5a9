#include "ui/win32/Scale.h"

#include "win32/Handles.h"

namespace setup {

TScale TScale::OfScreen() {
    const TWindowDC screen = WindowDC(nullptr);
    const int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
    return TScale(dpi > 0 ? dpi : LayoutDpi);
}

TPoint ScreenSizeInUnits() {
    const TScale scale = TScale::OfScreen();
    const auto units = [&scale](int pixels) {
        return pixels * TScale::LayoutDpi / scale.PixelsPerInch();
    };
    return {units(GetSystemMetrics(SM_CXSCREEN)), units(GetSystemMetrics(SM_CYSCREEN))};
}

} // namespace setup
