#include "ui/win32/WinControl.h"

#include "base/Exceptions.h"
#include "ui/win32/Form.h"
#include "win32/Callback.h"

#include <cstring>

namespace setup {

TWinControl::~TWinControl() {
    LetGo();
    if (Parent)
        std::erase(Parent->Controls, this);
}

bool TWinControl::OnParentMessage(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

void TWinControl::CreateChild(const char* className, const char* text, DWORD style, DWORD exStyle,
                              TForm& parent, const TRect& bounds, int id) {
    const TRect b = parent.Scale().ToPixels(bounds);
    Window = CreateWindowExA(exStyle, className, text, style | WS_CHILD, b.Left, b.Top, b.Width(),
                             b.Height(), parent.Handle(),
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             GetModuleHandleA(nullptr), nullptr);
    if (!Window)
        throw Exception(Format("Cannot create window %s", className), GetLastError());
    // Buttons are named by their own captions.
    if (std::strcmp(className, "BUTTON") != 0)
        Subclass();
    if (!Parent) {
        Parent = &parent;
        parent.Controls.push_back(this);
    }
}

void TWinControl::Subclass() {
    SetWindowLongPtrA(Window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ClassProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc)));
}

void TWinControl::LetGo() {
    if (Window && ClassProc) {
        SetWindowLongPtrA(Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ClassProc));
        SetWindowLongPtrA(Window, GWLP_USERDATA, 0);
    }
    Window = nullptr;
    ClassProc = nullptr;
}

LRESULT TWinControl::OwnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETOBJECT && Parent)
        if (const auto answer = Parent->Accessible.Answer(Window, wParam, lParam))
            return *answer;
    return ClassMessage(message, wParam, lParam);
}

LRESULT TWinControl::ClassMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return CallWindowProcA(ClassProc, Window, message, wParam, lParam);
}

LRESULT CALLBACK TWinControl::SubclassProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    // Only the windows subclassed above come here, each holding its object until let go.
    auto* self = reinterpret_cast<TWinControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // Destroyed by the system with its form: nothing left to hold.
        const WNDPROC classProc = self->ClassProc;
        self->LetGo();
        return CallWindowProcA(classProc, window, message, wParam, lParam);
    }
    LRESULT result = 0;
    GuardCallback([&] { result = self->OwnMessage(message, wParam, lParam); });
    return result;
}

} // namespace setup
