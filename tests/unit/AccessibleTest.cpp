// What each kind of windowless control tells a screen reader, the order a reader goes through a
// page in, and the changes a control announces.
#include "ui/Accessible.h"
#include "ui/StdGraphics.h"
#include "ui/fake/FakeControlParent.h"
#include "ui/fake/FakeScreen.h"
#include "widgets/FxLabel.h"
#include "widgets/Gauge.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace setup;

namespace {

struct TDescriptionCase {
    const char* What;
    std::function<std::unique_ptr<TGraphicControl>(FakeControlParent&)> Make;
    TAccessDescription Expected;
};

template <class Control> std::unique_ptr<Control> At(FakeControlParent& parent, TRect bounds) {
    auto control = std::make_unique<Control>(&parent);
    control->SetBoundsRect(bounds);
    return control;
}

std::unique_ptr<TGraphicControl> Label(FakeControlParent& parent, const char* caption,
                                       bool accel = true, bool visible = true) {
    auto label = At<TLabel>(parent, Box(136, 16, 305, 17));
    label->SetCaption(caption);
    label->ShowAccelChar = accel;
    label->SetVisible(visible);
    return label;
}

std::unique_ptr<TGraphicControl> Group(FakeControlParent& parent, TRect bounds,
                                       const char* caption) {
    auto group = At<TGroupBox>(parent, bounds);
    group->Caption = caption;
    return group;
}

std::unique_ptr<TGraphicControl> Gauge(FakeControlParent& parent, int max, int progress) {
    auto gauge = At<TGauge>(parent, Box(35, 57, 347, 18));
    gauge->SetMaxValue(max);
    gauge->SetProgress(progress);
    return gauge;
}

constexpr TRect LabelBox = Box(136, 16, 305, 17);
using enum TAccessRole;

TEST(Accessible, EachKindOfControlDescribesItself) {
    FakeScreen screen;
    const TDescriptionCase cases[] = {
        {"a text",
         [](auto& p) { return Label(p, "Setup will install"); },
         {StaticText, "Setup will install", "", LabelBox, false, true}},
        {"accelerator marks taken out",
         [](auto& p) { return Label(p, "&Copy && paste&"); },
         {StaticText, "Copy & paste", "", LabelBox, false, true}},
        {"a folder shown as it is",
         [](auto& p) { return Label(p, "C:\\R&D\\P", false); },
         {StaticText, "C:\\R&D\\P", "", LabelBox, false, true}},
        {"a hidden text",
         [](auto& p) { return Label(p, "WARNING:", true, false); },
         {StaticText, "WARNING:", "", LabelBox, true, true}},
        {"a captioned frame",
         [](auto& p) { return Group(p, Box(136, 200, 345, 49), " Destination &Folder "); },
         {Grouping, "Destination Folder", "", Box(136, 200, 345, 49), false, false}},
        {"a rule", [](auto& p) { return Group(p, Box(-16, 257, 529, 7), ""); }, {}},
        {"a caption off the window",
         [](auto& p) { return Group(p, Box(-89, 305, 586, 7), "GroupBox3"); },
         {}},
        {"a panel", [](auto& p) { return At<TPanel>(p, Box(8, 8, 120, 240)); }, {}},
        {"a picture", [](auto& p) { return At<TImage>(p, Box(8, 8, 120, 240)); }, {}},
        {"the gauge",
         [](auto& p) { return Gauge(p, 100, 42); },
         {ProgressBar, "", "42%", Box(35, 57, 347, 18), false, true}},
        {"the gauge's percentage truncated",
         [](auto& p) { return Gauge(p, 300, 200); },
         {ProgressBar, "", "66%", Box(35, 57, 347, 18), false, true}},
        {"the effect text",
         [&screen](auto& p) -> std::unique_ptr<TGraphicControl> {
             auto title = std::make_unique<TFxLabel>(&p, screen);
             title->SetAutoSize(false);
             title->SetBoundsRect(Box(8, 16, 673, 62));
             title->SetCaption("Palvorne && Lumivary 2000");
             return title;
         },
         {StaticText, "Palvorne & Lumivary 2000", "", Box(8, 16, 673, 62), false, true}},
    };
    for (const TDescriptionCase& c : cases) {
        FakeControlParent parent;
        const TAccessDescription d = c.Make(parent)->Describe();
        const TAccessDescription& e = c.Expected;
        EXPECT_EQ(d.Role, e.Role) << c.What;
        if (e.Role == None)
            continue;
        EXPECT_EQ(d.Name, e.Name) << c.What;
        EXPECT_EQ(d.Value, e.Value) << c.What;
        EXPECT_EQ(d.Bounds, e.Bounds) << c.What;
        EXPECT_EQ(d.Invisible, e.Invisible) << c.What;
        EXPECT_EQ(d.ReadOnly, e.ReadOnly) << c.What;
    }
}

TEST(Accessible, ReadingOrderGoesByRowsThenLeftToRight) {
    const struct {
        const char* What;
        std::vector<TRect> Boxes;
        std::vector<int> Order;
    } cases[] = {
        {"nothing", {}, {}},
        {"a column given bottom up",
         {Box(136, 104, 284, 26), Box(136, 56, 297, 25), Box(136, 16, 305, 17)},
         {2, 1, 0}},
        // The destination page's frame row: the frame, the folder inside it, then Browse.
        {"a frame and what it holds",
         {Box(388, 216, 83, 25), Box(144, 224, 220, 13), Box(136, 200, 345, 49)},
         {2, 1, 0}},
        // Buttons a pixel apart in height are one row; the next row starts below the first box.
        {"buttons, then a text below",
         {Box(392, 273, 81, 25), Box(304, 274, 81, 25), Box(16, 298, 50, 13)},
         {1, 0, 2}},
        // The chooser: a tall list starts the row that its buttons join; "Drive:" is below it.
        {"a tall list with buttons beside it",
         {Box(16, 256, 28, 13), Box(176, 152, 75, 25), Box(176, 112, 75, 25),
          Box(16, 112, 145, 137)},
         {3, 2, 1, 0}},
        {"a text not measured yet", {Box(34, 57, 10, 10), Box(34, 32, 0, 0)}, {1, 0}},
    };
    for (const auto& c : cases) {
        std::vector<TRect> boxes = c.Boxes;
        std::vector<long> ids(boxes.size());
        for (size_t i = 0; i < ids.size(); ++i)
            ids[i] = long(i);
        SortInReadingOrder(ids.data(), boxes.data(), int(ids.size()));
        EXPECT_EQ(ids, std::vector<long>(c.Order.begin(), c.Order.end())) << c.What;
    }
}

TEST(Accessible, ControlsAnnounceWhatReadersHearChange) {
    FakeControlParent parent;
    FakeScreen screen;
    TLabel label{&parent};
    TGauge gauge{&parent};
    TFxLabel title{&parent, screen};
    label.AutoSize = true;
    label.SetCaption("C:\\Dest");
    label.SetCaption("C:\\Dest"); // the same: nothing
    RecordingCanvas canvas;
    label.AdjustBounds(canvas); // grows to its text
    gauge.SetProgress(42);
    gauge.SetMaxValue(200); // 42 of 200 is drawn as 21%
    gauge.SetProgress(43);  // still 21%: nothing
    title.SetCaption("Palvorne Lumivary 2000");
    using enum TAccessChange;
    const std::vector<std::pair<const TGraphicControl*, TAccessChange>> expected{
        {&label, Name}, {&label, Location}, {&gauge, Value}, {&gauge, Value}, {&title, Name}};
    std::erase_if(parent.Changes, [&](const auto& change) {
        return change.first == &title && change.second == Location; // sized to its text
    });
    EXPECT_EQ(parent.Changes, expected);
}

TEST(Accessible, AFolderShownAsItIsDrawsItsAmpersand) {
    FakeControlParent parent;
    TLabel label{&parent};
    label.SetBoundsRect(LabelBox);
    label.SetCaption("C:\\R&D");
    for (bool accel : {true, false}) {
        label.ShowAccelChar = accel;
        RecordingCanvas canvas;
        label.Paint(canvas);
        ASSERT_EQ(canvas.CallsOf(CanvasOp::DrawTextIn).size(), 1u);
        EXPECT_EQ((canvas.CallsOf(CanvasOp::DrawTextIn)[0].Format & DTF_NOPREFIX) != 0, !accel);
    }
}

} // namespace
