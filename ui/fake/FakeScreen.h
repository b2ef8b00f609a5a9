// The screen for unit tests: measuring canvases with the recording canvas's fixed metrics,
// and a chosen set of TrueType faces.
#pragma once

#include "ui/Screen.h"
#include "ui/fake/RecordingCanvas.h"

#include <set>
#include <string>
#include <vector>

namespace setup {

class FakeScreen : public IScreen {
public:
    struct FontRequest {
        std::string Face;
        int Height = 0;
        int Width = 0;
    };

    // Faces that report the TrueType bit; every other face is a raster font.
    std::set<std::string> TrueTypeFaces{"Arial", "Times New Roman", "Courier New"};

    int SurfacesTaken = 0;
    int SurfacesReleased = 0;
    // Every call made on the measuring canvases, gathered as each one is released.
    std::vector<CanvasCall> MeasuringCalls;
    std::vector<FontRequest> FontRequests;

    std::unique_ptr<ICanvas> CreateMeasuringCanvas() override;
    uint8_t FontPitchAndFamily(const std::string& face, int height, int width) override;

private:
    friend class FakeScreenCanvas;
    void Release(const std::vector<CanvasCall>& calls);
};

} // namespace setup
