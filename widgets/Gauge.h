// TGauge: a windowless control showing where Progress lies between MinValue and MaxValue as a
// whole-number percentage: as text, a horizontal or vertical bar, a pie or a needle dial, with
// the percentage written over it by exclusive-or so it reads on filled and unfilled parts.
#pragma once

#include "ui/Control.h"

namespace setup {

enum TGaugeKind { gkText, gkHorizontalBar, gkVerticalBar, gkPie, gkNeedle };
enum TBorderStyle { bsNone, bsSingle };

class TGauge : public TGraphicControl {
public:
    // 100 x 100, range 0..100 at 0, horizontal bar with text and a single border, black on
    // white; opaque, so a change repaints at once through the parent's surface.
    explicit TGauge(IControlParent* parent);

    TGaugeKind Kind() const { return FKind; }
    void SetKind(TGaugeKind kind);
    bool ShowText() const { return FShowText; }
    void SetShowText(bool show);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle style);
    TColor ForeColor() const { return FForeColor; }
    void SetForeColor(TColor color);
    TColor BackColor() const { return FBackColor; }
    void SetBackColor(TColor color);

    int MinValue() const { return FMinValue; }
    // Raises Progress to the new minimum if needed. Throws EInvalidOperation, changing nothing,
    // when the value lies above MaxValue (unless loading).
    void SetMinValue(int value);
    int MaxValue() const { return FMaxValue; }
    // Lowers Progress to the new maximum if needed. Throws EInvalidOperation, changing nothing,
    // when the value lies below MinValue (unless loading).
    void SetMaxValue(int value);
    int Progress() const { return FProgress; }
    // Clamps to the range; repaints only when the whole-number percentage changes.
    void SetProgress(int value);
    // (Progress - MinValue) * 100 / (MaxValue - MinValue), truncated; 0 for an empty range.
    int Percentage() const { return PercentageAt(FProgress); }

    // Background of the pie and the needle dial: the parent's colour unless set.
    TColor Color() const;
    void SetColor(TColor color);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool fromParent);
    // Face, size and style of the percentage text (its colour is not used): the parent's
    // font unless set.
    TFontDesc Font() const;
    void SetFont(const TFontDesc& font);
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool fromParent);

    // True while stored property values are being applied in any order: MinValue and
    // MaxValue may then cross; Progress is still clamped.
    void SetLoading(bool loading) { FLoading = loading; }

    // Composes the gauge off-screen and copies it to canvas at (0, 0) in one block.
    void Paint(ICanvas& canvas) override;
    // A progress bar whose value is the percentage as drawn ("42%").
    TAccessDescription Describe() const override;

    // Filled length of a bar: percentage x 0.01 x length in 80-bit extended precision,
    // truncated. The 80-bit 0.01 lies just below 1/100, so 10 % of 100 gives 9.
    static int FillLength(int percentage, int length);

private:
    void SetAndRepaint(auto& field, auto value);
    int PercentageAt(int progress) const;
    void PaintPicture(ICanvas& image, const TRect& r);
    void PaintBar(ICanvas& image, const TRect& r);
    void PaintPie(ICanvas& image, const TRect& r);
    void PaintNeedle(ICanvas& image, const TRect& r);
    void PaintText(ICanvas& canvas, IWorkImage& image, const TRect& r);

    TGaugeKind FKind = gkHorizontalBar;
    bool FShowText = true;
    TBorderStyle FBorderStyle = bsSingle;
    TColor FForeColor = clBlack;
    TColor FBackColor = clWhite;
    int FMinValue = 0;
    int FMaxValue = 100;
    int FProgress = 0;
    TColor FColor = clWindow;
    bool FParentColor = true;
    TFontDesc FFont;
    bool FParentFont = true;
    bool FLoading = false;
};

} // namespace setup
