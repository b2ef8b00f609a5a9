// Base of every control that has a window of its own (buttons, edits, list boxes ...).
#pragma once

#include <windows.h>

#include "platform/win32/Handles.h"
#include "ui/Graphics.h"

namespace setup {

class TForm;

class TWinControl {
public:
    TWinControl() = default;
    virtual ~TWinControl();
    TWinControl(const TWinControl&) = delete;
    TWinControl& operator=(const TWinControl&) = delete;

    HWND Handle() const { return Window.Get(); }

    // Messages that Win32 sends to the parent about this child (WM_COMMAND, WM_DRAWITEM,
    // WM_MEASUREITEM, WM_CTLCOLOR*, WM_VKEYTOITEM ...). The parent routes them here;
    // return true when handled, with the result to give back.
    virtual bool OnParentMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

protected:
    // Creates the child window of a system class ("BUTTON", "EDIT", "LISTBOX", "COMBOBOX")
    // on parent at bounds in its layout units, which routes the child's messages here from then on;
    // the window is destroyed with this object. Its user data is this object. Throws with the
    // system's reason when it cannot be made.
    void CreateChild(const char* className, const char* text, DWORD style, DWORD exStyle,
                     TForm& parent, const TRect& bounds, int id);
    TWindowHandle Window;

private:
    friend class TForm;
    // Answers WM_GETOBJECT through the page, so that a text before the window names it.
    static LRESULT CALLBACK ChildProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    TForm* Parent = nullptr;      // cleared when the form goes first
    WNDPROC SystemProc = nullptr; // the class's procedure, under ChildProc
};

} // namespace setup
