// The toolkit's process-wide state, owned by the application object: the forms' window class,
// the forms that exist and the one that last became active. Every form is given it.
#pragma once

#include <windows.h>

#include <vector>

namespace setup {

class TForm;

class TToolkit {
public:
    // Registers the forms' window class; throws with the system's reason when it cannot.
    TToolkit();
    ~TToolkit();
    TToolkit(const TToolkit&) = delete;
    TToolkit& operator=(const TToolkit&) = delete;

    // The form whose window is window, or null: any other window, ours or not, is none.
    TForm* FormOf(HWND window) const;
    // At the end, before the forms go: no message reaches any of them any more, and what they
    // handed to screen readers is cut off. Destroying the
    // active form's window makes the system activate another, whose handlers must not run then.
    void DetachForms();

    // Makes and runs a modal dialog from its template; a test puts in one that fails, as on a
    // Windows 95/98 whose small window heaps are used up.
    using TDialogRunner = INT_PTR(WINAPI*)(HINSTANCE, LPCDLGTEMPLATEA, HWND, DLGPROC, LPARAM);
    TDialogRunner RunDialog = &DialogBoxIndirectParamA;

private:
    friend class TForm;
    ATOM FormClass = 0;
    std::vector<TForm*> Forms;
    // The form that last became active inside the program (leaving for another program and
    // coming back is no new activation), or null.
    TForm* ActiveForm = nullptr;
};

} // namespace setup
