#include "pages/Unit4.h"

#include "install/DefaultConfiguration.h"
#include "pages/Unit3.h"
#include "setup/Application.h"

namespace setup {

TForm4* Form4 = nullptr;

TForm4::TForm4(TInstallPlatform platform) : Platform(platform), Install(platform, *this) {
    CreateForm("Installing", 419, 120);
    AddLabel(Label2, 29, 8, 100, 16, "Copying Files:");
    Label2.Transparent = true;
    TFontDesc heading = ParentFont();
    heading.Style = fsBold;
    heading.Height = -13;
    Label2.SetFont(heading);
    AddLabel(Label1, 34, 32, 0, 0, "Label1");
    Label1.Transparent = true;
    Label1.AutoSize = true;
    Panel1.SetBounds(34, 56, 350, 20);
    Panel1.BevelOuter = TBevelCut::Lowered;
    AddGraphic(Panel1);
    // The gauge sits inside the panel's one-pixel frame.
    Gauge1.SetBounds(35, 57, 347, 18);
    Gauge1.SetBorderStyle(bsNone);
    Gauge1.SetForeColor(clNavy);
    Gauge1.SetProgress(0);
    AddGraphic(Gauge1);
    Button1.Create(Handle(), 101, {162, 88, 162 + 95, 88 + 24}, "&Exit Setup", FontHandle());
    Button1.OnClick = [this] { Button1Click(); };
    SetDefaultButton(&Button1);
    ListBox2.Create(Handle(), 102, DefaultConfigurationLines());
    Timer1.OnTimer = [this] { Timer1Timer(); };
    FormCreate();
}

void TForm4::FormCreate() {
    Registry = std::make_unique<TRegistry>(Platform.Registry);
}

std::string TForm4::DestinationFolder() {
    return Form3->DestinationFolder();
}

void TForm4::FormActivate() {
    Install.Run(Registry);
}

void TForm4::Timer1Timer() {
    try {
        ProgressTick(*this, RandomGenerator, Install.Failures());
    } catch (...) {
        // A tick that fails just ends; the next one carries on.
    }
}

void TForm4::Button1Click() {
    Timer1.SetEnabled(false);
    if (Application.AbortConfirmation())
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

void TForm4::ShowMessage(const std::string& text) {
    Application.PlainMessage(text);
}

void TForm4::Terminate() {
    Application.Terminate();
}

} // namespace setup
