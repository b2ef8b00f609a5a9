#include "widgets/FxLabel.h"

#include "base/PathText.h"
#include "widgets/EffectText.h"

namespace setup {

namespace {

constexpr char RotatableFace[] = "Arial";

} // namespace

// ---- TFxBaseControl ----

TFxBaseControl::TFxBaseControl(IControlParent* parent) : TGraphicControl(parent) {
    if (parent) {
        ColorValue = parent->ParentColor();
        FontValue = parent->ParentFont();
    }
}

void TFxBaseControl::SetBounds(int left, int top, int width, int height) {
    int kind = 0;
    if (left != Bounds.Left || top != Bounds.Top)
        kind |= bcMoved;
    if (width != Bounds.Width() || height != Bounds.Height())
        kind |= bcResized;
    if (kind == 0)
        return;
    TGraphicControl::SetBounds(left, top, width, height);
    if (!HasState(csLoading))
        BoundsChanged(kind);
}

void TFxBaseControl::SetState(TComponentState state, bool on) {
    States = on ? (States | state) : (States & ~state);
}

void TFxBaseControl::SetEnabled(bool value) {
    if (value == IsEnabled)
        return;
    IsEnabled = value;
    Repaint();
}

void TFxBaseControl::SetCaption(const std::string& value) {
    if (value == Text)
        return;
    Text = value;
    TextChanged();
}

void TFxBaseControl::SetColor(TColor value) {
    if (value == ColorValue)
        return;
    ColorValue = value;
    TakesParentColor = false;
    Repaint();
}

void TFxBaseControl::SetParentColor(bool value) {
    if (value == TakesParentColor)
        return;
    TakesParentColor = value;
    if (value && Parent) {
        ColorValue = Parent->ParentColor();
        Repaint();
    }
}

void TFxBaseControl::SetFont(const TFontDesc& value) {
    if (!(value == FontValue))
        AssignFont(value);
}

void TFxBaseControl::SetParentFont(bool value) {
    if (value == TakesParentFont)
        return;
    TakesParentFont = value;
    if (value && Parent) {
        AssignFont(Parent->ParentFont());
        // Taking the parent's font is no font choice of the control's own.
        TakesParentFont = true;
    }
}

void TFxBaseControl::AssignFont(const TFontDesc& value) {
    FontValue = value;
    FontChanged();
}

void TFxBaseControl::BoundsChanged(int kind) {
    if (OnBoundsChange)
        OnBoundsChange(*this, kind);
}

void TFxBaseControl::ContentChanged() {
    Invalidate();
}

// ---- TFxBaseGraphicControl ----

TFxBaseGraphicControl::TFxBaseGraphicControl(IControlParent* parent) : TFxBaseControl(parent) {
    IsOpaque = false;
}

void TFxBaseGraphicControl::SetTransparent(bool value) {
    if (value == IsTransparent)
        return;
    IsOpaque = !value;
    IsTransparent = value;
    UpdateView();
}

void TFxBaseGraphicControl::UpdateView() {
    if (IsTransparent || HasState(csDesigning))
        Invalidate();
    else
        Repaint();
}

// ---- TFxBaseLabel ----

TFxBaseLabel::TFxBaseLabel(IControlParent* parent)
    : TFxBaseGraphicControl(parent), CanvasFontValue(Font()) {}

bool TFxBaseLabel::DialogChar(char key) {
    if (!ShowsAccelChar || !FocusTarget || !Enabled())
        return false;
    const std::string& caption = Caption();
    const size_t mark = caption.find('&');
    if (mark == std::string::npos || mark + 1 >= caption.size())
        return false;
    if (!SameLetter(key, caption[mark + 1]) || !FocusTarget->CanFocus())
        return false;
    FocusTarget->SetFocus();
    return true;
}

void TFxBaseLabel::ControlRemoved(const IFocusTarget& control) {
    if (FocusTarget == &control)
        FocusTarget = nullptr;
}

void TFxBaseLabel::AfterLoad() {
    CanvasFontValue = Font();
    ApplyAutoSize();
}

void TFxBaseLabel::SetAlignment(TFxAlignment value) {
    if (value == AlignmentValue)
        return;
    AlignmentValue = value;
    ContentChanged();
}

void TFxBaseLabel::SetAutoSize(bool value) {
    if (value == IsAutoSize)
        return;
    IsAutoSize = value;
    ApplyAutoSize();
}

void TFxBaseLabel::SetMultiLine(bool value) {
    if (value == IsMultiLine)
        return;
    IsMultiLine = value;
    ContentChanged();
}

void TFxBaseLabel::SetShowAccelChar(bool value) {
    if (value == ShowsAccelChar)
        return;
    ShowsAccelChar = value;
    UpdateView();
}

void TFxBaseLabel::ContentChanged() {
    ApplyAutoSize();
    UpdateView();
}

bool TFxBaseLabel::HasNothingToDraw() const {
    return Transparent() && Caption().empty();
}

void TFxBaseLabel::TextChanged() {
    ApplyAutoSize();
    UpdateView();
    Announce(TAccessChange::Name);
}

TAccessDescription TFxBaseLabel::Describe() const {
    return Described(TAccessRole::StaticText,
                     ShowAccelChar() ? WithoutAccelMarks(Caption()) : Caption());
}

void TFxBaseLabel::HandleEffectChange(TFxEffectSender sender) {
    if (sender == TFxEffectSender::Font)
        ClearParentFont();
    if (!HasState(csReading))
        CanvasFontValue = Font();
    ContentChanged();
}

// ---- TFxLabel ----

TFxLabel::TFxLabel(IControlParent* parent, IScreen& screen)
    : TFxBaseLabel(parent), Screen(screen), BevelValue(std::make_unique<TFxBevel>()),
      FontFxValue(std::make_unique<TFxCaption>()) {
    Bounds = {0, 0, DefaultSize, DefaultSize};
    BevelValue->SetOnChange([this](TFxObject&) { ContentChanged(); });
    FontFxValue->SetOnChange([this](TFxObject&) { HandleEffectChange(TFxEffectSender::FontFx); });
}

TFxLabel::~TFxLabel() {
    FontFxValue->SetOnChange(nullptr);
    BevelValue->SetOnChange(nullptr);
    FontFxValue.reset();
    BevelValue.reset();
}

void TFxLabel::Paint(ICanvas& canvas) {
    canvas.SetFont(CanvasFont());
    PaintLabel(canvas);
}

void TFxLabel::PaintLabel(ICanvas& canvas) {
    if (Painting() || HasState(csLoading) || HasNothingToDraw())
        return;
    const PaintingScope painting(*this);

    const TRect client{0, 0, Width(), Height()};
    if (!Transparent()) {
        canvas.SetBrushStyle(TBrushStyle::Solid);
        canvas.SetBrushColor(Color());
        canvas.FillRect(client);
    }

    TRect r = client;
    TFxDrawFlags flags = Enabled() ? dfEnabled : dfDisabled;
    std::optional<TRect> clip;
    if (BevelValue->BevelExtent() != 0) {
        const bool paintBands = !Transparent() && BevelValue->BorderColor() != Color();
        r = BevelValue->Draw(canvas, r, paintBands);
        clip = r;
        flags |= dfClip;
    }

    unsigned format = AlignmentFlags(Alignment()) | DTF_WORDBREAK | DTF_EXPANDTABS;
    if (!ShowAccelChar())
        format |= DTF_NOPREFIX;
    // An auto-sized label was measured with word breaks and no single-line layout, so it
    // is drawn the same way.
    if (!AutoSize()) {
        if (FontFxValue->Angle() != 0) {
            format |= DTF_SINGLELINE;
            if (Alignment() != agTopLeft)
                r = PlaceCaption(r);
        } else if (!MultiLine()) {
            format |= DTF_SINGLELINE;
        } else if (AlignmentRow(Alignment()) != rcFirst) {
            r = PlaceCaption(r);
        }
    }

    canvas.SetBrushColor(Color());
    canvas.SetTextColor(Font().Color);
    DrawEffectText(canvas, Caption(), FontFxValue.get(), clip, flags, format, r, &Face);
}

TRect TFxLabel::PlaceCaption(const TRect& rect) {
    return PlaceEffectText(Screen, Alignment(), Caption(), FontFxValue.get(), ShowAccelChar(),
                           MultiLine(), Font(), rect);
}

bool TFxLabel::HasNothingToDraw() const {
    return Transparent() && IsBlank(Caption()) && BevelValue->BevelExtent() == 0;
}

void TFxLabel::ApplyAutoSize() {
    if (!AutoSize() || HasState(csReading))
        return;
    TRect r{0, 0, Width(), Height()};
    MeasureEffectText(Screen, Caption(), FontFxValue.get(), BevelValue->BevelExtent(),
                      ShowAccelChar(), MultiLine(), Font(), r);
    SetBounds(Left(), Top(), r.Right, r.Bottom);
}

void TFxLabel::HandleEffectChange(TFxEffectSender sender) {
    if (sender == TFxEffectSender::Font)
        ClearParentFont();
    // Only TrueType faces can be drawn rotated.
    if (FontFxValue->Angle() != 0 && !IsTrueTypeFace(Screen, Font().Name)) {
        if (sender == TFxEffectSender::FontFx) {
            TFontDesc font = Font();
            font.Name = RotatableFace;
            // Sent even when the face already is that one, so that a face that cannot turn
            // gives up the angle instead.
            AssignFont(font);
            return;
        }
        FontFxValue->SetAngle(0);
    }
    TFxBaseLabel::HandleEffectChange(sender);
}

} // namespace setup
