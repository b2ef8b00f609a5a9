#include "pages/Unit2.h"

#include "pages/SidePicture.h"
#include "pages/Unit3.h"
#include "ui/win32/GdiCanvas.h"

namespace setup {

namespace {

// Where the controls sit: left, top, width, height.
constexpr struct {
    TRect Label1 = Box(136, 16, 313, 49);
    TRect Label2 = Box(136, 88, 313, 33);
    TRect Label3 = Box(136, 152, 313, 41);
    TRect Label4 = Box(136, 224, 65, 13);
    TRect Label5 = Box(203, 224, 236, 13);
    TRect GroupBox1 = Box(-16, 257, 529, 7);
    TRect GroupBox2 = Box(-13, 304, 526, 7);
    TRect Button1 = Box(392, 273, 81, 25);
    TRect Button2 = Box(304, 273, 81, 25);
} Layout;

} // namespace

TForm2::TForm2(IApplicationServices& application, TForm3& destination)
    : TForm(application.Toolkit()), Application(application), Form3(destination) {
    CreateForm("Palvorne Lumivary", 491, 317);
    AddSidePicture(*this, Panel1, Image1);
    Image1.SetPicture(GdiBitmap::FromResource("SIDEPICTURE"));
    AddLabel(Label1, Layout.Label1,
             "Hello and welcome to the Palvorne Lumivary Setup program. This program will "
             "install Palvorne Lumivary on your computer.");
    AddLabel(Label2, Layout.Label2,
             "It is strongly recommended that you exit all windows programs before running "
             "this setup program");
    AddLabel(Label3, Layout.Label3,
             "Click Exit to quit Setup and then close any programs you have running, Click "
             "Continue to continue with the Setup program.");
    Label1.WordWrap = Label2.WordWrap = Label3.WordWrap = true;
    AddLabel(Label4, Layout.Label4, "WARNING:");
    TFontDesc bold = ParentFont();
    bold.Style = fsBold;
    Label4.SetFont(bold);
    AddLabel(Label5, Layout.Label5, "This program is the property of Palvorne.");
    for (TLabel* label : {&Label1, &Label2, &Label3, &Label4, &Label5})
        label->Transparent = true;
    GroupBox1.SetBoundsRect(Layout.GroupBox1);
    AddGraphic(GroupBox1);
    GroupBox2.SetBoundsRect(Layout.GroupBox2);
    AddGraphic(GroupBox2);
    Button1.Create(*this, 101, Layout.Button1, "&Continue >>", FontHandle());
    Button1.OnClick = [this] { Button1Click(); };
    Button2.Create(*this, 102, Layout.Button2, "&Exit Setup", FontHandle());
    Button2.OnClick = [this] { Button2Click(); };
    FormCreate();
}

void TForm2::FormCreate() {
    Show();
}

void TForm2::Button1Click() {
    // The destination page gets its own copy of the side picture.
    if (Image1.Picture())
        Form3.Image1.SetPicture(Image1.Picture()->Clone());
    Form3.Show();
    Hide();
}

void TForm2::Button2Click() {
    if (Application.AbortConfirmation())
        Application.Terminate();
}

void TForm2::FormClose(TCloseAction&) {
    Application.Terminate();
}

} // namespace setup
