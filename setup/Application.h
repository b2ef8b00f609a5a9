// The application object: title, message loop, terminate, and the stock dialogs.
#pragma once

#include "pages/ApplicationServices.h"

#include <exception>
#include <string>

namespace setup {

class TForm;

class TApplication : public IApplicationServices {
public:
    // Derives the title from the executable's name ("SETUP.EXE" gives "Setup").
    void Initialize();
    const std::string& Title() const { return TitleText; }

    // Shows the main page maximised and dispatches messages until Terminate.
    void Run(TForm& mainForm);
    void Terminate() override;

    bool AbortConfirmation() override;
    void PlainMessage(const std::string& text) override;
    void ShowException(const std::exception& error) override;

private:
    std::string TitleText;
};

// The application object the program's design names; global because Windows' callbacks reach
// its error display with no context of ours.
extern TApplication Application;

// The title for an executable path: file name up to its first ".", lower case after the
// first character.
std::string TitleFromExeName(const std::string& path);
// A message ends with a full stop unless its last character sorts at or before ".".
std::string WithFullStop(const std::string& message);

} // namespace setup
