// Base of every control that has a window of its own (buttons, edits, list boxes ...).
#pragma once

#include <windows.h>

#include "platform/win32/Handles.h"
#include "ui/Graphics.h"

namespace setup {

class TWinControl {
public:
    TWinControl() = default;
    virtual ~TWinControl() = default;
    TWinControl(const TWinControl&) = delete;
    TWinControl& operator=(const TWinControl&) = delete;

    HWND Handle() const { return Window.Get(); }

    // Messages that Win32 sends to the parent about this child (WM_COMMAND, WM_DRAWITEM,
    // WM_MEASUREITEM, WM_CTLCOLOR*, WM_VKEYTOITEM ...). The parent routes them here;
    // return true when handled, with the result to give back.
    virtual bool OnParentMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // The control a child window belongs to, or null: only a window of one of the classes
    // controls are made of has its instance data read.
    static TWinControl* FromHandle(HWND window);

protected:
    // Creates the child window of a system class ("BUTTON", "EDIT", "LISTBOX", "COMBOBOX")
    // and ties it to this object; the window is destroyed with it.
    HWND CreateChild(const char* className, const char* text, DWORD style, DWORD exStyle,
                     HWND parent, const TRect& bounds, int id);
    TWindowHandle Window;
};

} // namespace setup
