// Base of every control that has a window of its own (buttons, edits, list boxes ...).
#pragma once

#include <windows.h>

#include "ui/Graphics.h"

namespace setup {

class TForm;

// The window is its form's: it dies with the form's window. A control that goes first only
// lets go of it.
class TWinControl {
public:
    TWinControl() = default;
    virtual ~TWinControl();
    TWinControl(const TWinControl&) = delete;
    TWinControl& operator=(const TWinControl&) = delete;

    HWND Handle() const { return Window; }

    // Messages that Win32 sends to the parent about this child (WM_COMMAND, WM_DRAWITEM,
    // WM_MEASUREITEM, WM_CTLCOLOR*, WM_VKEYTOITEM ...). The parent routes them here;
    // return true when handled, with the result to give back.
    virtual bool OnParentMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

protected:
    // Creates the child window of a system class ("BUTTON", "EDIT", "LISTBOX", "COMBOBOX")
    // on parent at bounds in its layout units, which routes the child's messages here from then
    // on; any but a button's own messages too, so that it answers a screen reader with the name
    // of the text before it. Throws with the system's reason when it cannot be made.
    void CreateChild(const char* className, const char* text, DWORD style, DWORD exStyle,
                     TForm& parent, const TRect& bounds, int id);
    // Routes the window's own messages through OwnMessage until this object lets go of it.
    void Subclass();
    // A message of the subclassed window; the default answers a screen reader's question through
    // the page and hands the rest to the class's procedure.
    virtual LRESULT OwnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT ClassMessage(UINT message, WPARAM wParam, LPARAM lParam) const;

    HWND Window = nullptr;

private:
    friend class TForm;
    // From here on no message of the window reaches this object; the window stays.
    void LetGo();
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    TForm* Parent = nullptr; // cleared when the form goes first
    WNDPROC ClassProc = nullptr;
};

} // namespace setup
