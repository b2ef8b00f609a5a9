#include "ui/win32/WinControl.h"

#include "base/Exceptions.h"
#include "ui/win32/Form.h"

namespace setup {

TWinControl::~TWinControl() {
    if (!Parent)
        return;
    // A page takes its window down before its controls go; a control that still has one is
    // going first, as when the page's constructor throws. Its form's window goes with it, so
    // that nothing its destruction sends reaches a page half gone.
    if (Window)
        Parent->DestroyForm();
    std::erase(Parent->Controls, this);
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
    if (!Parent) {
        Parent = &parent;
        parent.Controls.push_back(this);
    }
}

} // namespace setup
