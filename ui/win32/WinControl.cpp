#include "ui/win32/WinControl.h"

#include "base/Exceptions.h"
#include "platform/win32/Callback.h"
#include "ui/win32/Form.h"

#include <string_view>

namespace setup {

TWinControl::~TWinControl() {
    // The window outlives this object by a moment: give it its own procedure back.
    if (Window && SystemProc)
        SetWindowLongPtrA(Window.Get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SystemProc));
    if (!Parent)
        return;
    // A page takes its window down before its controls go; a control that still has one is
    // going first, as when the page's constructor throws. Its form's window goes with it, so
    // that nothing its destruction sends reaches a page half gone.
    if (Window)
        Parent->DestroyForm();
    std::erase(Parent->Controls, this);
}

LRESULT CALLBACK TWinControl::ChildProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* control = reinterpret_cast<TWinControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    LRESULT result = 0;
    bool answered = false;
    if (message == WM_GETOBJECT && control->Parent)
        GuardCallback(
            [&] { answered = control->Parent->Accessible.Answer(window, wParam, lParam, result); });
    if (answered)
        return result;
    return CallWindowProcA(control->SystemProc, window, message, wParam, lParam);
}

bool TWinControl::OnParentMessage(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

void TWinControl::CreateChild(const char* className, const char* text, DWORD style, DWORD exStyle,
                              TForm& parent, const TRect& bounds, int id) {
    const TRect b = parent.Scale().ToPixels(bounds);
    Window.Reset(CreateWindowExA(exStyle, className, text, style | WS_CHILD, b.Left, b.Top,
                                 b.Width(), b.Height(), parent.Handle(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleA(nullptr), nullptr));
    if (!Window)
        throw Exception(Format("Cannot create window %s", className), GetLastError());
    // Buttons are named by their own captions.
    SetWindowLongPtrA(Window.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    if (std::string_view(className) != "BUTTON")
        SystemProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            Window.Get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TWinControl::ChildProc)));
    if (!Parent) {
        Parent = &parent;
        parent.Controls.push_back(this);
    }
}

} // namespace setup
