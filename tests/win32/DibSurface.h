// A 32-bit top-down DIB section in a memory DC: a real GDI surface whose pixels can be read.
#pragma once

#include <windows.h>

#include "ui/Graphics.h"
#include "win32/Handles.h"

#include <cstdint>
#include <stdexcept>

namespace setup {

class TDibSurface {
public:
    TDibSurface(int width, int height, TColor fill) : SurfaceWidth(width), SurfaceHeight(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height; // top-down: row 0 first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        Bitmap.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        Dc.Reset(CreateCompatibleDC(nullptr));
        if (!Bitmap || !Dc)
            throw std::runtime_error("cannot make a DIB section");
        Pixels = static_cast<uint32_t*>(bits);
        Previous = SelectObject(Dc.Get(), Bitmap.Get());
        const uint32_t value = (RedOf(fill) << 16) | (GreenOf(fill) << 8) | BlueOf(fill);
        for (int i = 0; i < width * height; ++i)
            Pixels[i] = value;
    }
    ~TDibSurface() { SelectObject(Dc.Get(), Previous); }
    TDibSurface(const TDibSurface&) = delete;
    TDibSurface& operator=(const TDibSurface&) = delete;

    HDC Handle() const { return Dc.Get(); }
    int Width() const { return SurfaceWidth; }
    int Height() const { return SurfaceHeight; }

    // The pixel at (x, y) as a direct colour (0x00BBGGRR).
    TColor At(int x, int y) const {
        GdiFlush(); // GDI may batch drawing calls
        const uint32_t value = Pixels[y * SurfaceWidth + x];
        return RGBColor((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
    }

private:
    int SurfaceWidth;
    int SurfaceHeight;
    TBitmapHandle Bitmap;
    TMemoryDC Dc;
    HGDIOBJ Previous = nullptr;
    uint32_t* Pixels = nullptr;
};

} // namespace setup
