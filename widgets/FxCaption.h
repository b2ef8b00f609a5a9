// The font effect: sunken, raised, shadowed or embossed text made of two or three copies of
// the caption at small diagonal offsets, optionally rotated and spaced out.
#pragma once

#include "ui/Graphics.h"
#include "widgets/FxObject.h"

#include <cstdint>

namespace setup {

// Values above tdShadow draw and measure as tdNone.
enum TFxThreeDStyle : uint8_t {
    tdNone,
    tdSunken,
    tdRaised,
    tdSunkenShadow,
    tdRaisedShadow,
    tdPColorSunken,
    tdPColorRaised,
    tdShadow,
};

// Look of the text when the control drawing it is disabled.
enum TFxDisabledStyle : uint8_t { dsAuto, dsStandard, ds3d, dsNone };

// Nine positions: value div 3 is the row (top, middle, bottom), value mod 3 the column.
enum TFxAlignment : uint8_t {
    agTopLeft,
    agTopCenter,
    agTopRight,
    agCenterLeft,
    agCenter,
    agCenterRight,
    agBottomLeft,
    agBottomCenter,
    agBottomRight,
};

enum TFxRowOrColumn { rcFirst, rcMiddle, rcLast };
inline TFxRowOrColumn AlignmentRow(TFxAlignment a) {
    return TFxRowOrColumn(a / 3);
}
inline TFxRowOrColumn AlignmentColumn(TFxAlignment a) {
    return TFxRowOrColumn(a % 3);
}
// The DrawTextIn flags that place text at alignment a.
unsigned AlignmentFlags(TFxAlignment a);

// How DrawEffectText is asked to draw.
using TFxDrawFlags = uint8_t;
enum : TFxDrawFlags {
    dfDisabled = 0x01,
    dfEnabled = 0x02,
    dfSunkenWhenDisabled = 0x04, // with dsAuto, draw a disabled caption sunken
    dfClip = 0x08,               // clip to the given rectangle
};

class TFx3DCaption : public TFxObject {
public:
    void Assign(const TFxObject& source) override;
    const char* ClassName() const override { return "TFx3DCaption"; }
    const TFx3DCaption* AsEffect() const override { return this; }

    TFxDisabledStyle DisabledStyle() const { return Props.DisabledStyle; }
    uint8_t LightDepth() const { return Props.LightDepth; }
    uint8_t ShadowDepth() const { return Props.ShadowDepth; }
    TColor LightColor() const { return Props.LightColor; }
    TColor ShadowColor() const { return Props.ShadowColor; }
    TFxThreeDStyle Style() const { return Props.Style; }
    int32_t Tracing() const { return Props.Tracing; } // extra pixels after every character

    void SetDisabledStyle(TFxDisabledStyle value) { Change(Props.DisabledStyle, value); }
    void SetLightDepth(uint8_t value) { Change(Props.LightDepth, value); }
    void SetShadowDepth(uint8_t value) { Change(Props.ShadowDepth, value); }
    void SetLightColor(TColor value) { Change(Props.LightColor, value); }
    void SetShadowColor(TColor value) { Change(Props.ShadowColor, value); }
    void SetStyle(TFxThreeDStyle value) { Change(Props.Style, value); }
    void SetTracing(int32_t value) { Change(Props.Tracing, value); }

    // Pixels the style adds to the measured text, and pulls the layout's right edge in by.
    int Extent() const { return StyleExtent(Props.Style); }
    int StyleExtent(TFxThreeDStyle style) const;

protected:
    // Copies the effect's own values without notifying.
    void CopyEffect(const TFx3DCaption& source) { Props = source.Props; }

private:
    struct Values {
        TFxDisabledStyle DisabledStyle = dsAuto;
        uint8_t LightDepth = 1;
        uint8_t ShadowDepth = 1;
        TColor LightColor = clBtnHighlight;
        TColor ShadowColor = clBtnShadow;
        TFxThreeDStyle Style = tdNone;
        int32_t Tracing = 0;
    };
    Values Props;
};

// Adds rotation and the text origin to the effect.
class TFxCaption : public TFx3DCaption {
public:
    static constexpr int MaxAngle = 360;

    void Assign(const TFxObject& source) override;
    const char* ClassName() const override { return "TFxCaption"; }
    const TFxCaption* AsCaption() const override { return this; }

    uint16_t Angle() const { return AngleValue; } // degrees, counter-clockwise, 0..359
    uint16_t PosX() const { return Origin.X; }
    uint16_t PosY() const { return Origin.Y; }

    // 360 stores 0; values outside 0..360 throw EInvalidOperation.
    void SetAngle(int degrees);
    void SetPosX(uint16_t value) { Change(Origin.X, value); }
    void SetPosY(uint16_t value) { Change(Origin.Y, value); }
    // Sets both without notifying; a lock the caller holds stays held.
    void SetTextOrigin(uint16_t x, uint16_t y);

private:
    struct TextOrigin {
        uint16_t X = 0;
        uint16_t Y = 0;
    };
    uint16_t AngleValue = 0;
    TextOrigin Origin;
};

} // namespace setup
