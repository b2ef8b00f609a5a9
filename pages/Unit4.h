// The progress page: runs the install on its first activation, then plays the animation.
#pragma once

#include "install/InstallSequence.h"
#include "install/RegistryAccessor.h"
#include "pages/ApplicationServices.h"
#include "pages/ProgressRules.h"
#include "platform/ErrorTexts.h"
#include "ui/StdGraphics.h"
#include "ui/win32/Form.h"
#include "ui/win32/StdControls.h"
#include "widgets/Gauge.h"

#include <memory>

namespace setup {

class TForm3;

// What the progress page uses besides the application and the destination page.
struct TProgressServices {
    TInstallPlatform Platform;
    IErrorTexts& ErrorTexts;
    TShellFolders& ShellFolders;
    TRandomGenerator& Random;
};

class TForm4 : public TForm, private IInstallHost, private IProgressPage {
public:
    TForm4(IApplicationServices& application, TProgressServices services, TForm3& destination);

    TLabel Label2{this};      // "Copying Files:"
    TLabel Label1{this};      // the file being copied
    TPanel Panel1{this};      // sunken frame of the gauge
    TGauge Gauge1{this};      // the progress
    TButton Button1;          // "&Exit Setup"
    TListBox ListBox2;        // hidden: the lines of the default configuration
    TTimer Timer1{*this, 50}; // the animation's tick

    void FormCreate();
    void Timer1Timer();
    void Button1Click();

protected:
    void FormActivate() override;
    void FormClose(TCloseAction& action) override;

private:
    // IInstallHost
    std::string DestinationFolder() override;
    void ShowFolder(const std::string& text) override { Label1.SetCaption(text); }
    void StartTimer() override { Timer1.SetEnabled(true); }
    std::vector<std::string> ConfigurationLines() override { return ListBox2.Items(); }
    // IProgressPage
    int Progress() override { return Gauge1.Progress(); }
    void SetProgress(int progress) override { Gauge1.SetProgress(progress); }
    void SetStatus(const std::string& text) override { Label1.SetCaption(text); }
    void StopTimer() override { Timer1.SetEnabled(false); }
    void ShowMessage(const std::string& text) override { Application.PlainMessage(text); }
    void Terminate() override { Application.Terminate(); }
    void EndWithFailure(const std::exception& error) override { Application.EndWithFailure(error); }
    int ScreenHeight() override { return ScreenSizeInUnits().Y; }

    IApplicationServices& Application;
    TProgressServices Services;
    TForm3& Form3;
    // The registry accessor the install runs with; released by its last step.
    std::unique_ptr<TRegistry> Registry;
    TInstallSequence Install;
};

} // namespace setup
