// The effect-text label: a windowless control that draws its caption with a font effect on
// its parent's surface, aligned in nine positions, optionally rotated, word-wrapped, sized to
// its text and framed by a bevel.
//
// Hosting: construct it with the window it sits on (an IControlParent, which paints it
// through Paint) and the screen service it measures text with (ui/Screen.h; the
// program passes one TWin32Screen, the tests a FakeScreen); both must outlive the label.
// A host that builds a label from stored properties sets csLoading and csReading first,
// clears them when done and then calls AfterLoad.
#pragma once

#include "ui/Control.h"
#include "ui/Screen.h"
#include "ui/TextFit.h"
#include "widgets/FxBevel.h"
#include "widgets/FxCaption.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace setup {

enum TComponentState : uint8_t {
    csLoading = 0x01,   // the window and its children are being built
    csReading = 0x02,   // this control's stored properties are being read
    csDesigning = 0x04, // shown in a designer rather than running
};

// A windowed control that an accelerator key can move the focus to.
class IFocusTarget {
public:
    virtual ~IFocusTarget() = default;
    virtual bool CanFocus() const = 0;
    virtual void SetFocus() = 0;
};

class TFxBaseControl;
// kind: bcResized, bcMoved or both.
using TFxBoundsEvent = std::function<void(TFxBaseControl& sender, int kind)>;
enum : int { bcResized = 1, bcMoved = 2 };

// Adds to the host's windowless control the properties it leaves to its controls (enabled
// state, caption, colour and font with their parent defaults, component states) and a
// bounds-change notification.
class TFxBaseControl : public TGraphicControl {
public:
    explicit TFxBaseControl(IControlParent* parent);

    TFxBoundsEvent OnBoundsChange;

    // Tells BoundsChanged what changed; does nothing when nothing does.
    void SetBounds(int left, int top, int width, int height) override;

    bool HasState(TComponentState state) const { return (States & state) != 0; }
    void SetState(TComponentState state, bool on);

protected:
    bool Enabled() const { return IsEnabled; }
    void SetEnabled(bool value);
    const std::string& Caption() const { return Text; }
    void SetCaption(const std::string& value);
    TColor Color() const { return ColorValue; }
    void SetColor(TColor value);
    bool ParentColor() const { return TakesParentColor; }
    void SetParentColor(bool value);
    const TFontDesc& Font() const { return FontValue; }
    void SetFont(const TFontDesc& value);
    bool ParentFont() const { return TakesParentFont; }
    void SetParentFont(bool value);

    // Stores font and sends the font-changed notification even when nothing differs.
    void AssignFont(const TFontDesc& value);
    void ClearParentFont() { TakesParentFont = false; }

    // The host's text-changed and font-changed notifications.
    virtual void TextChanged() { Invalidate(); }
    virtual void FontChanged() { Invalidate(); }

    virtual void BoundsChanged(int kind);
    virtual void ContentChanged();
    virtual bool HasNothingToDraw() const { return true; }

private:
    bool IsEnabled = true;
    std::string Text;
    TColor ColorValue = clWindow;
    bool TakesParentColor = true;
    TFontDesc FontValue;
    bool TakesParentFont = true;
    uint8_t States = 0;
};

// Adds transparency and the painting flag.
class TFxBaseGraphicControl : public TFxBaseControl {
public:
    explicit TFxBaseGraphicControl(IControlParent* parent);

    // True while a paint is in progress; a paint requested meanwhile does nothing.
    bool Painting() const { return IsPainting; }

protected:
    bool Transparent() const { return IsTransparent; }
    // An opaque control covers its whole rectangle and repaints itself at once.
    void SetTransparent(bool value);

    void ContentChanged() override { UpdateView(); }
    // Transparent (or designed): invalidate, so the parent redraws behind; else paint now.
    void UpdateView();

    // Sets the painting flag for its lifetime.
    class PaintingScope {
    public:
        explicit PaintingScope(TFxBaseGraphicControl& control) : Control(control) {
            Control.IsPainting = true;
        }
        ~PaintingScope() { Control.IsPainting = false; }
        PaintingScope(const PaintingScope&) = delete;
        PaintingScope& operator=(const PaintingScope&) = delete;

    private:
        TFxBaseGraphicControl& Control;
    };

private:
    bool IsTransparent = true;
    bool IsPainting = false;
};

// Which of the label's look objects reported a change.
enum class TFxEffectSender { Font, FontFx };

// Adds alignment, auto-size, multi-line, the accelerator character and its focus control.
class TFxBaseLabel : public TFxBaseGraphicControl {
public:
    explicit TFxBaseLabel(IControlParent* parent);

    // The host's dialog-character notification: moves the focus to FocusControl when key is
    // the caption's accelerator character; returns whether it did (the key is then handled).
    bool DialogChar(char key);
    // The host's notice that control is going away; a FocusControl reference to it is dropped.
    void ControlRemoved(const IFocusTarget& control);
    // Run once the stored properties have been read.
    void AfterLoad();

    // The font the label's canvas draws with.
    const TFontDesc& CanvasFont() const { return CanvasFontValue; }
    // Static text named by the whole caption.
    TAccessDescription Describe() const override;

protected:
    TFxAlignment Alignment() const { return AlignmentValue; }
    void SetAlignment(TFxAlignment value);
    bool AutoSize() const { return IsAutoSize; }
    void SetAutoSize(bool value);
    bool MultiLine() const { return IsMultiLine; }
    void SetMultiLine(bool value);
    bool ShowAccelChar() const { return ShowsAccelChar; }
    void SetShowAccelChar(bool value);
    IFocusTarget* FocusControl() const { return FocusTarget; }
    void SetFocusControl(IFocusTarget* value) { FocusTarget = value; }

    void ContentChanged() override;
    bool HasNothingToDraw() const override;
    void TextChanged() override;
    void FontChanged() override { HandleEffectChange(TFxEffectSender::Font); }
    virtual void ApplyAutoSize() {}
    virtual void HandleEffectChange(TFxEffectSender sender);

private:
    bool ShowsAccelChar = true;
    bool IsAutoSize = true;
    bool IsMultiLine = false;
    TFxAlignment AlignmentValue = agTopLeft;
    IFocusTarget* FocusTarget = nullptr;
    TFontDesc CanvasFontValue;
};

// The label itself: owns the bevel and the font effect, measures and paints, and publishes
// the properties its bases keep.
class TFxLabel : public TFxBaseLabel {
public:
    static constexpr int DefaultSize = 30;

    TFxLabel(IControlParent* parent, IScreen& screen);
    ~TFxLabel() override;

    // Sets the canvas font, then paints.
    void Paint(ICanvas& canvas) override;
    // Draws the label on canvas (origin at its top-left corner).
    void PaintLabel(ICanvas& canvas);

    TFxBevel& Bevel() { return *BevelValue; }
    // Copies value into the bevel; throws EInvalidOperation, changing nothing, for another class.
    void SetBevel(const TFxObject& value) { BevelValue->Assign(value); }
    TFxCaption& FontFx() { return *FontFxValue; }
    // Copies value into the font effect; throws EInvalidOperation for another class.
    void SetFontFx(const TFxObject& value) { FontFxValue->Assign(value); }

    using TFxBaseControl::Caption;
    using TFxBaseControl::Color;
    using TFxBaseControl::Enabled;
    using TFxBaseControl::Font;
    using TFxBaseControl::ParentColor;
    using TFxBaseControl::ParentFont;
    using TFxBaseControl::SetCaption;
    using TFxBaseControl::SetColor;
    using TFxBaseControl::SetEnabled;
    using TFxBaseControl::SetFont;
    using TFxBaseControl::SetParentColor;
    using TFxBaseControl::SetParentFont;
    using TFxBaseGraphicControl::SetTransparent;
    using TFxBaseGraphicControl::Transparent;
    using TFxBaseLabel::Alignment;
    using TFxBaseLabel::AutoSize;
    using TFxBaseLabel::FocusControl;
    using TFxBaseLabel::MultiLine;
    using TFxBaseLabel::SetAlignment;
    using TFxBaseLabel::SetAutoSize;
    using TFxBaseLabel::SetFocusControl;
    using TFxBaseLabel::SetMultiLine;
    using TFxBaseLabel::SetShowAccelChar;
    using TFxBaseLabel::ShowAccelChar;

protected:
    bool HasNothingToDraw() const override;
    void ApplyAutoSize() override;
    void HandleEffectChange(TFxEffectSender sender) override;

private:
    TRect PlaceCaption(const TRect& rect);

    IScreen& Screen;
    std::unique_ptr<TFxBevel> BevelValue;
    std::unique_ptr<TFxCaption> FontFxValue;
    TFittingFace Face;
};

} // namespace setup
