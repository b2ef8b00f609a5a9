// Times one paint of the progress page's gauge (347 x 18, navy bar, no border, the page's
// font) on a GDI memory surface, averaged over many paints, and the processor time of the
// whole animation: the ticks from 0 to 100 %, each repainting the gauge.
#include "pages/ProgressRules.h"
#include "platform/fake/FakeErrorTexts.h"
#include "tests/win32/DibSurface.h"
#include "ui/fake/FakeControlParent.h"
#include "ui/win32/GdiCanvas.h"
#include "widgets/Gauge.h"

#include <windows.h>

#include <cstdio>

namespace {

using namespace setup;

// The page as the animation sees it: every change of the bar repaints it at once.
class AnimatedPage : public IProgressPage {
public:
    AnimatedPage(TGauge& gauge, ICanvas& canvas) : Gauge(gauge), Canvas(canvas) {}
    int Progress() override { return Gauge.Progress(); }
    void SetProgress(int progress) override {
        Gauge.SetProgress(progress);
        Gauge.Paint(Canvas);
    }
    std::string DestinationFolder() override { return "C:\\Program Files\\Palvorne Lumivary"; }
    void SetStatus(const std::string&) override {}
    void StopTimer() override { Running = false; }
    void ShowMessage(const std::string&) override {}
    void Terminate() override {}
    void EndWithFailure(const std::exception&) override {}
    int ScreenHeight() override { return 480; }
    bool Running = true;

private:
    TGauge& Gauge;
    ICanvas& Canvas;
};

double ProcessorSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& t) {
        return double((uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

} // namespace

int main() {
    constexpr int Paints = 5000;
    FakeControlParent parent;
    parent.Window = false;
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

    constexpr int Animations = 200;
    int ticks = 0;
    const double before = ProcessorSeconds();
    for (int i = 0; i < Animations; ++i) {
        TRandomGenerator random;
        FakeErrorTexts texts;
        gauge.SetProgress(0);
        AnimatedPage page(gauge, canvas);
        while (page.Running) {
            ProgressTick(page, random, {}, texts, TLeadBytes());
            ++ticks;
        }
    }
    const double spent = ProcessorSeconds() - before;
    std::printf("whole animation (%d ticks): %.2f ms of processor time, averaged over %d runs\n",
                ticks / Animations, spent * 1e3 / Animations, Animations);
    return 0;
}
