#include "widgets/Gauge.h"

#include "base/Exceptions.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace setup {

namespace {

static_assert(std::numeric_limits<long double>::digits == 64,
              "the gauge's arithmetic needs the 80-bit extended format");

// The 80-bit value nearest 1/100 (just below it) and pi, as extended constants.
constexpr long double Hundredth = 0.01L;
constexpr long double Fiftieth = 0.02L;
constexpr long double Pi = 3.14159265358979323846264338327950288L;

const char* const SOutOfRange = "Value must be between %lld and %lld";

// Holds the x87 precision control at a 64-bit significand and restores the caller's
// setting. A Windows thread may start at 53 bits, which would round 10 % of 100 up to 10.
class ExtendedPrecision {
public:
    ExtendedPrecision() {
        asm volatile("fnstcw %0" : "=m"(Saved));
        const uint16_t extended = Saved | 0x0300;
        asm volatile("fldcw %0" : : "m"(extended) : "memory");
    }
    ~ExtendedPrecision() { asm volatile("fldcw %0" : : "m"(Saved) : "memory"); }
    ExtendedPrecision(const ExtendedPrecision&) = delete;
    ExtendedPrecision& operator=(const ExtendedPrecision&) = delete;

private:
    uint16_t Saved = 0;
};

// The arithmetic below goes through volatile variables so that the compiler keeps it
// between the control-word loads.

// (p x 0.02 + 0.5) x pi, the pie's angle, rounded to a double.
double PieAngle(int percentage) {
    volatile double angle;
    {
        ExtendedPrecision precision;
        volatile long double p = percentage;
        angle = static_cast<double>((p * Fiftieth + 0.5L) * Pi);
    }
    return angle;
}

// p x 0.01 x pi, the needle's angle, rounded to a double.
double NeedleAngle(int percentage) {
    volatile double angle;
    {
        ExtendedPrecision precision;
        volatile long double p = percentage;
        angle = static_cast<double>(p * Hundredth * Pi);
    }
    return angle;
}

// (mx x (1 - cos a), my x (1 - sin a)) rounded to the nearest integers, halves to even.
TPoint PointOnArc(int mx, int my, double a) {
    volatile long double x;
    volatile long double y;
    {
        ExtendedPrecision precision;
        volatile long double c = std::cos(a);
        volatile long double s = std::sin(a);
        x = mx * (1.0L - c);
        y = my * (1.0L - s);
    }
    return {static_cast<int>(std::lrint(x)), static_cast<int>(std::lrint(y))};
}

} // namespace

TGauge::TGauge(IControlParent* parent) : TGraphicControl(parent) {
    Bounds = {0, 0, 100, 100};
    IsOpaque = true;
}

int TGauge::FillLength(int percentage, int length) {
    volatile long double fill;
    {
        ExtendedPrecision precision;
        volatile long double p = percentage;
        volatile long double share = p * Hundredth;
        fill = share * length;
    }
    return static_cast<int>(fill);
}

void TGauge::SetAndRepaint(auto& field, auto value) {
    if (field == value)
        return;
    field = value;
    Repaint();
}

void TGauge::SetKind(TGaugeKind kind) {
    SetAndRepaint(FKind, kind);
}
void TGauge::SetShowText(bool show) {
    SetAndRepaint(FShowText, show);
}
void TGauge::SetBorderStyle(TBorderStyle style) {
    SetAndRepaint(FBorderStyle, style);
}
void TGauge::SetForeColor(TColor color) {
    SetAndRepaint(FForeColor, color);
}
void TGauge::SetBackColor(TColor color) {
    SetAndRepaint(FBackColor, color);
}

void TGauge::SetMinValue(int value) {
    if (value == FMinValue)
        return;
    if (value > FMaxValue && !FLoading)
        throw EInvalidOperation(Format(SOutOfRange, -2147483647LL, FMaxValue - 1LL));
    FMinValue = value;
    if (FProgress < value)
        FProgress = value;
    Repaint();
    Announce(TAccessChange::Value);
}

void TGauge::SetMaxValue(int value) {
    if (value == FMaxValue)
        return;
    if (value < FMinValue && !FLoading)
        throw EInvalidOperation(Format(SOutOfRange, FMinValue + 1LL, 2147483647LL));
    FMaxValue = value;
    if (FProgress > value)
        FProgress = value;
    Repaint();
    Announce(TAccessChange::Value);
}

void TGauge::SetProgress(int value) {
    if (value < FMinValue)
        value = FMinValue;
    else if (value > FMaxValue)
        value = FMaxValue;
    if (value == FProgress)
        return;
    const bool percentageChanges = PercentageAt(value) != Percentage();
    FProgress = value;
    if (percentageChanges) {
        Repaint();
        Announce(TAccessChange::Value);
    }
}

TAccessDescription TGauge::Describe() const {
    TAccessDescription description = Described(TAccessRole::ProgressBar, {});
    description.Value = Format("%d%%", Percentage());
    return description;
}

int TGauge::PercentageAt(int progress) const {
    // In 64 bits, so that a wide range cannot overflow the product.
    const int64_t part = int64_t{progress} - FMinValue;
    const int64_t whole = int64_t{FMaxValue} - FMinValue;
    return whole == 0 ? 0 : static_cast<int>(part * 100 / whole);
}

TColor TGauge::Color() const {
    return FParentColor && Parent ? Parent->ParentColor() : FColor;
}

void TGauge::SetColor(TColor color) {
    const bool changes = color != Color();
    FColor = color;
    FParentColor = false;
    if (changes)
        Invalidate();
}

void TGauge::SetParentColor(bool fromParent) {
    if (fromParent == FParentColor)
        return;
    FParentColor = fromParent;
    // The colour in effect switches between the parent's and the gauge's own.
    if (Parent && Parent->ParentColor() != FColor)
        Invalidate();
}

TFontDesc TGauge::Font() const {
    return FParentFont && Parent ? Parent->ParentFont() : FFont;
}

void TGauge::SetFont(const TFontDesc& font) {
    const bool changes = !(font == Font());
    FFont = font;
    FParentFont = false;
    if (changes)
        Invalidate();
}

void TGauge::SetParentFont(bool fromParent) {
    if (fromParent == FParentFont)
        return;
    FParentFont = fromParent;
    if (Parent && !(Parent->ParentFont() == FFont))
        Invalidate();
}

void TGauge::Paint(ICanvas& canvas) {
    if (Width() <= 0 || Height() <= 0)
        return;
    TRect r{0, 0, Width(), Height()};
    if (FBorderStyle == bsSingle)
        r = {1, 1, Width() - 1, Height() - 1};
    const std::unique_ptr<IWorkImage> image = canvas.CreateWorkImage(Width(), Height());
    {
        // Only the picture is drawn here, so a single border's frame stays black.
        const std::unique_ptr<IWorkImage> picture = canvas.CreateWorkImage(Width(), Height());
        PaintPicture(*picture, r);
        image->XorFrom(*picture);
    }
    if (FShowText)
        PaintText(canvas, *image, r);
    canvas.CopyImage(0, 0, *image);
}

void TGauge::PaintPicture(ICanvas& image, const TRect& r) {
    switch (FKind) {
    case gkText:
        image.SetBrushColor(FBackColor);
        image.FillRect(r);
        break;
    case gkHorizontalBar:
    case gkVerticalBar:
        PaintBar(image, r);
        break;
    case gkPie:
        PaintPie(image, r);
        break;
    case gkNeedle:
        PaintNeedle(image, r);
        break;
    }
}

void TGauge::PaintBar(ICanvas& image, const TRect& r) {
    // One more than the inside's size: the bar's far edge is computed from these.
    const int w = r.Right - r.Left + 1;
    const int h = r.Bottom - r.Top + 1;
    image.SetBrushColor(FBackColor);
    image.FillRect(r);
    image.SetBrushColor(FForeColor);
    image.SetPenColor(FForeColor);
    if (FKind == gkHorizontalBar) {
        int f = FillLength(Percentage(), w);
        if (f > w)
            f = w;
        if (f > 0)
            image.FillRect({r.Left, r.Top, f, h});
    } else {
        int f = FillLength(Percentage(), h);
        if (f >= h)
            f = h - 1;
        image.FillRect({r.Left, h - f, w, h});
    }
}

void TGauge::PaintPie(ICanvas& image, const TRect& r) {
    int w = r.Right - r.Left;
    int h = r.Bottom - r.Top;
    if (FBorderStyle == bsSingle) {
        ++w;
        ++h;
    }
    image.SetBrushColor(Color());
    image.FillRect(r);
    image.SetBrushColor(FBackColor);
    image.SetPenColor(FForeColor);
    const TRect bounds{r.Left, r.Top, w, h};
    image.Ellipse(bounds);
    const int p = Percentage();
    if (p == 0)
        return;
    image.SetBrushColor(FForeColor);
    const int mx = w / 2;
    const int my = h / 2;
    image.Pie(bounds, PointOnArc(mx, my, PieAngle(p)), {mx, 0});
}

void TGauge::PaintNeedle(ICanvas& image, const TRect& r) {
    const int x = r.Left;
    const int y = r.Top;
    int w = r.Right - r.Left;
    int h = r.Bottom - r.Top;
    if (FBorderStyle == bsSingle) {
        ++w;
        ++h;
    }
    image.SetBrushColor(Color());
    image.FillRect(r);
    image.SetBrushColor(FBackColor);
    image.SetPenColor(FForeColor);
    image.Pie({x, y, w, 2 * h - 1}, {x + w, r.Bottom - 1}, {x, r.Bottom - 1});
    image.Line({x, r.Bottom}, {x + w, r.Bottom});
    const int p = Percentage();
    if (p == 0)
        return;
    const int mx = Width() / 2;
    image.Line({mx, r.Bottom - 1}, PointOnArc(mx, r.Bottom - 1, NeedleAngle(p)));
}

void TGauge::PaintText(ICanvas& canvas, IWorkImage& image, const TRect& r) {
    const std::unique_ptr<IWorkImage> text = canvas.CreateWorkImage(Width(), Height());
    const std::string caption = Format("%d%%", Percentage());
    TFontDesc font = Font();
    font.Color = clWhite;
    text->SetBrushStyle(TBrushStyle::Clear);
    text->SetFont(font);
    text->SetTextColor(clWhite);
    const TPoint extent = text->TextExtent(caption);
    const int x = (r.Right - r.Left + 1 - extent.X) / 2;
    const int y = (r.Bottom - r.Top + 1 - extent.Y) / 2;
    text->SetClipRect(r);
    text->TextOutAt(x, y, caption);
    image.XorFrom(*text);
}

} // namespace setup
