#include "ui/StdGraphics.h"

namespace setup {
void TLabel::SetCaption(const std::string& caption) {
    if (caption == Text)
        return;
    Text = caption;
    Measured = false;
    Invalidate();
    Announce(TAccessChange::Name);
}

void TLabel::SetFont(const TFontDesc& font) {
    OwnFont = font;
    ParentFont = false;
    Measured = false;
    Invalidate();
}

TFontDesc TLabel::Font() const {
    return ParentFont && Parent ? Parent->ParentFont() : OwnFont;
}

void TLabel::AdjustBounds(ICanvas& canvas) {
    if (!AutoSize || Measured)
        return;
    Measured = true;
    canvas.SetFont(Font());
    TRect needed{0, 0, WordWrap ? Width() : 0, 0};
    canvas.DrawTextIn(Text.empty() ? " " : Text, needed,
                      DTF_CALCRECT | PrefixFormat() | (WordWrap ? DTF_WORDBREAK : 0u));
    if (needed.Right != Width() || needed.Bottom != Height())
        SetBounds(Left(), Top(), needed.Right, needed.Bottom);
}

TAccessDescription TLabel::Describe() const {
    return Described(TAccessRole::StaticText, ShowAccelChar ? WithoutAccelMarks(Text) : Text);
}

unsigned TLabel::PrefixFormat() const {
    return ShowAccelChar ? 0u : unsigned(DTF_NOPREFIX);
}

void TLabel::Paint(ICanvas& canvas) {
    const TFontDesc font = Font();
    canvas.SetFont(font);
    TRect client{0, 0, Width(), Height()};
    if (!Transparent) {
        canvas.SetBrushStyle(TBrushStyle::Solid);
        canvas.SetBrushColor(Parent ? Parent->ParentColor() : clBtnFace);
        canvas.FillRect(client);
    }
    canvas.SetBrushStyle(TBrushStyle::Clear);
    canvas.SetTextColor(font.Color);
    const unsigned format = DTF_EXPANDTABS | PrefixFormat() | (WordWrap ? DTF_WORDBREAK : 0u);
    // A label's text, whatever face the system gives.
    canvas.FitFont(Text, client, format | DTF_FIT, Face);
    canvas.DrawTextIn(Text, client, format);
}

void TPanel::Paint(ICanvas& canvas) {
    const TRect client{0, 0, Width(), Height()};
    canvas.SetBrushStyle(TBrushStyle::Solid);
    canvas.SetBrushColor(Parent ? Parent->ParentColor() : clBtnFace);
    canvas.FillRect(client);
    if (BevelOuter == TBevelCut::Lowered)
        DrawFrame(canvas, client, clBtnShadow, clBtnHighlight);
    else if (BevelOuter == TBevelCut::Raised)
        DrawFrame(canvas, client, clBtnHighlight, clBtnShadow);
}

void TGroupBox::Paint(ICanvas& canvas) {
    const TFontDesc font = Parent ? Parent->ParentFont() : TFontDesc{};
    canvas.SetFont(font);
    const int textHeight = canvas.TextHeight();
    const int top = textHeight / 2 - 1;
    // Etched: a shadow frame with a highlight frame one pixel right of and below it.
    canvas.SetBrushStyle(TBrushStyle::Solid);
    const TRect frame{0, top, Width() - 1, Height() - 1};
    DrawFrame(canvas, frame, clBtnHighlight, clBtnHighlight, fsAllSides, 1);
    DrawFrame(canvas, frame, clBtnShadow, clBtnShadow);
    if (Caption.empty())
        return;
    TRect text{8, 0, 8, textHeight};
    canvas.DrawTextIn(Caption, text, DTF_CALCRECT | DTF_SINGLELINE);
    canvas.SetBrushStyle(TBrushStyle::Solid);
    canvas.SetBrushColor(Parent ? Parent->ParentColor() : clBtnFace);
    canvas.FillRect(text);
    canvas.SetBrushStyle(TBrushStyle::Clear);
    canvas.SetTextColor(font.Color);
    canvas.DrawTextIn(Caption, text, DTF_SINGLELINE);
}

TAccessDescription TGroupBox::Describe() const {
    // A rule has no caption; a caption that starts off the window is never seen.
    if (Caption.empty() || Left() + 8 < 0)
        return {};
    std::string name = WithoutAccelMarks(Caption);
    const size_t first = name.find_first_not_of(' ');
    name.erase(0, first == std::string::npos ? name.size() : first);
    name.erase(name.find_last_not_of(' ') + 1);
    return Described(TAccessRole::Grouping, name, false);
}

void TImage::SetPicture(std::unique_ptr<IBitmap> picture) {
    Bitmap = std::move(picture);
    Invalidate();
}

void TImage::Paint(ICanvas& canvas) {
    if (!Bitmap)
        return;
    if (Stretch)
        canvas.StretchDraw({0, 0, Width(), Height()}, *Bitmap);
    else
        canvas.Draw(0, 0, *Bitmap, Transparent);
}

} // namespace setup
