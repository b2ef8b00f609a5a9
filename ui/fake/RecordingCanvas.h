// A drawing surface for unit tests: it draws nothing, records every call with the drawing
// state in force, and measures text with fixed metrics so that layouts are predictable.
//
// Metrics: every character is 7 pixels wide plus the current character extra, every line is
// 13 pixels high, whatever the font and its height (so FitFont keeps the font's height, after
// measuring as the rule does). DrawTextIn understands DTF_CALCRECT, DTF_SINGLELINE,
// DTF_WORDBREAK and DTF_NOPREFIX (see LayoutText); other flags are only recorded.
#pragma once

#include "ui/Canvas.h"

#include <optional>
#include <string>
#include <vector>

namespace setup {

enum class CanvasOp {
    SetFont,
    SetTextColor,
    SetBrushColor,
    SetBrushStyle,
    SetPenColor,
    FillRect,
    Ellipse,
    Pie,
    Line,
    DrawFocusRect,
    DrawTextIn,
    TextOutAt,
    TextExtent,
    TextHeight,
    SetTextCharacterExtra,
    SetClipRect,
    Draw,
    StretchDraw,
    CreateWorkImage,
    CopyImage,
    XorFrom,
    TextSizeAt,
    FitFont,
};

// One recorded call, with the surface's drawing state as it stood when the call was made
// (for the setters: after the change).
struct CanvasCall {
    CanvasOp Op = CanvasOp::FillRect;
    int Image = 0; // surface that received the call: 0 the canvas, n the n-th work image
    TRect Rect;    // FillRect, Ellipse, Pie, DrawFocusRect, DrawTextIn and FitFont (as passed
                   // in), StretchDraw; Draw/CopyImage/CreateWorkImage: the area covered;
                   // TextSizeAt: the width
    TPoint From;   // Line start, Pie start point, TextOutAt position
    TPoint To;     // Line end, Pie end point
    std::string Text;
    unsigned Format = 0; // DrawTextIn flags
    int Source = -1;     // CopyImage/XorFrom: id of the other work image; CreateWorkImage: new id
    bool Transparent = false; // Draw

    TColor TextColor = clBlack;
    TColor BrushColor = clWhite;
    TBrushStyle BrushStyle = TBrushStyle::Solid;
    TColor PenColor = clBlack;
    TFontDesc Font; // TextSizeAt: with the height measured at
    int Escapement = 0;
    std::optional<TRect> Clip;
    int CharacterExtra = 0;
};

// Lines DrawTextIn would produce under the fixed metrics, prefixes already resolved.
struct TextLayout {
    std::vector<std::string> Lines;
    int Width = 0;  // widest line in pixels
    int Height = 0; // Lines.size() x 13
};

class RecordingCanvas : public IWorkImage {
public:
    static constexpr int CharWidth = 7;
    static constexpr int LineHeight = 13;

    // The root surface; width and height are only reported back.
    explicit RecordingCanvas(int width = 0, int height = 0);

    // Every call made on this canvas and on every work image created from it, in order.
    // Work images write here, so the root canvas must outlive them.
    std::vector<CanvasCall> Calls;

    // The recorded calls of one kind (optionally on one surface only), in order.
    std::vector<CanvasCall> CallsOf(CanvasOp op, std::optional<int> image = std::nullopt) const;

    // How DrawTextIn lays out text in a box of the given width under the fixed metrics:
    // without DTF_NOPREFIX "&&" shows one "&" and a lone "&" nothing; without DTF_SINGLELINE
    // "\n" (or "\r\n") starts a line; DTF_WORDBREAK breaks greedily at spaces so that lines fit
    // the width (a word longer than the width stays whole). Empty text has no lines.
    static TextLayout LayoutText(const std::string& text, int width, unsigned format, int extra);

    void SetFont(const TFontDesc& font, int escapement = 0) override;
    void SetTextColor(TColor color) override;
    TColor TextColor() const override { return State.TextColor; }
    void SetBrushColor(TColor color) override;
    TColor BrushColor() const override { return State.BrushColor; }
    void SetBrushStyle(TBrushStyle style) override;
    void SetPenColor(TColor color) override;

    void FillRect(const TRect& rect) override;
    void Ellipse(const TRect& bounds) override;
    void Pie(const TRect& bounds, TPoint start, TPoint end) override;
    void Line(TPoint from, TPoint to) override;
    void DrawFocusRect(const TRect& rect) override;

    int DrawTextIn(const std::string& text, TRect& rect, unsigned format) override;
    TPoint TextSizeAt(const std::string& text, int height, int width, unsigned format) override;
    void FitFont(const std::string& text, const TRect& rect, unsigned format,
                 TFittingFace& face) override;
    void TextOutAt(int x, int y, const std::string& text) override;
    TPoint TextExtent(const std::string& text) override;
    int TextHeight() override;
    void SetTextCharacterExtra(int extra) override;
    void SetClipRect(const std::optional<TRect>& rect) override;

    void Draw(int x, int y, const IBitmap& bitmap, bool transparent) override;
    void StretchDraw(const TRect& rect, const IBitmap& bitmap) override;

    std::unique_ptr<IWorkImage> CreateWorkImage(int width, int height) override;
    void CopyImage(int x, int y, const IWorkImage& image) override;

    int Width() const override { return ImageWidth; }
    int Height() const override { return ImageHeight; }
    void XorFrom(const IWorkImage& other) override;

    TFontDesc Font() const override { return State.Font; }

private:
    // A fresh surface's state, as on a new memory device context.
    struct DrawState {
        TColor TextColor = clBlack;
        TColor BrushColor = clWhite;
        TBrushStyle BrushStyle = TBrushStyle::Solid;
        TColor PenColor = clBlack;
        TFontDesc Font;
        int Escapement = 0;
        std::optional<TRect> Clip;
        int CharacterExtra = 0;
    };

    RecordingCanvas(RecordingCanvas* root, int id, int width, int height);
    // Appends a call stamped with this surface's id and state; returns it for the details.
    CanvasCall& Record(CanvasOp op);
    static int IdOf(const IWorkImage& image);
    RecordingCanvas& RootCanvas() { return Root ? *Root : *this; }

    RecordingCanvas* Root; // null on the root itself, so that copies of a root stay roots
    int ImageId;
    int ImageWidth;
    int ImageHeight;
    int ImagesMade = 0; // on the root: work images handed out so far
    DrawState State;
};

} // namespace setup
