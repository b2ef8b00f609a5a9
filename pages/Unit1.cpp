#include "pages/Unit1.h"

#include "pages/Unit2.h"
#include "ui/win32/GdiCanvas.h"

namespace setup {

namespace {

// Where the controls sit: left, top, width, height (Image2 follows the window's size).
constexpr struct {
    TRect Image1 = Box(146, 66, 508, 421);
    TRect FxLabel1 = Box(8, 16, 673, 62);
} Layout;

} // namespace

TForm1::TForm1(IApplicationServices& application, TForm2& welcome)
    : TForm(application.Toolkit()), Form2(welcome) {
    Color = clBlack;
    // A full-screen picture with a title in a pixel-sized face: nothing to grow.
    Scaled = false;
    CreateForm("III", 640, 480, TFormBorder::None);
    Image2.Stretch = true;
    AddGraphic(Image2);
    Image1.SetBoundsRect(Layout.Image1);
    Image1.Transparent = true;
    AddGraphic(Image1);
    // Sized by hand: switch auto-size off before the font and caption would resize it.
    FxLabel1.SetAutoSize(false);
    FxLabel1.SetBoundsRect(Layout.FxLabel1);
    FxLabel1.SetColor(clRed);
    FxLabel1.SetFont({"Arial", -41, fsBold, clRed, ANSI_CHARSET_ID});
    FxLabel1.FontFx().SetStyle(tdShadow);
    FxLabel1.FontFx().SetShadowDepth(4);
    FxLabel1.FontFx().SetShadowColor(clBtnText);
    FxLabel1.SetCaption("Palvorne Lumivary 2000");
    AddGraphic(FxLabel1);
    // Clicks and keys on the backdrop are ignored.
    SetEnabled(false);
}

void TForm1::FormResize(int clientWidth, int clientHeight) {
    Image2.SetBounds(0, 0, clientWidth, clientHeight);
}

void CloseCompanionWindow() {
    // A quit posted without a window would end this program's own loop.
    if (HWND runner = FindWindowA(nullptr, "PalvorneRun1"))
        PostMessageA(runner, WM_QUIT, 0, 0);
}

// The pictures wait until the backdrop is first shown: the welcome page, shown while the pages
// are made, comes up without decoding the largest of them first.
void TForm1::FormShow() {
    if (!Image2.Picture())
        Image2.SetPicture(GdiBitmap::FromResource("BACKDROP"));
    if (!Image1.Picture())
        Image1.SetPicture(GdiBitmap::FromResource("LOGO"));
}

void TForm1::FormActivate() {
    CloseCompanionWindow();
    Form2.Show();
}

} // namespace setup
