// The application object: title, message loop, terminate, and the stock dialogs.
#pragma once

#include "pages/ApplicationServices.h"
#include "ui/win32/Toolkit.h"

#include <windows.h>

#include <exception>
#include <string>

namespace setup {

class TForm;

// The application object, made once by the entry point: title, message loop, the stock
// dialogs, the error display (also of failures inside callbacks) and the toolkit's state.
class TApplication : public IApplicationServices {
public:
    // Derives the title from the executable's name ("SETUP.EXE" gives "Setup"); the toolkit
    // runs its dialogs with runDialog.
    explicit TApplication(TToolkit::TDialogRunner runDialog = &DialogBoxIndirectParamA);
    ~TApplication() override;
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;
    const std::string& Title() const { return TitleText; }

    // Shows the main page maximised and dispatches messages until the end; the exit code.
    int Run(TForm& mainForm);
    void Terminate() override;
    void EndWithFailure(const std::exception& error) override;

    bool AbortConfirmation() override;
    void PlainMessage(const std::string& text) override;
    void ShowException(const std::exception& error) override;
    TToolkit& Toolkit() override { return FToolkit; }

private:
    TToolkit FToolkit;
    std::string TitleText;
};

// The running program's title.
std::string ProgramTitle();
// The error display: the message in a stop box over owner, captioned with title.
void ShowErrorBox(HWND owner, const std::string& title, const std::exception& error);
// A message ends with a full stop unless its last character sorts at or before ".".
std::string WithFullStop(const std::string& message);

} // namespace setup
