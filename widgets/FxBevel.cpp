#include "widgets/FxBevel.h"

#include <array>

namespace setup {

namespace {

constexpr TColor cl3DDkShadow = SystemColor(21);
constexpr TColor cl3DLight = SystemColor(22);

// One-pixel rings a border is made of. None takes no room; Skip takes its pixel but draws
// nothing (an edge that has only its inner or its outer half).
enum class Ring : uint8_t {
    None,
    Skip,
    RaisedOuter,
    SunkenOuter,
    RaisedInner,
    SunkenInner,
    WindowOuter,
    Face,
    Frame,
};

struct RingPair {
    Ring Outer;
    Ring Inner;
};

// Indexed by TFxBorderStyle.
constexpr std::array<RingPair, 15> StandardRings = {{
    {Ring::None, Ring::None},               // lsNone
    {Ring::Frame, Ring::None},              // lsSingle
    {Ring::SunkenOuter, Ring::SunkenInner}, // lsLowered
    {Ring::RaisedOuter, Ring::RaisedInner}, // lsRaised
    {Ring::RaisedInner, Ring::Face},        // lsRaisedspb
    {Ring::SunkenOuter, Ring::Face},        // lsLoweredspb
    {Ring::Face, Ring::RaisedInner},        // lsRaisedExt
    {Ring::Face, Ring::SunkenOuter},        // lsLoweredExt
    {Ring::SunkenOuter, Ring::RaisedInner}, // lsFrameInset
    {Ring::RaisedOuter, Ring::SunkenInner}, // lsFrameOffset
    {Ring::WindowOuter, Ring::RaisedInner}, // lsWindowBorder
    {Ring::RaisedInner, Ring::None},        // lsSingleRaised
    {Ring::SunkenOuter, Ring::None},        // lsSingleLowered
    {Ring::RaisedInner, Ring::RaisedInner}, // lsDoubleRaised
    {Ring::SunkenOuter, Ring::SunkenOuter}, // lsDoubleLowered
}};

// Indexed by TFxEdgeStyle.
constexpr std::array<RingPair, 8> EdgeRings = {{
    {Ring::Skip, Ring::RaisedInner},        // etRaisedInner
    {Ring::RaisedOuter, Ring::Skip},        // etRaisedOuter
    {Ring::Skip, Ring::SunkenInner},        // etSunkenInner
    {Ring::SunkenOuter, Ring::Skip},        // etSunkenOuter
    {Ring::RaisedOuter, Ring::SunkenInner}, // etBump
    {Ring::SunkenOuter, Ring::RaisedInner}, // etEtched
    {Ring::RaisedOuter, Ring::RaisedInner}, // etRaised
    {Ring::SunkenOuter, Ring::SunkenInner}, // etSunken
}};

int RingWidth(Ring ring) {
    return ring == Ring::None ? 0 : 1;
}
int PairWidth(RingPair pair) {
    return RingWidth(pair.Outer) + RingWidth(pair.Inner);
}

TRect Deflate(const TRect& r, int by) {
    return {r.Left + by, r.Top + by, r.Right - by, r.Bottom - by};
}

void Fill(ICanvas& canvas, const TRect& r, TColor color) {
    canvas.SetBrushColor(color);
    canvas.FillRect(r);
}

// Draws count rings inward from r and returns what is left inside them.
TRect DrawRings(ICanvas& canvas, TRect r, int count, TColor topLeft, TColor bottomRight,
                TFxFrameSides sides = fsAllSides) {
    for (int i = 0; i < count; ++i) {
        DrawFrame(canvas, r, topLeft, bottomRight, sides);
        r = Deflate(r, 1);
    }
    return r;
}

// A flat band of the given width all round r.
TRect DrawPlainBand(ICanvas& canvas, const TRect& r, int width, TColor color, bool paint) {
    const TRect inner = Deflate(r, width);
    if (!paint || width == 0 || r.IsEmpty())
        return inner;
    if (inner.IsEmpty()) {
        Fill(canvas, r, color);
        return inner;
    }
    Fill(canvas, {r.Left, r.Top, r.Right, inner.Top}, color);
    Fill(canvas, {r.Left, inner.Bottom, r.Right, r.Bottom}, color);
    Fill(canvas, {r.Left, inner.Top, inner.Left, inner.Bottom}, color);
    Fill(canvas, {inner.Right, inner.Top, r.Right, inner.Bottom}, color);
    return inner;
}

struct Palette {
    TColor Light;
    TColor Shadow;
};

TRect DrawRingOf(ICanvas& canvas, const TRect& r, Ring ring, Palette p, TFxFrameSides sides) {
    switch (ring) {
    case Ring::None:
        return r;
    case Ring::Skip:
        break;
    case Ring::RaisedOuter:
        DrawFrame(canvas, r, cl3DLight, cl3DDkShadow, sides);
        break;
    case Ring::SunkenOuter:
        DrawFrame(canvas, r, p.Shadow, p.Light, sides);
        break;
    case Ring::RaisedInner:
        DrawFrame(canvas, r, p.Light, p.Shadow, sides);
        break;
    case Ring::SunkenInner:
        DrawFrame(canvas, r, cl3DDkShadow, cl3DLight, sides);
        break;
    case Ring::WindowOuter:
        DrawFrame(canvas, r, clBtnFace, cl3DDkShadow, sides);
        break;
    case Ring::Face:
        DrawFrame(canvas, r, clBtnFace, clBtnFace, sides);
        break;
    case Ring::Frame:
        DrawFrame(canvas, r, clWindowFrame, clWindowFrame, sides);
        break;
    }
    return Deflate(r, 1);
}

TRect DrawPair(ICanvas& canvas, const TRect& r, RingPair pair, Palette p,
               TFxFrameSides sides = fsAllSides) {
    return DrawRingOf(canvas, DrawRingOf(canvas, r, pair.Outer, p, sides), pair.Inner, p, sides);
}

int StyleWidth(TFxBevelStyle style, int width) {
    switch (style) {
    case bvNone:
        return 0;
    case bvFrameLowered:
    case bvFrameRaised:
        return width + 1;
    default:
        return width;
    }
}

// One 3-D bevel of the custom mode (never bvShadow, which draws the whole frame itself).
TRect DrawStyle(ICanvas& canvas, TRect r, TFxBevelStyle style, int width, Palette p) {
    switch (style) {
    case bvLowered:
        return DrawRings(canvas, r, width, p.Shadow, p.Light);
    case bvRaised:
        return DrawRings(canvas, r, width, p.Light, p.Shadow);
    case bvFrameLowered:
        r = DrawRings(canvas, r, width, p.Shadow, p.Light);
        return DrawRings(canvas, r, 1, p.Light, p.Shadow);
    case bvFrameRaised:
        r = DrawRings(canvas, r, width, p.Light, p.Shadow);
        return DrawRings(canvas, r, 1, p.Shadow, p.Light);
    case bvNormal:
        return DrawRings(canvas, r, width, p.Shadow, p.Shadow);
    default:
        return r;
    }
}

} // namespace

void TFxBevel::Assign(const TFxObject& source) {
    const auto* bevel = source.AsBevel();
    if (!bevel)
        AssignError(source);
    Props = bevel->Props;
    Changed();
}

void TFxBevel::SetStyle(TFxBevelStyle& style, TFxBevelStyle& other, TFxBevelStyle value) {
    if (style == value)
        return;
    if (value == bvShadow)
        other = bvShadow;
    else if (style == bvShadow)
        other = bvNone;
    style = value;
    Changed();
}

void TFxBevel::SetStyleInner(TFxBevelStyle value) {
    SetStyle(Props.StyleInner, Props.StyleOuter, value);
}

void TFxBevel::SetStyleOuter(TFxBevelStyle value) {
    SetStyle(Props.StyleOuter, Props.StyleInner, value);
}

void TFxBevel::SetWidthInner(int value) {
    CheckRange("WidthInner", value, 0, MaxBevelWidth);
    Change(Props.WidthInner, static_cast<uint8_t>(value));
}

void TFxBevel::SetWidthOuter(int value) {
    CheckRange("WidthOuter", value, 0, MaxBevelWidth);
    Change(Props.WidthOuter, static_cast<uint8_t>(value));
}

void TFxBevel::SetBorderWidth(int value) {
    CheckRange("BorderWidth", value, 0, MaxBorderWidth);
    Change(Props.BorderWidth, static_cast<uint8_t>(value));
}

void TFxBevel::SetBorderInnerWidth(int value) {
    CheckRange("BorderInnerWidth", value, 0, MaxBorderWidth);
    Change(Props.BorderInnerWidth, static_cast<uint8_t>(value));
}

void TFxBevel::SetStandardStyle(TFxBorderStyle value) {
    if (Props.StandardStyle == value)
        return;
    Props.StandardStyle = value;
    Extent = ComputeExtent();
    if (Props.Mode == bmStandard)
        NotifyChange();
}

void TFxBevel::Changed() {
    Extent = ComputeExtent();
    NotifyChange();
}

int32_t TFxBevel::ComputeExtent() const {
    const Values& v = Props;
    switch (v.Mode) {
    case bmCustom:
        if (v.StyleInner == bvShadow)
            return v.WidthOuter / 2 + v.WidthInner + 1 + v.BorderInnerWidth;
        return v.BorderWidth + v.BorderInnerWidth + StyleWidth(v.StyleOuter, v.WidthOuter) +
               StyleWidth(v.StyleInner, v.WidthInner);
    case bmStandard:
        return PairWidth(StandardRings.at(v.StandardStyle)) + v.BorderInnerWidth;
    case bmEdge:
        return (v.BorderSides != 0 ? 2 : 0) + v.BorderInnerWidth;
    }
    return 0;
}

TRect TFxBevel::Draw(ICanvas& canvas, const TRect& rect, bool paintPlainBands) const {
    const Values& v = Props;
    const Palette palette{v.LightColor, v.ShadowColor};
    canvas.SetBrushStyle(TBrushStyle::Solid);
    TRect r = rect;
    switch (v.Mode) {
    case bmCustom:
        if (v.StyleInner == bvShadow) {
            // A box with a drop shadow of half the outer width to its right and below.
            const int drop = v.WidthOuter / 2;
            if (drop > 0 && !r.IsEmpty()) {
                Fill(canvas, {r.Right - drop, r.Top + drop, r.Right, r.Bottom}, v.ShadowColor);
                Fill(canvas, {r.Left + drop, r.Bottom - drop, r.Right - drop, r.Bottom},
                     v.ShadowColor);
            }
            r = DrawRings(canvas, Deflate(r, drop), 1, v.ShadowColor, v.ShadowColor);
            r = DrawRings(canvas, r, v.WidthInner, v.LightColor, v.ShadowColor);
        } else {
            r = DrawStyle(canvas, r, v.StyleOuter, v.WidthOuter, palette);
            r = DrawPlainBand(canvas, r, v.BorderWidth, v.BorderColor, paintPlainBands);
            r = DrawStyle(canvas, r, v.StyleInner, v.WidthInner, palette);
        }
        break;
    case bmStandard:
        r = DrawPair(canvas, r, StandardRings.at(v.StandardStyle), palette);
        break;
    case bmEdge:
        if (v.BorderSides != 0)
            r = DrawPair(canvas, r, EdgeRings.at(v.EdgeStyle), {clBtnHighlight, clBtnShadow},
                         v.BorderSides);
        break;
    }
    return DrawPlainBand(canvas, r, v.BorderInnerWidth, v.BorderColor, paintPlainBands);
}

} // namespace setup
