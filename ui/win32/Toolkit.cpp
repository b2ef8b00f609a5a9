#include "ui/win32/Toolkit.h"

#include "base/Exceptions.h"
#include "ui/win32/Form.h"

#include <algorithm>

namespace setup {

TToolkit::TToolkit() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &TForm::WindowProc;
    windowClass.cbWndExtra = sizeof(TForm*); // the form, read back on every message
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hIcon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
    windowClass.lpszClassName = "SetupForm";
    FormClass = RegisterClassA(&windowClass);
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

void TToolkit::DetachForms() {
    for (TForm* form : Forms) {
        form->Accessible.Disconnect();
        form->ClearSlot();
    }
}

} // namespace setup
