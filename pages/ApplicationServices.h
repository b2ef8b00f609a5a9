// What the pages need of the application object; the program hands it to each page.
#pragma once

#include <exception>
#include <string>

namespace setup {

class TToolkit;

class IApplicationServices {
public:
    virtual ~IApplicationServices() = default;
    // "Information" box with "&Yes" (Enter) and "&No" (Escape, close box); true on Yes.
    virtual bool AbortConfirmation() = 0;
    // A text with one "OK" button, captioned with the title.
    virtual void PlainMessage(const std::string& text) = 0;
    // The stop box for an exception that escaped a handler.
    virtual void ShowException(const std::exception& error) = 0;
    // Ends the message loop once the current handler has returned; the program exits with 0.
    virtual void Terminate() = 0;
    // The error display for error, then the end as for a failure that nothing caught: the loop
    // ends once the current handler has returned and the program exits with 2.
    virtual void EndWithFailure(const std::exception& error) = 0;
    // The windowing state every page is made with.
    virtual TToolkit& Toolkit() = 0;
};

} // namespace setup
