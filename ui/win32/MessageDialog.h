// Modal message dialogs built at run time: a text, an optional system icon and push buttons.
#pragma once

#include <windows.h>

#include "ui/win32/Toolkit.h"

#include <string>
#include <vector>

namespace setup {

struct TDialogButton {
    const char* Caption;
    int Result;
};

struct TMessageDialog {
    std::string Caption;
    std::string Text;
    LPCSTR Icon = nullptr;              // IDI_INFORMATION ..., or null for none
    std::vector<TDialogButton> Buttons; // left to right
    int DefaultResult = IDOK;           // the button Enter presses and that starts focused
    int CancelResult = IDCANCEL;        // what Escape and the close box answer
};

// Shows the dialog modally over owner and returns the chosen button's result. Throws with the
// system's reason when the dialog cannot be made.
int ShowMessageDialog(TToolkit& toolkit, HWND owner, const TMessageDialog& dialog);

} // namespace setup
