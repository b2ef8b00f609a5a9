// Colours, rectangles and font descriptions shared by the pages and the drawn controls.
#pragma once

#include <cstdint>
#include <string>

namespace setup {

// 0x00BBGGRR for a direct colour; 0x80000000 + n names system colour n.
using TColor = int32_t;

constexpr TColor SystemColor(int index) {
    return static_cast<TColor>(0x80000000u | unsigned(index));
}
constexpr bool IsSystemColor(TColor c) {
    return (static_cast<uint32_t>(c) & 0xFF000000u) == 0x80000000u;
}
constexpr int SystemColorIndex(TColor c) {
    return static_cast<int>(static_cast<uint32_t>(c) & 0xFFu);
}
// Names in parentheses: <windows.h> has function-like macros of the same names.
constexpr uint8_t(RedOf)(TColor c) {
    return static_cast<uint8_t>(c & 0xFF);
}
constexpr uint8_t(GreenOf)(TColor c) {
    return static_cast<uint8_t>((c >> 8) & 0xFF);
}
constexpr uint8_t(BlueOf)(TColor c) {
    return static_cast<uint8_t>((c >> 16) & 0xFF);
}
constexpr TColor RGBColor(int r, int g, int b) {
    return TColor(r | (g << 8) | (b << 16));
}

constexpr TColor clBlack = 0x000000;
constexpr TColor clNavy = 0x800000;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clWindowFrame = SystemColor(6);
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clGrayText = SystemColor(17);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clBtnHighlight = SystemColor(20);

struct TPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TPoint&) const = default;
};

// Covers columns Left..Right-1 and rows Top..Bottom-1.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    // Covers no pixel.
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool operator==(const TRect&) const = default;
};

// The rectangle at left, top of the given size: the convention of the pages' layout tables.
constexpr TRect Box(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

enum TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

constexpr uint8_t ANSI_CHARSET_ID = 0;
constexpr uint8_t DEFAULT_CHARSET_ID = 1;

// Face, height in pixels (negative: character height without internal leading), styles, colour.
struct TFontDesc {
    std::string Name = "MS Sans Serif";
    int Height = -11;
    uint8_t Style = 0;
    TColor Color = clWindowText;
    uint8_t Charset = DEFAULT_CHARSET_ID;
    bool operator==(const TFontDesc&) const = default;
};

} // namespace setup
