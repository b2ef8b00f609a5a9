// The toolkit's process-wide state, owned by the application object: the forms' window class,
// the forms that exist and the one that last became active. Every form is given it.
#pragma once

#include "win32/Handles.h"

#include <windows.h>

#include <vector>

namespace setup {

class TForm;

class TToolkit {
public:
    // Makes and runs a modal dialog from its template, as DialogBoxIndirectParamA does.
    using TDialogRunner = INT_PTR(WINAPI*)(HINSTANCE, LPCDLGTEMPLATEA, HWND, DLGPROC, LPARAM);

    // Registers the forms' window class; throws with the system's reason when it cannot.
    // Dialogs are run by runDialog: a test gives one that fails, as on a Windows 95/98 whose
    // small window heaps are used up.
    explicit TToolkit(TDialogRunner runDialog = &DialogBoxIndirectParamA);
    ~TToolkit();
    TToolkit(const TToolkit&) = delete;
    TToolkit& operator=(const TToolkit&) = delete;

    // The form whose window is window, or null: any other window, ours or not, is none.
    TForm* FormOf(HWND window) const;
    // At the end, before any form goes: every form lets go of its window first, then every
    // window is destroyed. Destroying the active one makes the system activate another, whose
    // handlers must not run then.
    void EndWindows();

    INT_PTR RunDialog(HINSTANCE instance, LPCDLGTEMPLATEA dialog, HWND owner, DLGPROC procedure,
                      LPARAM parameter) const {
        return DialogRunner(instance, dialog, owner, procedure, parameter);
    }

private:
    TDialogRunner DialogRunner;
    friend class TForm;
    // The class's small icon, destroyed after the class is unregistered.
    TIconHandle SmallIcon;
    ATOM FormClass = 0;
    std::vector<TForm*> Forms;
    // The form that last became active inside the program (leaving for another program and
    // coming back is no new activation), or null.
    TForm* ActiveForm = nullptr;
};

} // namespace setup
