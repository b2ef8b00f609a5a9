#include "pages/Unit4.h"

#include "install/DefaultConfiguration.h"
#include "pages/Unit3.h"

namespace setup {

namespace {

// Where the controls sit: left, top, width, height. Label1 sizes itself to its text; the
// gauge sits inside the panel's one-pixel frame; ListBox2 is never shown.
constexpr struct {
    TRect Label2 = Box(29, 8, 100, 16);
    TRect Label1 = Box(34, 32, 0, 0);
    TRect Panel1 = Box(34, 56, 350, 20);
    TRect Gauge1 = Box(35, 57, 347, 18);
    TRect Button1 = Box(162, 88, 95, 24);
} Layout;

} // namespace

TForm4::TForm4(IApplicationServices& application, TProgressServices services, TForm3& destination)
    : TForm(application.Toolkit()), Application(application), Services(services),
      Form3(destination), Install(services.Platform, *this, services.ShellFolders) {
    CreateForm("Installing", 419, 120);
    AddLabel(Label2, Layout.Label2, "Copying Files:");
    Label2.Transparent = true;
    TFontDesc heading = ParentFont();
    heading.Style = fsBold;
    heading.Height = -13;
    Label2.SetFont(heading);
    AddLabel(Label1, Layout.Label1, "Label1");
    Label1.Transparent = true;
    Label1.AutoSize = true;
    Label1.ShowAccelChar = false; // files and folders, shown as they are
    Panel1.SetBoundsRect(Layout.Panel1);
    Panel1.BevelOuter = TBevelCut::Lowered;
    AddGraphic(Panel1);
    Gauge1.SetBoundsRect(Layout.Gauge1);
    Gauge1.SetBorderStyle(bsNone);
    Gauge1.SetForeColor(clNavy);
    Gauge1.SetProgress(0);
    AddGraphic(Gauge1);
    Button1.Create(*this, 101, Layout.Button1, "&Exit Setup", FontHandle());
    Button1.OnClick = [this] { Button1Click(); };
    SetDefaultButton(&Button1);
    ListBox2.Create(*this, 102, DefaultConfigurationLines());
    Timer1.OnTimer = [this] { Timer1Timer(); };
    FormCreate();
}

void TForm4::FormCreate() {
    Registry = std::make_unique<TRegistry>(Services.Platform.Registry);
}

std::string TForm4::DestinationFolder() {
    return Form3.DestinationFolder();
}

void TForm4::FormActivate() {
    Install.Run(Registry);
}

void TForm4::Timer1Timer() {
    ProgressTick(*this, Services.Random, Install.Failures(), Services.ErrorTexts,
                 Services.Platform.LeadBytes);
}

void TForm4::Button1Click() {
    Timer1.SetEnabled(false);
    bool abort = false;
    try {
        abort = Application.AbortConfirmation();
    } catch (...) {
        // A box that cannot be shown is no answer: the animation goes on behind the error.
        Timer1.SetEnabled(true);
        throw;
    }
    if (abort)
        Application.Terminate();
    else
        Timer1.SetEnabled(true);
}

void TForm4::FormClose(TCloseAction&) {
    Registry.reset();
    // Without a running animation no visible page could end the program any more.
    if (!Timer1.Enabled())
        Application.Terminate();
}

} // namespace setup
