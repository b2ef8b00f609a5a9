// The pages as the program makes them. As the screen shows them, at whatever pixels per inch
// the prefix is set to (scripts/dpi-case.sh): every label, button and group caption shows its
// whole text in its own font and wrapping, inside its box, and the pages keep their size in
// layout units. And the progress page's exit button, whatever the confirmation answers, and the
// backdrop's pictures, which wait until it is shown.
#include "base/Exceptions.h"
#include "pages/Unit1.h"
#include "tests/win32/DibSurface.h"
#include "tests/win32/TestPages.h"
#include "ui/TextFit.h"
#include "ui/win32/GdiCanvas.h"

#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <map>

namespace setup {
namespace {

SIZE ClientSize(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return {r.right, r.bottom};
}

// What DrawTextA makes of text with the font inside a box width pixels wide, and how far its
// ink reaches to the right: a TrueType face's last letter may reach past its advance.
SIZE Measure(HFONT font, const std::string& text, int width, UINT format) {
    const TWindowDC screen = WindowDC(nullptr);
    const auto selected = Select(screen.Get(), font);
    RECT r{0, 0, width, 0};
    DrawTextA(screen.Get(), text.c_str(), -1, &r, format | DT_CALCRECT);
    TDibSurface ink(r.right + 32, r.bottom, clWhite);
    const auto inkFont = Select(ink.Handle(), font);
    SetBkMode(ink.Handle(), TRANSPARENT);
    RECT area{0, 0, (format & DT_WORDBREAK) ? width : r.right, r.bottom};
    DrawTextA(ink.Handle(), text.c_str(), -1, &area, format | DT_NOCLIP);
    LONG right = r.right;
    for (int x = r.right; x < ink.Width(); ++x)
        for (int y = 0; y < ink.Height(); ++y)
            if (ink.At(x, y) != clWhite)
                right = x + 1;
    return {right, r.bottom};
}

void ExpectFits(const std::string& page, const std::string& text, SIZE needed, SIZE room) {
    EXPECT_TRUE(needed.cx <= room.cx && needed.cy <= room.cy)
        << page << ": \"" << text << "\" needs " << needed.cx << " x " << needed.cy
        << " pixels, has " << room.cx << " x " << room.cy;
}

// The smallest face a label's text may be given: three quarters of its height on the screen,
// rounded toward the larger face.
int Smallest(const TScale& scale, int layoutHeight) {
    static const std::map<std::pair<int, int>, int> floors{{{96, -11}, -9},   {{96, -13}, -10},
                                                           {{120, -11}, -11}, {{120, -13}, -12},
                                                           {{144, -11}, -13}, {{144, -13}, -15}};
    const auto floor = floors.find({scale.PixelsPerInch(), layoutHeight});
    if (floor == floors.end()) {
        ADD_FAILURE() << "no floor for height " << layoutHeight << " at " << scale.PixelsPerInch()
                      << " dpi";
        return 0;
    }
    return floor->second;
}

// The windowless texts of a page, each in the box and font the page paints it with (auto-sized
// ones sized first, as before a paint). Left out: the labels that show the destination folder
// and a caption that starts off the page.
void ExpectDrawnTextsFit(const std::string& page, const TForm& form, const TPages& pages) {
    const TScale& scale = form.Scale();
    const TWindowDC dc = WindowDC(form.Handle());
    for (TGraphicControl* control : form.GraphicControls()) {
        {
            GdiCanvas canvas(dc.Get(), scale);
            control->AdjustBounds(canvas);
        }
        const TRect box = scale.ToPixels(control->BoundsRect());
        const SIZE room{box.Width(), box.Height()};
        if (const auto* label = dynamic_cast<const TLabel*>(control)) {
            if (pages.ShowsTheFolder(label))
                continue;
            const UINT format = DT_EXPANDTABS | (label->WordWrap ? DT_WORDBREAK : DT_SINGLELINE);
            // The face the label paints in.
            GdiCanvas canvas(dc.Get(), scale);
            canvas.SetFont(label->Font());
            TFittingFace face;
            canvas.FitFont(label->Caption(), {0, 0, label->Width(), label->Height()},
                           format | DTF_FIT, face);
            const auto font = static_cast<HFONT>(GetCurrentObject(dc.Get(), OBJ_FONT));
            LOGFONTA fitting{};
            GetObjectA(font, sizeof fitting, &fitting);
            const int scaled = scale.ToPixels(label->Font().Height);
            if (fitting.lfHeight != scaled)
                std::cout << page << ": \"" << label->Caption() << "\" asks for height "
                          << fitting.lfHeight << " instead of " << scaled << "\n";
            EXPECT_LE(fitting.lfHeight, Smallest(scale, label->Font().Height))
                << page << ": \"" << label->Caption() << "\"";
            ExpectFits(page, label->Caption(), Measure(font, label->Caption(), room.cx, format),
                       room);
        } else if (const auto* group = dynamic_cast<const TGroupBox*>(control)) {
            if (group->Caption.empty() || control->Left() + 8 < 0)
                continue;
            // From 8 units in to 8 units before the right end, as high as the box.
            const TFontHandle font = CreateFontFrom(scale.ToPixels(form.ParentFont()));
            ExpectFits(page, group->Caption,
                       Measure(font.Get(), group->Caption, room.cx, DT_SINGLELINE),
                       {room.cx - 2 * scale.ToPixels(8), room.cy});
        }
    }
}

// The buttons as the system shows them: the caption inside the button's edges and the focus
// rectangle (four pixels on each side, two above and below).
void ExpectButtonsFit(const std::string& page, const TForm& form) {
    const SIZE client = ClientSize(form.Handle());
    for (HWND window : form.ChildWindows()) {
        char className[16] = {};
        GetClassNameA(window, className, sizeof className);
        if (lstrcmpiA(className, "BUTTON") != 0)
            continue;
        char caption[64] = {};
        GetWindowTextA(window, caption, sizeof caption);
        const SIZE size = ClientSize(window);
        const SIZE room{size.cx - 8, size.cy - 4};
        const auto font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
        ExpectFits(page, caption, Measure(font, caption, room.cx, DT_SINGLELINE), room);
        // On the page, not below or beside it.
        RECT r{};
        GetWindowRect(window, &r);
        MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.cx && r.bottom <= client.cy)
            << page << ": \"" << caption << "\" lies outside the page";
    }
}

// Pages are their layout's size in the screen's pixels, and up to Large Fonts each fits a
// 640 x 480 screen with its title bar and frame.
TEST(PageLayout, PagesGrowWithThePixelsPerInchAndEveryTextFits) {
    TPages pages;
    const int dpi = TScale::OfScreen().PixelsPerInch();
    const std::map<int, SIZE> destination{{96, {491, 318}}, {120, {614, 398}}, {144, {737, 477}}};
    if (destination.contains(dpi)) {
        const SIZE size = ClientSize(pages.Form3.Handle());
        EXPECT_EQ(size.cx, destination.at(dpi).cx);
        EXPECT_EQ(size.cy, destination.at(dpi).cy);
    }
    for (const auto& [page, form] : pages.Named()) {
        EXPECT_EQ(form->Scale().PixelsPerInch(), dpi) << page;
        RECT r{};
        GetWindowRect(form->Handle(), &r);
        if (dpi <= 120) {
            EXPECT_TRUE(r.right - r.left <= 640 && r.bottom - r.top <= 480)
                << page << ": " << r.right - r.left << " x " << r.bottom - r.top;
        }
        ExpectDrawnTextsFit(page, *form, pages);
        ExpectButtonsFit(page, *form);
    }
}

// The exit button stops the animation while it asks; "Yes" ends the program, "No" and a box
// that cannot be shown (its failure goes on to the error display) let the animation run on.
TEST(ProgressPage, TheAnimationRunsOnUnlessTheExitIsConfirmed) {
    const struct {
        const char* Name;
        std::function<bool()> Confirm;
        bool Raises;
        bool Runs;
    } cases[] = {
        {"yes", [] { return true; }, false, false},
        {"no", [] { return false; }, false, true},
        {"no box", []() -> bool { throw Exception("Cannot create window Information"); }, true,
         true},
    };
    for (const auto& test : cases) {
        TPages pages;
        pages.Form4.Timer1.SetEnabled(true);
        pages.Application.Confirm = test.Confirm;
        bool raised = false;
        try {
            pages.Form4.Button1Click();
        } catch (const Exception&) {
            raised = true;
        }
        EXPECT_EQ(raised, test.Raises) << test.Name;
        EXPECT_EQ(pages.Form4.Timer1.Enabled(), test.Runs) << test.Name;
        EXPECT_EQ(pages.Application.Terminated, !test.Runs) << test.Name;
    }
}

// The welcome page comes up while the pages are made: the backdrop behind it decodes its two
// pictures only when it is shown itself, and then has both.
TEST(Backdrop, ItsPicturesWaitUntilItIsShown) {
    TPages pages;
    TForm1 backdrop{pages.Application, pages.Form2};
    EXPECT_FALSE(backdrop.Image2.Picture() || backdrop.Image1.Picture());
    backdrop.ShowMaximized();
    ASSERT_TRUE(backdrop.Image2.Picture() && backdrop.Image1.Picture());
    EXPECT_EQ(backdrop.Image1.Picture()->Width(), 508) << "the product picture";
}

} // namespace
} // namespace setup
