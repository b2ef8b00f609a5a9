// The progress page: runs the install on its first activation, then plays the animation.
#pragma once

#include "install/InstallSequence.h"
#include "install/Registry.h"
#include "pages/ProgressRules.h"
#include "platform/StdGraphics.h"
#include "platform/win32/Form.h"
#include "platform/win32/StdControls.h"
#include "widgets/Gauge.h"

#include <memory>

namespace setup {

class TForm4 : public TForm, private IInstallHost, private IProgressPage {
public:
    explicit TForm4(TInstallPlatform platform);

    TLabel Label2{this};
    TLabel Label1{this};
    TPanel Panel1{this};
    TGauge Gauge1{this};
    TButton Button1;
    TListBox ListBox2;
    TTimer Timer1{50};

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
    void ShowMessage(const std::string& text) override;
    void Terminate() override;

    TInstallPlatform Platform;
    std::unique_ptr<TRegistry> Registry;
    TInstallSequence Install;
};

extern TForm4* Form4;

} // namespace setup
