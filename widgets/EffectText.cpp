#include "widgets/EffectText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace setup {

namespace {

constexpr long double DegreesToRadians = 0.017453292519943295769L;
constexpr uint8_t TMPF_TRUETYPE_BIT = 0x04;

// How a caption is laid out: a plain effect, an unrotated caption placed at its text origin,
// or a rotated caption drawn from its start point.
enum class TextMode { Plain, Placed, Rotated };

TextMode ModeOf(const TFx3DCaption* effect) {
    const TFxCaption* caption = effect ? effect->AsCaption() : nullptr;
    if (!caption)
        return TextMode::Plain;
    return caption->Angle() != 0 ? TextMode::Rotated : TextMode::Placed;
}

// Round to nearest, halves to the even neighbour (the default floating-point rounding).
int Round(long double value) {
    return static_cast<int>(std::nearbyint(value));
}

void OffsetRect(TRect& r, int dx, int dy) {
    r.Left += dx;
    r.Right += dx;
    r.Top += dy;
    r.Bottom += dy;
}

struct Layer {
    int Offset;
    TColor Color;
};

struct Layers {
    Layer Steps[3];
    int Count;
};

// The copies of the caption, in drawing order, each moved from where the previous one was.
Layers LayersOf(TFxThreeDStyle style, const TFx3DCaption& fx, TColor face) {
    const int l = fx.LightDepth();
    const int s = fx.ShadowDepth();
    switch (style) {
    case tdSunken:
        return {{{l, fx.LightColor()}, {-l, face}}, 2};
    case tdRaised:
        return {{{0, fx.LightColor()}, {l, face}}, 2};
    case tdSunkenShadow:
    case tdPColorSunken:
        return {{{0, fx.ShadowColor()}, {l + s, fx.LightColor()}, {-l, face}}, 3};
    case tdRaisedShadow:
    case tdPColorRaised:
        return {{{l + s, fx.ShadowColor()}, {-(l + s), fx.LightColor()}, {l, face}}, 3};
    case tdShadow:
        return {{{s, fx.ShadowColor()}, {-s, face}}, 2};
    default:
        return {{{0, face}}, 1};
    }
}

// Takes back what a drawing pass changed on the surface, also when it fails.
class SurfaceRestorer {
public:
    explicit SurfaceRestorer(ICanvas& canvas) : Canvas(canvas) {}
    ~SurfaceRestorer() {
        if (Clipped)
            Canvas.SetClipRect(std::nullopt);
        if (Spaced)
            Canvas.SetTextCharacterExtra(0);
    }
    SurfaceRestorer(const SurfaceRestorer&) = delete;
    SurfaceRestorer& operator=(const SurfaceRestorer&) = delete;

    void Clip(const TRect& rect) {
        Clipped = true;
        Canvas.SetClipRect(rect);
    }
    void Space(int extra) {
        Spaced = true;
        Canvas.SetTextCharacterExtra(extra);
    }

private:
    ICanvas& Canvas;
    bool Clipped = false;
    bool Spaced = false;
};

uint16_t ToOrigin(int value) {
    return static_cast<uint16_t>(std::clamp(value, 0, 0xFFFF));
}

void MeasureUnrotated(ICanvas& canvas, const std::string& text, TFx3DCaption* effect,
                      bool showAccelChar, bool multiLine, TRect& rect) {
    if (effect && effect->AsCaption())
        static_cast<TFxCaption*>(effect)->SetTextOrigin(0, 0);
    std::string copy = text.substr(0, MaxEffectTextLength);
    unsigned format = DTF_CALCRECT | DTF_EXPANDTABS;
    if (multiLine)
        format |= DTF_WORDBREAK;
    if (!showAccelChar)
        format |= DTF_NOPREFIX;
    // An empty caption, or a lone accelerator mark, still takes the room of one space.
    if (copy.empty() || (showAccelChar && copy == "&"))
        copy = " ";
    if (effect && effect->Tracing() != 0)
        canvas.SetTextCharacterExtra(effect->Tracing());
    canvas.DrawTextIn(copy, rect, format);
    const int extent = effect ? effect->Extent() : 0;
    rect.Right += extent;
    rect.Bottom += extent;
}

void MeasureRotated(ICanvas& canvas, const std::string& text, TFxCaption& caption, TRect& rect) {
    if (caption.Tracing() != 0)
        canvas.SetTextCharacterExtra(caption.Tracing());
    const TPoint size = canvas.TextExtent(text);
    const int extent = caption.Extent();
    rect = RotatedBounds({0, 0, size.X + extent, size.Y + extent}, caption.Angle());

    const int hw = size.X / 2;
    const int hh = size.Y / 2;
    const int cx = rect.Left + rect.Width() / 2;
    const int cy = rect.Top + rect.Height() / 2;
    const long double radians =
        static_cast<long double>(caption.Angle()) * std::numbers::pi_v<long double> * (1.0L / 180);
    const long double c = std::cos(radians);
    const long double s = std::sin(radians);
    // Pulls the start point back towards the effect's extra layers.
    const int adjust = std::max(0, extent / 2 - 1);
    caption.SetPosX(ToOrigin(Round(cx - c * hw - s * hh) - adjust));
    caption.SetPosY(ToOrigin(Round(cy + s * hw - c * hh) - adjust));
}

} // namespace

void DrawEffectText(ICanvas& canvas, const std::string& text, const TFx3DCaption* effect,
                    const std::optional<TRect>& clip, TFxDrawFlags flags, unsigned format,
                    const TRect& rect, TFittingFace* fitting) {
    if (text.empty() || rect.IsEmpty())
        return;
    const std::string copy = text.substr(0, MaxEffectTextLength);
    if (!effect) {
        TRect r = rect;
        if (fitting)
            canvas.FitFont(copy, r, format, *fitting);
        canvas.DrawTextIn(copy, r, format);
        return;
    }
    const TextMode mode = ModeOf(effect);
    const TFxCaption* caption = effect ? effect->AsCaption() : nullptr;

    SurfaceRestorer restorer(canvas);
    if (flags & dfClip)
        restorer.Clip(clip.value_or(rect));

    TFxThreeDStyle style = effect->Style();
    TColor face;
    if ((flags & dfEnabled) || effect->DisabledStyle() == dsNone) {
        const bool faceIsBackground = style == tdPColorSunken || style == tdPColorRaised;
        face = faceIsBackground ? canvas.BrushColor() : canvas.TextColor();
    } else {
        face = clGrayText;
        if (effect->DisabledStyle() == ds3d ||
            (effect->DisabledStyle() == dsAuto && (flags & dfSunkenWhenDisabled)))
            style = tdSunken;
    }

    TRect t = rect;
    if (caption) {
        t.Left += caption->PosX();
        t.Top += caption->PosY();
    }
    if (mode == TextMode::Rotated)
        canvas.SetFont(canvas.Font(), caption->Angle() * 10);
    if (effect->Tracing() != 0)
        restorer.Space(effect->Tracing());
    canvas.SetBrushStyle(TBrushStyle::Clear);
    t.Right -= effect->StyleExtent(style);
    if (fitting && mode != TextMode::Rotated)
        canvas.FitFont(copy, t, format, *fitting);

    const Layers layers = LayersOf(style, *effect, face);
    for (int i = 0; i < layers.Count; ++i) {
        const Layer& layer = layers.Steps[i];
        canvas.SetTextColor(layer.Color);
        if (mode == TextMode::Rotated) {
            t.Left += layer.Offset;
            t.Top += layer.Offset;
            canvas.TextOutAt(t.Left, t.Top, copy);
        } else {
            if (layer.Offset != 0)
                OffsetRect(t, layer.Offset, layer.Offset);
            TRect r = t;
            canvas.DrawTextIn(copy, r, format);
        }
    }
}

void MeasureEffectText(IScreen& screen, const std::string& text, TFx3DCaption* effect,
                       int bevelExtent, bool showAccelChar, bool multiLine, const TFontDesc& font,
                       TRect& rect) {
    const std::unique_ptr<ICanvas> canvas = screen.CreateMeasuringCanvas();
    canvas->SetFont(font);
    if (ModeOf(effect) == TextMode::Rotated)
        MeasureRotated(*canvas, text, static_cast<TFxCaption&>(*effect), rect);
    else
        MeasureUnrotated(*canvas, text, effect, showAccelChar, multiLine, rect);
    rect.Right += (bevelExtent + 1) * 2;
    rect.Bottom += (bevelExtent + 1) * 2;
}

TRect PlaceEffectText(IScreen& screen, TFxAlignment alignment, const std::string& text,
                      TFx3DCaption* effect, bool showAccelChar, bool multiLine,
                      const TFontDesc& font, const TRect& rect) {
    TRect m = rect;
    m.Right -= 1;
    MeasureEffectText(screen, text, effect, 0, showAccelChar, multiLine, font, m);
    const int mw = m.Width();
    const int mh = m.Height();
    const int offsets[][3] = {
        {0, (rect.Width() - mw) / 2, rect.Width() - mw},
        {0, (rect.Height() - mh) / 2, rect.Height() - mh},
    };
    const int ox = offsets[0][AlignmentColumn(alignment)];
    const int oy = offsets[1][AlignmentRow(alignment)];
    return {rect.Left + ox, rect.Top + oy, rect.Left + ox + mw, rect.Top + oy + mh};
}

TRect RotatedBounds(const TRect& rect, int angle) {
    if (angle == 0)
        return rect;
    const long double s = std::sin(angle * DegreesToRadians);
    const long double c = std::cos(angle * DegreesToRadians);
    const int hw = rect.Width() / 2;
    const int hh = rect.Height() / 2;
    const int cx = rect.Left + hw;
    const int cy = rect.Top + hh;
    const int xs[] = {cx - Round(hw * c - hh * s), cx - Round(hw * c + hh * s),
                      cx + Round(hw * c + hh * s), cx + Round(hw * c - hh * s)};
    const int ys[] = {cy + Round(hw * s - hh * c), cy + Round(hw * s + hh * c),
                      cy - Round(hw * s + hh * c), cy - Round(hw * s - hh * c)};
    const auto [minX, maxX] = std::minmax_element(std::begin(xs), std::end(xs));
    const auto [minY, maxY] = std::minmax_element(std::begin(ys), std::end(ys));
    return {0, 0, *maxX - *minX, *maxY - *minY};
}

bool IsTrueTypeFace(IScreen& screen, const std::string& name) {
    return (screen.FontPitchAndFamily(name, 10, 10) & TMPF_TRUETYPE_BIT) != 0;
}

} // namespace setup
