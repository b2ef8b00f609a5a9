// Windowless controls: drawn by their parent window on its surface, inside their bounds.
#pragma once

#include "ui/Accessible.h"
#include "ui/Canvas.h"
#include "ui/Graphics.h"

namespace setup {

class TGraphicControl;

// What a windowless control needs from the window it sits on.
class IControlParent {
public:
    virtual ~IControlParent() = default;
    virtual bool HasWindow() const = 0;
    // Queues a repaint of rect (parent client coordinates); the parent redraws what lies behind.
    virtual void InvalidateRect(const TRect& rect) = 0;
    // Paints the control at once on the parent's surface, clipped to its bounds, origin at its
    // top-left corner; nothing behind it is erased first.
    virtual void PaintControlNow(TGraphicControl& control) = 0;
    virtual TColor ParentColor() const = 0;
    virtual TFontDesc ParentFont() const = 0;
    // What control tells a screen reader has changed; a parent no reader can reach ignores it.
    virtual void AccessibleChanged(const TGraphicControl& control, TAccessChange change) {
        (void)control;
        (void)change;
    }
};

class TGraphicControl {
public:
    explicit TGraphicControl(IControlParent* parent) : Parent(parent) {}
    virtual ~TGraphicControl() = default;
    TGraphicControl(const TGraphicControl&) = delete;
    TGraphicControl& operator=(const TGraphicControl&) = delete;

    // Draws the whole control on canvas, whose origin is the control's top-left corner.
    virtual void Paint(ICanvas& canvas) = 0;
    // Called before every paint of the parent, wherever the paint falls: a control that sizes
    // itself to its content measures here.
    virtual void AdjustBounds(ICanvas& canvas) { (void)canvas; }
    // What the control tells a screen reader; a plain one says nothing.
    virtual TAccessDescription Describe() const { return {}; }

    int Left() const { return Bounds.Left; }
    int Top() const { return Bounds.Top; }
    int Width() const { return Bounds.Width(); }
    int Height() const { return Bounds.Height(); }
    const TRect& BoundsRect() const { return Bounds; }
    virtual void SetBounds(int left, int top, int width, int height) {
        const TRect old = Bounds;
        Invalidate();
        Bounds = {left, top, left + width, top + height};
        Invalidate();
        if (Bounds != old)
            Announce(TAccessChange::Location);
    }
    void SetBoundsRect(const TRect& rect) {
        SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
    }

    bool Visible() const { return IsVisible; }
    void SetVisible(bool visible) {
        if (visible != IsVisible) {
            IsVisible = visible;
            if (Parent && Parent->HasWindow())
                Parent->InvalidateRect(Bounds);
        }
    }
    bool Opaque() const { return IsOpaque; }

    void Invalidate() {
        if (Parent && Parent->HasWindow())
            Parent->InvalidateRect(Bounds);
    }
    // Opaque controls paint at once; transparent ones let the parent redraw behind them.
    void Repaint() {
        if (!IsVisible || !Parent || !Parent->HasWindow())
            return;
        if (IsOpaque)
            Parent->PaintControlNow(*this);
        else
            Parent->InvalidateRect(Bounds);
    }

    IControlParent* Parent;

protected:
    // A description with the control's bounds and visibility.
    TAccessDescription Described(TAccessRole role, std::string name, bool readOnly = true) const {
        return {role, std::move(name), {}, Bounds, !IsVisible, readOnly};
    }
    void Announce(TAccessChange change) const {
        if (Parent)
            Parent->AccessibleChanged(*this, change);
    }

    TRect Bounds;
    bool IsVisible = true;
    bool IsOpaque = false;
};

} // namespace setup
