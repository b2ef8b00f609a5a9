#include "platform/win32/WinControl.h"

namespace setup {

TWinControl::~TWinControl() {
    if (Window) {
        SetWindowLongPtrA(Window, GWLP_USERDATA, 0);
        DestroyWindow(Window);
    }
}

bool TWinControl::OnParentMessage(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

TWinControl* TWinControl::FromHandle(HWND window) {
    return window ? reinterpret_cast<TWinControl*>(GetWindowLongPtrA(window, GWLP_USERDATA))
                  : nullptr;
}

HWND TWinControl::CreateChild(const char* className, const char* text, DWORD style, DWORD exStyle,
                              HWND parent, const TRect& bounds, int id) {
    Window = CreateWindowExA(exStyle, className, text, style | WS_CHILD, bounds.Left, bounds.Top,
                             bounds.Width(), bounds.Height(), parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             GetModuleHandleA(nullptr), nullptr);
    if (Window)
        SetWindowLongPtrA(Window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return Window;
}

} // namespace setup
