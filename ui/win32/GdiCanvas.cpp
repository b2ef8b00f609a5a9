#include "ui/win32/GdiCanvas.h"

#include "base/Exceptions.h"
#include "base/Timing.h"
#include "ui/TextFit.h"
#include "win32/StoredResources.h"

#include <algorithm>
#include <cstring>
#include <span>

namespace setup {

namespace {

constexpr DWORD DSna = 0x00220326; // destination AND NOT source

RECT ToRECT(const TRect& r) {
    return {r.Left, r.Top, r.Right, r.Bottom};
}

// The clip region the DC has now, or null when it has none.
TRegionHandle CurrentClip(HDC dc) {
    TRegionHandle region(CreateRectRgn(0, 0, 0, 0));
    if (GetClipRgn(dc, region.Get()) != 1)
        region.Reset();
    return region;
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

// A bitmap in the screen's format, as LoadImageA makes one, from the bytes of an uncompressed
// .bmp file; null when the bytes are not one or do not hold all of its pixels.
TBitmapHandle BitmapFromFileBytes(std::span<const uint8_t> file) {
    BITMAPFILEHEADER fileHeader;
    BITMAPINFOHEADER header;
    if (file.size() < sizeof fileHeader + sizeof header)
        return {};
    std::memcpy(&fileHeader, file.data(), sizeof fileHeader);
    std::memcpy(&header, file.data() + sizeof fileHeader, sizeof header);
    const uint64_t rowBytes =
        (static_cast<uint64_t>(header.biWidth) * header.biBitCount + 31) / 32 * 4;
    const uint64_t palette =
        header.biBitCount <= 8
            ? (header.biClrUsed ? header.biClrUsed : 1u << header.biBitCount) * sizeof(RGBQUAD)
            : 0;
    if (fileHeader.bfType != 0x4D42 || header.biSize != sizeof header ||
        header.biCompression != BI_RGB || header.biWidth <= 0 || header.biHeight <= 0 ||
        header.biBitCount == 0 || header.biBitCount > 32 ||
        fileHeader.bfOffBits < sizeof fileHeader + sizeof header + palette ||
        fileHeader.bfOffBits + rowBytes * header.biHeight > file.size())
        return {};
    const TWindowDC screen = WindowDC(nullptr);
    return TBitmapHandle(CreateDIBitmap(
        screen.Get(), &header, CBM_INIT, file.data() + fileHeader.bfOffBits,
        reinterpret_cast<const BITMAPINFO*>(file.data() + sizeof fileHeader), DIB_RGB_COLORS));
}

// Every bitmap and work image a GDI canvas is given was made by this file's own classes.
const GdiBitmap& AsGdiBitmap(const IBitmap& bitmap) {
    return static_cast<const GdiBitmap&>(bitmap);
}

const GdiCanvas& AsGdiCanvas(const IWorkImage& image) {
    return static_cast<const GdiCanvas&>(image);
}

// The character set of the system's ANSI code page (Windows 95's gdi32 has no
// TranslateCharsetInfo to ask).
BYTE AnsiCharset() {
    static constexpr struct {
        UINT CodePage;
        BYTE Charset;
    } Sets[] = {{874, THAI_CHARSET},     {932, SHIFTJIS_CHARSET},    {936, GB2312_CHARSET},
                {949, HANGEUL_CHARSET},  {950, CHINESEBIG5_CHARSET}, {1250, EASTEUROPE_CHARSET},
                {1251, RUSSIAN_CHARSET}, {1252, ANSI_CHARSET},       {1253, GREEK_CHARSET},
                {1254, TURKISH_CHARSET}, {1255, HEBREW_CHARSET},     {1256, ARABIC_CHARSET},
                {1257, BALTIC_CHARSET},  {1258, VIETNAMESE_CHARSET}, {1361, JOHAB_CHARSET}};
    const UINT codePage = GetACP();
    for (const auto& set : Sets)
        if (set.CodePage == codePage)
            return set.Charset;
    return DEFAULT_CHARSET;
}

} // namespace

COLORREF ResolveColor(TColor color) {
    if (IsSystemColor(color))
        return GetSysColor(SystemColorIndex(color));
    return static_cast<COLORREF>(color) & 0x00FFFFFF;
}

TFontHandle CreateFontFrom(const TFontDesc& font, int escapement) {
    LOGFONTA log{};
    log.lfHeight = font.Height;
    log.lfEscapement = escapement;
    log.lfOrientation = escapement;
    log.lfWeight = (font.Style & fsBold) ? FW_BOLD : FW_NORMAL;
    log.lfItalic = (font.Style & fsItalic) ? TRUE : FALSE;
    log.lfUnderline = (font.Style & fsUnderline) ? TRUE : FALSE;
    log.lfStrikeOut = (font.Style & fsStrikeOut) ? TRUE : FALSE;
    // A font left to the default set shows the user's and the system's words: asked for with
    // the code page's set, the mapper picks a face that has their characters.
    log.lfCharSet = font.Charset == DEFAULT_CHARSET_ID ? AnsiCharset() : font.Charset;
    log.lfOutPrecision = OUT_DEFAULT_PRECIS;
    log.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    log.lfQuality = NONANTIALIASED_QUALITY;
    log.lfPitchAndFamily = DEFAULT_PITCH;
    lstrcpynA(log.lfFaceName, font.Name.c_str(), LF_FACESIZE);
    return TFontHandle(CreateFontIndirectA(&log));
}

int ScreenLineHeight(const TFontDesc& font) {
    const TWindowDC screen = WindowDC(nullptr);
    GdiCanvas canvas(screen.Get(), TScale::OfScreen());
    canvas.SetFont(font);
    return canvas.TextHeight();
}

// GdiBitmap

GdiBitmap::GdiBitmap(TBitmapHandle bitmap) : Bitmap(std::move(bitmap)) {
    const SIZE size = BitmapSize(Bitmap.Get());
    BitmapWidth = size.cx;
    BitmapHeight = size.cy;
    TMemoryDC dc(CreateCompatibleDC(nullptr));
    const auto selected = Select(dc.Get(), Bitmap.Get());
    KeyColor = static_cast<TColor>(GetPixel(dc.Get(), 0, BitmapHeight - 1));
}

// The decoded file is freed as soon as the bitmap holds its pixels.
std::unique_ptr<GdiBitmap> GdiBitmap::FromResource(const char* name) {
    SETUP_SPAN(PictureSpan);
    const auto file = LoadStoredBlock(name, PictureType);
    TBitmapHandle bitmap = file ? BitmapFromFileBytes(*file) : TBitmapHandle();
    if (!bitmap)
        throw EResNotFound(Format("Resource %s not found", name));
    return std::make_unique<GdiBitmap>(std::move(bitmap));
}

std::unique_ptr<IBitmap> GdiBitmap::Clone() const {
    const TWindowDC screen = WindowDC(nullptr);
    TBitmapHandle copy(CreateCompatibleBitmap(screen.Get(), BitmapWidth, BitmapHeight));
    if (!copy)
        throw Exception("Out of system resources");
    {
        TMemoryDC from(CreateCompatibleDC(screen.Get()));
        TMemoryDC to(CreateCompatibleDC(screen.Get()));
        const auto source = Select(from.Get(), Bitmap.Get());
        const auto target = Select(to.Get(), copy.Get());
        BitBlt(to.Get(), 0, 0, BitmapWidth, BitmapHeight, from.Get(), 0, 0, SRCCOPY);
    }
    return std::make_unique<GdiBitmap>(std::move(copy));
}

// GdiCanvas

GdiCanvas::GdiCanvas(HDC dc, TScale scale)
    : OwnerClip(CurrentClip(dc)), Dc(dc), SavedState(SaveDCState(dc)), Scale(scale) {}

GdiCanvas::GdiCanvas(TMemoryDC dc, TBitmapHandle bitmap, TScale scale, int width, int height)
    : Image(std::move(bitmap)), OwnedDc(std::move(dc)), Dc(OwnedDc.Get()),
      SavedState(SaveDCState(Dc)), Scale(scale), SurfaceWidth(width), SurfaceHeight(height),
      PixelWidth(scale.ToPixels(width)), PixelHeight(scale.ToPixels(height)) {
    SelectObject(Dc, Image.Get());
    PatBlt(Dc, 0, 0, PixelWidth, PixelHeight, BLACKNESS);
}

GdiCanvas::~GdiCanvas() = default;

void GdiCanvas::SetOriginAndClipPixels(const TRect& area, int width, int height) {
    IntersectClipRect(Dc, area.Left, area.Top, area.Right, area.Bottom);
    OffsetViewportOrgEx(Dc, area.Left, area.Top, nullptr);
    OwnerClip = CurrentClip(Dc);
    SurfaceWidth = width;
    SurfaceHeight = height;
    PixelWidth = area.Width();
    PixelHeight = area.Height();
}

void GdiCanvas::SetFont(const TFontDesc& font, int escapement) {
    TFontHandle created = CreateFontFrom(Scale.ToPixels(font), escapement);
    if (!created)
        return;
    SelectObject(Dc, created.Get());
    SelectedFont = std::move(created); // the previous font is no longer selected
    SelectedDesc = font;
    SelectedEscapement = escapement;
    SelectedHeight = Scale.ToPixels(font.Height);
}

void GdiCanvas::UseBrush() {
    if (BrushStyleValue == TBrushStyle::Clear) {
        SelectObject(Dc, GetStockObject(NULL_BRUSH));
        return;
    }
    const COLORREF rgb = ResolveColor(BrushColorValue);
    if (!Brush || rgb != BrushRgb) {
        TBrushHandle created(CreateSolidBrush(rgb));
        SelectObject(Dc, created.Get());
        Brush = std::move(created);
        BrushRgb = rgb;
    }
    SelectObject(Dc, Brush.Get());
}

void GdiCanvas::UsePen() {
    const COLORREF rgb = ResolveColor(PenColorValue);
    if (!Pen || rgb != PenRgb) {
        TPenHandle created(CreatePen(PS_SOLID, 1, rgb));
        SelectObject(Dc, created.Get());
        Pen = std::move(created);
        PenRgb = rgb;
    }
    SelectObject(Dc, Pen.Get());
}

void GdiCanvas::UseTextColors() {
    ::SetTextColor(Dc, ResolveColor(TextColorValue));
    if (BrushStyleValue == TBrushStyle::Clear) {
        SetBkMode(Dc, TRANSPARENT);
    } else {
        SetBkMode(Dc, OPAQUE);
        SetBkColor(Dc, ResolveColor(BrushColorValue));
    }
}

void GdiCanvas::FillPixels(const RECT& area) {
    if (BrushStyleValue == TBrushStyle::Clear)
        return;
    UseBrush();
    ::FillRect(Dc, &area, Brush.Get());
}

void GdiCanvas::FillRect(const TRect& rect) {
    FillPixels(ToRECT(Scale.ToPixels(rect)));
}

// The bands of the frame just inside the scaled box, each one pixel wide.
void GdiCanvas::FillFrame(const TRect& r, TColor topLeft, TColor bottomRight, TFrameSides sides,
                          int shift) {
    const TRect box = Scale.ToPixels(r);
    const TFrameBands bands =
        FrameBands({box.Left + shift, box.Top + shift, box.Right + shift, box.Bottom + shift},
                   topLeft, bottomRight, sides);
    for (int i = 0; i < bands.Count; ++i) {
        SetBrushColor(bands.Color[i]);
        FillPixels(ToRECT(bands.Band[i]));
    }
}

void GdiCanvas::Ellipse(const TRect& bounds) {
    UseBrush();
    UsePen();
    const TRect b = Scale.ToPixels(bounds);
    ::Ellipse(Dc, b.Left, b.Top, b.Right, b.Bottom);
}

void GdiCanvas::Pie(const TRect& bounds, TPoint start, TPoint end) {
    UseBrush();
    UsePen();
    const TRect b = Scale.ToPixels(bounds);
    ::Pie(Dc, b.Left, b.Top, b.Right, b.Bottom, Scale.ToPixels(start.X), Scale.ToPixels(start.Y),
          Scale.ToPixels(end.X), Scale.ToPixels(end.Y));
}

void GdiCanvas::Line(TPoint from, TPoint to) {
    UsePen();
    MoveToEx(Dc, Scale.ToPixels(from.X), Scale.ToPixels(from.Y), nullptr);
    LineTo(Dc, Scale.ToPixels(to.X), Scale.ToPixels(to.Y));
}

void GdiCanvas::DrawFocusRect(const TRect& rect) {
    RECT area = ToRECT(Scale.ToPixels(rect));
    // A surface whose size in units was rounded up must not lose the rectangle's far sides.
    if (PixelWidth > 0 && PixelHeight > 0) {
        area.right = std::min<LONG>(area.right, PixelWidth);
        area.bottom = std::min<LONG>(area.bottom, PixelHeight);
    }
    ::DrawFocusRect(Dc, &area);
}

int GdiCanvas::DrawTextIn(const std::string& text, TRect& rect, unsigned format) {
    UseTextColors();
    RECT area = ToRECT(Scale.ToPixels(rect));
    const int drawn = ::DrawTextA(Dc, text.c_str(), static_cast<int>(text.size()), &area, format);
    // Only the right and bottom edges move: the measured size, rounded up.
    if (format & DTF_CALCRECT)
        rect = {rect.Left, rect.Top, rect.Left + Scale.ToUnits(area.right - area.left),
                rect.Top + Scale.ToUnits(area.bottom - area.top)};
    return Scale.ToUnits(drawn);
}

void GdiCanvas::FitFont(const std::string& text, const TRect& rect, unsigned format,
                        TFittingFace& face) {
    const bool scaledWrap = (format & DTF_WORDBREAK) && Scale.PixelsPerInch() != TScale::LayoutDpi;
    if (!SelectedFont || !((format & DTF_FIT) || scaledWrap))
        return;
    const TRect box = Scale.ToPixels(rect);
    TFontDesc fitted = Scale.ToPixels(SelectedDesc);
    fitted.Height =
        face.Height(*this, text, fitted, {box.Width(), box.Height()}, format & ~DTF_FIT);
    if (fitted.Height == SelectedHeight)
        return;
    TFontHandle created = CreateFontFrom(fitted, SelectedEscapement);
    if (!created)
        return;
    SelectObject(Dc, created.Get());
    SelectedFont = std::move(created);
    SelectedHeight = fitted.Height;
}

// Measured in the selected font when it has the height: most texts fit in it, and no other
// font is made for them.
TPoint GdiCanvas::TextSizeAt(const std::string& text, int height, int width, unsigned format) {
    TFontHandle other;
    if (height != SelectedHeight) {
        TFontDesc font = Scale.ToPixels(SelectedDesc);
        font.Height = height;
        other = CreateFontFrom(font);
    }
    const TSelection selected = other ? Select(Dc, other.Get()) : TSelection();
    RECT r{0, 0, width, 0};
    DrawTextA(Dc, text.c_str(), static_cast<int>(text.size()), &r, format | DT_CALCRECT);
    return {r.right, r.bottom};
}

void GdiCanvas::TextOutAt(int x, int y, const std::string& text) {
    UseTextColors();
    ExtTextOutA(Dc, Scale.ToPixels(x), Scale.ToPixels(y), 0, nullptr, text.c_str(),
                static_cast<UINT>(text.size()), nullptr);
}

TPoint GdiCanvas::TextExtent(const std::string& text) {
    SIZE size{};
    GetTextExtentPoint32A(Dc, text.c_str(), static_cast<int>(text.size()), &size);
    return {Scale.ToUnits(size.cx), Scale.ToUnits(size.cy)};
}

int GdiCanvas::TextHeight() {
    TEXTMETRICA metrics{};
    GetTextMetricsA(Dc, &metrics);
    return Scale.ToUnits(metrics.tmHeight);
}

void GdiCanvas::SetTextCharacterExtra(int extra) {
    ::SetTextCharacterExtra(Dc, Scale.ToPixels(extra));
}

void GdiCanvas::SetClipRect(const std::optional<TRect>& rect) {
    if (!rect) {
        SelectClipRgn(Dc, OwnerClip.Get());
        return;
    }
    // Regions are in device coordinates.
    const TRect r = Scale.ToPixels(*rect);
    POINT corners[2] = {{r.Left, r.Top}, {r.Right, r.Bottom}};
    LPtoDP(Dc, corners, 2);
    const RECT area{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    TRegionHandle region(CreateRectRgnIndirect(&area));
    if (OwnerClip)
        CombineRgn(region.Get(), region.Get(), OwnerClip.Get(), RGN_AND);
    SelectClipRgn(Dc, region.Get());
}

// The picture at its scaled size.
void GdiCanvas::Draw(int x, int y, const IBitmap& bitmap, bool transparent) {
    const GdiBitmap& picture = AsGdiBitmap(bitmap);
    const int w = picture.Width();
    const int h = picture.Height();
    TMemoryDC sourceDc(CreateCompatibleDC(Dc));
    const auto source = Select(sourceDc.Get(), picture.Handle());
    const int oldMode = SetStretchBltMode(Dc, COLORONCOLOR);
    const auto put = [&](HDC from, DWORD operation) {
        StretchBlt(Dc, Scale.ToPixels(x), Scale.ToPixels(y), Scale.ToPixels(w), Scale.ToPixels(h),
                   from, 0, 0, w, h, operation);
    };
    if (!transparent) {
        put(sourceDc.Get(), SRCCOPY);
        SetStretchBltMode(Dc, oldMode);
        return;
    }
    // Mask: 1 where the picture has the transparent colour.
    TBitmapHandle mask(CreateBitmap(w, h, 1, 1, nullptr));
    TMemoryDC maskDc(CreateCompatibleDC(Dc));
    const auto maskSelected = Select(maskDc.Get(), mask.Get());
    SetBkColor(sourceDc.Get(), ResolveColor(picture.TransparentColor()));
    BitBlt(maskDc.Get(), 0, 0, w, h, sourceDc.Get(), 0, 0, SRCCOPY);
    // The picture with its transparent pixels black.
    TBitmapHandle cut(CreateCompatibleBitmap(Dc, w, h));
    TMemoryDC cutDc(CreateCompatibleDC(Dc));
    const auto cutSelected = Select(cutDc.Get(), cut.Get());
    BitBlt(cutDc.Get(), 0, 0, w, h, sourceDc.Get(), 0, 0, SRCCOPY);
    ::SetTextColor(cutDc.Get(), RGB(0, 0, 0));
    SetBkColor(cutDc.Get(), RGB(255, 255, 255));
    BitBlt(cutDc.Get(), 0, 0, w, h, maskDc.Get(), 0, 0, DSna);
    // Clear the opaque pixels' places here, then paint the picture into them.
    const COLORREF oldText = ::SetTextColor(Dc, RGB(0, 0, 0));
    const COLORREF oldBack = SetBkColor(Dc, RGB(255, 255, 255));
    put(maskDc.Get(), SRCAND);
    put(cutDc.Get(), SRCPAINT);
    ::SetTextColor(Dc, oldText);
    SetBkColor(Dc, oldBack);
    SetStretchBltMode(Dc, oldMode);
}

void GdiCanvas::StretchDraw(const TRect& rect, const IBitmap& bitmap) {
    const GdiBitmap& picture = AsGdiBitmap(bitmap);
    TMemoryDC sourceDc(CreateCompatibleDC(Dc));
    const auto source = Select(sourceDc.Get(), picture.Handle());
    const int oldMode = SetStretchBltMode(Dc, COLORONCOLOR);
    const TRect r = Scale.ToPixels(rect);
    StretchBlt(Dc, r.Left, r.Top, r.Width(), r.Height(), sourceDc.Get(), 0, 0, picture.Width(),
               picture.Height(), SRCCOPY);
    SetStretchBltMode(Dc, oldMode);
}

std::unique_ptr<IWorkImage> GdiCanvas::CreateWorkImage(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    TMemoryDC dc(CreateCompatibleDC(Dc));
    // GDI makes no empty bitmaps; an empty image keeps one unused pixel.
    TBitmapHandle bitmap(CreateCompatibleBitmap(Dc, std::max(Scale.ToPixels(width), 1),
                                                std::max(Scale.ToPixels(height), 1)));
    if (!dc || !bitmap)
        throw Exception("Out of system resources");
    return std::unique_ptr<IWorkImage>(
        new GdiCanvas(std::move(dc), std::move(bitmap), Scale, width, height));
}

void GdiCanvas::CopyImage(int x, int y, const IWorkImage& image) {
    const GdiCanvas& source = AsGdiCanvas(image);
    BitBlt(Dc, Scale.ToPixels(x), Scale.ToPixels(y), source.PixelWidth, source.PixelHeight,
           source.Dc, 0, 0, SRCCOPY);
}

TFontDesc GdiCanvas::Font() const {
    LOGFONTA log{};
    GetObjectA(GetCurrentObject(Dc, OBJ_FONT), sizeof log, &log);
    TFontDesc font;
    font.Name = log.lfFaceName;
    font.Height = Scale.FontHeightToUnits(log.lfHeight);
    font.Style = static_cast<uint8_t>(
        (log.lfWeight >= FW_BOLD ? fsBold : 0) | (log.lfItalic ? fsItalic : 0) |
        (log.lfUnderline ? fsUnderline : 0) | (log.lfStrikeOut ? fsStrikeOut : 0));
    font.Color = TextColorValue;
    font.Charset = log.lfCharSet;
    return font;
}

void GdiCanvas::XorFrom(const IWorkImage& other) {
    const GdiCanvas& source = AsGdiCanvas(other);
    BitBlt(Dc, 0, 0, std::min(PixelWidth, source.PixelWidth),
           std::min(PixelHeight, source.PixelHeight), source.Dc, 0, 0, SRCINVERT);
}

} // namespace setup
