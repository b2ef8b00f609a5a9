#include "ui/fake/FakeScreen.h"

namespace setup {

// Hands its record to the screen when it is released.
class FakeScreenCanvas : public RecordingCanvas {
public:
    explicit FakeScreenCanvas(FakeScreen& screen) : Screen(screen) {}
    ~FakeScreenCanvas() override { Screen.Release(Calls); }

private:
    FakeScreen& Screen;
};

std::unique_ptr<ICanvas> FakeScreen::CreateMeasuringCanvas() {
    ++SurfacesTaken;
    return std::make_unique<FakeScreenCanvas>(*this);
}

uint8_t FakeScreen::FontPitchAndFamily(const std::string& face, int height, int width) {
    FontRequests.push_back({face, height, width});
    constexpr uint8_t VariablePitchSwiss = 0x22;
    constexpr uint8_t TrueTypeBit = 0x04;
    return TrueTypeFaces.contains(face) ? VariablePitchSwiss | TrueTypeBit : VariablePitchSwiss;
}

void FakeScreen::Release(const std::vector<CanvasCall>& calls) {
    ++SurfacesReleased;
    MeasuringCalls.insert(MeasuringCalls.end(), calls.begin(), calls.end());
}

} // namespace setup
