// Times one paint of the progress page's gauge (347 x 18, navy bar, no border, the page's
// font) on a GDI memory surface, averaged over many paints.
#include "platform/win32/GdiCanvas.h"
#include "tests/win32/DibSurface.h"
#include "widgets/Gauge.h"

#include <windows.h>

#include <cstdio>

namespace {

using namespace setup;

class PageParent : public IControlParent {
public:
    bool HasWindow() const override { return false; }
    void InvalidateRect(const TRect&) override {}
    void PaintControlNow(TGraphicControl&) override {}
    TColor ParentColor() const override { return clBtnFace; }
    TFontDesc ParentFont() const override { return {"MS Sans Serif", -11, 0, clWindowText, 1}; }
};

} // namespace

int main() {
    constexpr int Paints = 5000;
    PageParent parent;
    TGauge gauge(&parent);
    gauge.SetBounds(1, 1, 347, 18);
    gauge.SetBorderStyle(bsNone);
    gauge.SetForeColor(clNavy);
    TDibSurface surface(347, 18, clWhite);
    GdiCanvas canvas(surface.Handle());

    LARGE_INTEGER frequency;
    LARGE_INTEGER start;
    LARGE_INTEGER stop;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < Paints; ++i) {
        gauge.SetProgress(i % 101);
        gauge.Paint(canvas);
    }
    GdiFlush();
    QueryPerformanceCounter(&stop);

    const double microseconds =
        double(stop.QuadPart - start.QuadPart) * 1e6 / double(frequency.QuadPart) / Paints;
    std::printf("gauge paint (347 x 18, navy, with text): %.1f us per paint over %d paints\n",
                microseconds, Paints);
    return 0;
}
