// The window that windowless controls sit on, for tests: records invalidations and paints
// each immediate repaint on a fresh recording canvas.
#pragma once

#include "ui/Control.h"
#include "ui/fake/RecordingCanvas.h"

#include <deque>
#include <utility>
#include <vector>

namespace setup {

class FakeControlParent : public IControlParent {
public:
    bool HasWindow() const override { return Window; }
    void InvalidateRect(const TRect& rect) override { Invalidated.push_back(rect); }
    void PaintControlNow(TGraphicControl& control) override {
        Paints.emplace_back();
        control.Paint(Paints.back());
    }
    TColor ParentColor() const override { return Color; }
    TFontDesc ParentFont() const override { return Font; }
    void AccessibleChanged(const TGraphicControl& control, TAccessChange change) override {
        Changes.emplace_back(&control, change);
    }

    bool Window = true;
    TColor Color = clBtnFace;
    TFontDesc Font{"MS Sans Serif", -11, 0, clWindowText, DEFAULT_CHARSET_ID};
    std::vector<TRect> Invalidated;
    std::deque<RecordingCanvas> Paints; // one per immediate repaint, in order
    std::vector<std::pair<const TGraphicControl*, TAccessChange>> Changes; // told to readers
};

} // namespace setup
