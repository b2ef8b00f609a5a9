// The frame drawn around an effect-text label's caption, and the room it takes.
#pragma once

#include "ui/Canvas.h"
#include "widgets/FxObject.h"

#include <cstdint>

namespace setup {

enum TFxBevelStyle : uint8_t {
    bvNone,
    bvLowered,
    bvRaised,
    bvFrameLowered,
    bvFrameRaised,
    bvNormal,
    bvShadow,
};

enum TFxBevelMode : uint8_t { bmCustom, bmStandard, bmEdge };

enum TFxBorderStyle : uint8_t {
    lsNone,
    lsSingle,
    lsLowered,
    lsRaised,
    lsRaisedspb,
    lsLoweredspb,
    lsRaisedExt,
    lsLoweredExt,
    lsFrameInset,
    lsFrameOffset,
    lsWindowBorder,
    lsSingleRaised,
    lsSingleLowered,
    lsDoubleRaised,
    lsDoubleLowered,
};

enum TFxEdgeStyle : uint8_t {
    etRaisedInner,
    etRaisedOuter,
    etSunkenInner,
    etSunkenOuter,
    etBump,
    etEtched,
    etRaised,
    etSunken,
};

using TFxFrameSides = TFrameSides;

class TFxBevel : public TFxObject {
public:
    static constexpr int MaxBevelWidth = 50;
    static constexpr int MaxBorderWidth = 255;

    void Assign(const TFxObject& source) override;
    const char* ClassName() const override { return "TFxBevel"; }
    const TFxBevel* AsBevel() const override { return this; }

    // Pixels the frame takes from each side; recomputed before every notification.
    int32_t BevelExtent() const { return Extent; }

    TFxBevelStyle StyleInner() const { return Props.StyleInner; }
    TFxBevelStyle StyleOuter() const { return Props.StyleOuter; }
    int WidthInner() const { return Props.WidthInner; }
    int WidthOuter() const { return Props.WidthOuter; }
    TColor BorderColor() const { return Props.BorderColor; }
    TFxFrameSides BorderSides() const { return Props.BorderSides; }
    int BorderWidth() const { return Props.BorderWidth; }
    int BorderInnerWidth() const { return Props.BorderInnerWidth; }
    TFxEdgeStyle EdgeStyle() const { return Props.EdgeStyle; }
    TColor LightColor() const { return Props.LightColor; }
    TFxBevelMode Mode() const { return Props.Mode; }
    TColor ShadowColor() const { return Props.ShadowColor; }
    TFxBorderStyle StandardStyle() const { return Props.StandardStyle; }

    // bvShadow is always chosen for both styles; leaving it sets the other style to bvNone.
    void SetStyleInner(TFxBevelStyle value);
    void SetStyleOuter(TFxBevelStyle value);
    // Widths 0..50; borders 0..255; out of range throws EInvalidOperation.
    void SetWidthInner(int value);
    void SetWidthOuter(int value);
    void SetBorderColor(TColor value) { Change(Props.BorderColor, value); }
    void SetBorderSides(TFxFrameSides value) { Change(Props.BorderSides, value); }
    void SetBorderWidth(int value);
    void SetBorderInnerWidth(int value);
    void SetEdgeStyle(TFxEdgeStyle value) { Change(Props.EdgeStyle, value); }
    void SetLightColor(TColor value) { Change(Props.LightColor, value); }
    void SetMode(TFxBevelMode value) { Change(Props.Mode, value); }
    void SetShadowColor(TColor value) { Change(Props.ShadowColor, value); }
    // Notifies only while Mode is bmStandard, where it is the one that shows.
    void SetStandardStyle(TFxBorderStyle value);

    // Draws the frame into rect and returns what lies inside it: rect less BevelExtent() on
    // every side. The plain bands (BorderWidth, BorderInnerWidth) are painted in BorderColor
    // only when paintPlainBands is true; otherwise they are left as they are.
    TRect Draw(ICanvas& canvas, const TRect& rect, bool paintPlainBands) const;

private:
    struct Values {
        TFxBevelStyle StyleInner = bvNone;
        TFxBevelStyle StyleOuter = bvNone;
        uint8_t WidthInner = 1;
        uint8_t WidthOuter = 1;
        TColor BorderColor = clBtnFace;
        TFxFrameSides BorderSides = fsAllSides;
        uint8_t BorderWidth = 0;
        uint8_t BorderInnerWidth = 0;
        TFxEdgeStyle EdgeStyle = etEtched;
        TColor LightColor = clBtnHighlight;
        TFxBevelMode Mode = bmCustom;
        TColor ShadowColor = clBtnShadow;
        TFxBorderStyle StandardStyle = lsSingleLowered;
    };

    void SetStyle(TFxBevelStyle& style, TFxBevelStyle& other, TFxBevelStyle value);
    // Recomputes the extent, then tells the owner.
    void Changed() override;
    int32_t ComputeExtent() const;

    Values Props;
    int32_t Extent = 0;
};

} // namespace setup
