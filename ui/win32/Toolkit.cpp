#include "ui/win32/Toolkit.h"

#include "base/Exceptions.h"
#include "ui/win32/Form.h"

#include <algorithm>

namespace setup {

TToolkit::TToolkit(TDialogRunner runDialog) : DialogRunner(runDialog) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &TForm::WindowProc;
    windowClass.cbWndExtra = sizeof(TForm*); // the form, read back on every message
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hIcon = LoadIconA(instance, "MAINICON");
    // The caption's picture straight from the icon's small one: left to the system, it is
    // made by shrinking the large one, which costs the start a few milliseconds. Not shared:
    // Windows 95 would hand back the large one it already holds under that name.
    SmallIcon.Reset(static_cast<HICON>(
        LoadImageA(instance, "MAINICON", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                   GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR)));
    windowClass.hIconSm = SmallIcon.Get();
    windowClass.lpszClassName = "SetupForm";
    FormClass = RegisterClassExA(&windowClass);
    if (!FormClass)
        throw Exception("Cannot register the window class", GetLastError());
}

TToolkit::~TToolkit() {
    UnregisterClassA(MAKEINTATOM(FormClass), GetModuleHandleA(nullptr));
}

TForm* TToolkit::FormOf(HWND window) const {
    const auto found = std::find_if(Forms.begin(), Forms.end(), [window](const TForm* form) {
        return window && form->Handle() == window;
    });
    return found == Forms.end() ? nullptr : *found;
}

void TToolkit::EndWindows() {
    for (TForm* form : Forms)
        form->LetGoOfWindow();
    for (TForm* form : Forms)
        form->EndWindow();
}

} // namespace setup
