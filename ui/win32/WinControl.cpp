#include "ui/win32/WinControl.h"

#include "platform/win32/Callback.h"

namespace setup {

void (*CallbackErrorHandler)(const std::exception& error) = nullptr;

namespace {

// The system classes CreateChild is used with; the class name compares without case.
bool IsControlClass(HWND window) {
    char name[16] = {};
    if (!GetClassNameA(window, name, sizeof name))
        return false;
    for (const char* known : {"BUTTON", "EDIT", "LISTBOX", "COMBOBOX"})
        if (lstrcmpiA(name, known) == 0)
            return true;
    return false;
}

} // namespace

bool TWinControl::OnParentMessage(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

TWinControl* TWinControl::FromHandle(HWND window) {
    if (!window || !IsControlClass(window))
        return nullptr;
    return reinterpret_cast<TWinControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

HWND TWinControl::CreateChild(const char* className, const char* text, DWORD style, DWORD exStyle,
                              HWND parent, const TRect& bounds, int id) {
    Window.Reset(CreateWindowExA(exStyle, className, text, style | WS_CHILD, bounds.Left,
                                 bounds.Top, bounds.Width(), bounds.Height(), parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleA(nullptr), nullptr));
    if (Window)
        SetWindowLongPtrA(Window.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return Window.Get();
}

} // namespace setup
