#include "ui/fake/RecordingCanvas.h"

#include "ui/TextFit.h"

#include <algorithm>
#include <iterator>

namespace setup {

namespace {

// Resolves the "&" prefixes: "&&" shows one "&", a lone "&" shows nothing.
std::string StripPrefixes(const std::string& text) {
    std::string shown;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&')
            shown += text[i];
        else if (i + 1 < text.size() && text[i + 1] == '&')
            shown += text[++i];
    }
    return shown;
}

std::vector<std::string> SplitParagraphs(const std::string& text) {
    std::vector<std::string> paragraphs(1);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        if (text[i] == '\n')
            paragraphs.emplace_back();
        else
            paragraphs.back() += text[i];
    }
    return paragraphs;
}

// Greedy word wrap: as many space-separated words per line as fit the width.
void WrapInto(std::vector<std::string>& lines, const std::string& paragraph, int width,
              int advance) {
    std::string line;
    bool started = false;
    size_t start = 0;
    while (start <= paragraph.size()) {
        size_t end = paragraph.find(' ', start);
        if (end == std::string::npos)
            end = paragraph.size();
        const std::string word = paragraph.substr(start, end - start);
        if (!started) {
            line = word;
            started = true;
        } else if (static_cast<int>(line.size() + 1 + word.size()) * advance <= width) {
            line += ' ' + word;
        } else {
            lines.push_back(line);
            line = word;
        }
        start = end + 1;
    }
    lines.push_back(line);
}

} // namespace

RecordingCanvas::RecordingCanvas(int width, int height)
    : Root(nullptr), ImageId(0), ImageWidth(width), ImageHeight(height) {}

RecordingCanvas::RecordingCanvas(RecordingCanvas* root, int id, int width, int height)
    : Root(root), ImageId(id), ImageWidth(width), ImageHeight(height) {}

std::vector<CanvasCall> RecordingCanvas::CallsOf(CanvasOp op, std::optional<int> image) const {
    std::vector<CanvasCall> found;
    std::copy_if(
        Calls.begin(), Calls.end(), std::back_inserter(found),
        [&](const CanvasCall& call) { return call.Op == op && (!image || call.Image == *image); });
    return found;
}

TextLayout RecordingCanvas::LayoutText(const std::string& text, int width, unsigned format,
                                       int extra) {
    TextLayout layout;
    if (text.empty())
        return layout;
    const int advance = CharWidth + extra;
    const std::vector<std::string> paragraphs =
        (format & DTF_SINGLELINE) ? std::vector<std::string>{text} : SplitParagraphs(text);
    for (const std::string& paragraph : paragraphs) {
        const std::string shown = (format & DTF_NOPREFIX) ? paragraph : StripPrefixes(paragraph);
        if ((format & DTF_WORDBREAK) && !(format & DTF_SINGLELINE))
            WrapInto(layout.Lines, shown, width, advance);
        else
            layout.Lines.push_back(shown);
    }
    for (const std::string& line : layout.Lines)
        layout.Width = std::max(layout.Width, static_cast<int>(line.size()) * advance);
    layout.Height = static_cast<int>(layout.Lines.size()) * LineHeight;
    return layout;
}

CanvasCall& RecordingCanvas::Record(CanvasOp op) {
    CanvasCall call;
    call.Op = op;
    call.Image = ImageId;
    call.TextColor = State.TextColor;
    call.BrushColor = State.BrushColor;
    call.BrushStyle = State.BrushStyle;
    call.PenColor = State.PenColor;
    call.Font = State.Font;
    call.Escapement = State.Escapement;
    call.Clip = State.Clip;
    call.CharacterExtra = State.CharacterExtra;
    std::vector<CanvasCall>& log = RootCanvas().Calls;
    log.push_back(std::move(call));
    return log.back();
}

int RecordingCanvas::IdOf(const IWorkImage& image) {
    const auto* recorded = dynamic_cast<const RecordingCanvas*>(&image);
    return recorded ? recorded->ImageId : -1;
}

void RecordingCanvas::SetFont(const TFontDesc& font, int escapement) {
    State.Font = font;
    State.Escapement = escapement;
    Record(CanvasOp::SetFont);
}

void RecordingCanvas::SetTextColor(TColor color) {
    State.TextColor = color;
    Record(CanvasOp::SetTextColor);
}

void RecordingCanvas::SetBrushColor(TColor color) {
    State.BrushColor = color;
    Record(CanvasOp::SetBrushColor);
}

void RecordingCanvas::SetBrushStyle(TBrushStyle style) {
    State.BrushStyle = style;
    Record(CanvasOp::SetBrushStyle);
}

void RecordingCanvas::SetPenColor(TColor color) {
    State.PenColor = color;
    Record(CanvasOp::SetPenColor);
}

void RecordingCanvas::FillRect(const TRect& rect) {
    Record(CanvasOp::FillRect).Rect = rect;
}

void RecordingCanvas::Ellipse(const TRect& bounds) {
    Record(CanvasOp::Ellipse).Rect = bounds;
}

void RecordingCanvas::Pie(const TRect& bounds, TPoint start, TPoint end) {
    CanvasCall& call = Record(CanvasOp::Pie);
    call.Rect = bounds;
    call.From = start;
    call.To = end;
}

void RecordingCanvas::Line(TPoint from, TPoint to) {
    CanvasCall& call = Record(CanvasOp::Line);
    call.From = from;
    call.To = to;
}

void RecordingCanvas::DrawFocusRect(const TRect& rect) {
    Record(CanvasOp::DrawFocusRect).Rect = rect;
}

int RecordingCanvas::DrawTextIn(const std::string& text, TRect& rect, unsigned format) {
    CanvasCall& call = Record(CanvasOp::DrawTextIn);
    call.Rect = rect;
    call.Text = text;
    call.Format = format;
    const TextLayout layout = LayoutText(text, rect.Width(), format, State.CharacterExtra);
    if (format & DTF_CALCRECT) {
        rect.Right = rect.Left + layout.Width;
        rect.Bottom = rect.Top + layout.Height;
    }
    return layout.Height;
}

TPoint RecordingCanvas::TextSizeAt(const std::string& text, int height, int width,
                                   unsigned format) {
    CanvasCall& call = Record(CanvasOp::TextSizeAt);
    call.Text = text;
    call.Rect = {0, 0, width, 0};
    call.Format = format;
    call.Font.Height = height;
    const TextLayout layout = LayoutText(text, width, format, State.CharacterExtra);
    return {layout.Width, layout.Height};
}

// Every text is fitted: the surface is at the layout's scale.
void RecordingCanvas::FitFont(const std::string& text, const TRect& rect, unsigned format,
                              TFittingFace& face) {
    CanvasCall& call = Record(CanvasOp::FitFont);
    call.Text = text;
    call.Rect = rect;
    call.Format = format;
    State.Font.Height =
        face.Height(*this, text, State.Font, {rect.Width(), rect.Height()}, format & ~DTF_FIT);
}

void RecordingCanvas::TextOutAt(int x, int y, const std::string& text) {
    CanvasCall& call = Record(CanvasOp::TextOutAt);
    call.From = {x, y};
    call.Text = text;
}

TPoint RecordingCanvas::TextExtent(const std::string& text) {
    Record(CanvasOp::TextExtent).Text = text;
    return {static_cast<int>(text.size()) * (CharWidth + State.CharacterExtra), LineHeight};
}

int RecordingCanvas::TextHeight() {
    Record(CanvasOp::TextHeight);
    return LineHeight;
}

void RecordingCanvas::SetTextCharacterExtra(int extra) {
    State.CharacterExtra = extra;
    Record(CanvasOp::SetTextCharacterExtra);
}

void RecordingCanvas::SetClipRect(const std::optional<TRect>& rect) {
    State.Clip = rect;
    Record(CanvasOp::SetClipRect);
}

void RecordingCanvas::Draw(int x, int y, const IBitmap& bitmap, bool transparent) {
    CanvasCall& call = Record(CanvasOp::Draw);
    call.Rect = {x, y, x + bitmap.Width(), y + bitmap.Height()};
    call.Transparent = transparent;
}

void RecordingCanvas::StretchDraw(const TRect& rect, const IBitmap&) {
    Record(CanvasOp::StretchDraw).Rect = rect;
}

std::unique_ptr<IWorkImage> RecordingCanvas::CreateWorkImage(int width, int height) {
    RecordingCanvas& root = RootCanvas();
    const int id = ++root.ImagesMade;
    CanvasCall& call = Record(CanvasOp::CreateWorkImage);
    call.Rect = {0, 0, width, height};
    call.Source = id;
    return std::unique_ptr<IWorkImage>(new RecordingCanvas(&root, id, width, height));
}

void RecordingCanvas::CopyImage(int x, int y, const IWorkImage& image) {
    CanvasCall& call = Record(CanvasOp::CopyImage);
    call.Rect = {x, y, x + image.Width(), y + image.Height()};
    call.Source = IdOf(image);
}

void RecordingCanvas::XorFrom(const IWorkImage& other) {
    CanvasCall& call = Record(CanvasOp::XorFrom);
    call.Rect = {0, 0, other.Width(), other.Height()};
    call.Source = IdOf(other);
}

} // namespace setup
