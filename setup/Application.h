// The application object: title, message loop, terminate, and the stock dialogs.
#pragma once

#include <exception>
#include <string>

namespace setup {

class TForm;

class TApplication {
public:
    // Derives the title from the executable's name ("SETUP.EXE" gives "Setup").
    void Initialize();
    const std::string& Title() const { return TitleText; }

    // Shows the main page maximised and dispatches messages until Terminate.
    void Run(TForm& mainForm);
    // Ends the loop once the current handler has returned.
    void Terminate();

    // "Information" box with "&Yes" (Enter) and "&No" (Escape, close box); true on Yes.
    bool AbortConfirmation();
    // A text with one "OK" button, captioned with the title.
    void PlainMessage(const std::string& text);
    // The stop box for an exception that escaped a handler.
    void ShowException(const std::exception& error);

private:
    std::string TitleText;
};

extern TApplication Application;

// The title for an executable path: file name up to its first ".", lower case after the
// first character.
std::string TitleFromExeName(const std::string& path);
// A message ends with a full stop unless its last character sorts at or before ".".
std::string WithFullStop(const std::string& message);

} // namespace setup
