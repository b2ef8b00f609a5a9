#include "ui/win32/ListWindow.h"

#include "ui/win32/Form.h"
#include "ui/win32/GdiCanvas.h"

namespace setup {

void TListWindow::Create(TForm& parent, int id, const TRect& bounds, int droppedHeight) {
    Scale = parent.Scale();
    if (Kind == TKind::ListBox) {
        CreateChild("LISTBOX", "",
                    WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_BORDER | LBS_OWNERDRAWFIXED |
                        LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                    0, parent, bounds, id);
        return;
    }
    CreateChild("COMBOBOX", "",
                WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED |
                    CBS_HASSTRINGS,
                0, parent, {bounds.Left, bounds.Top, bounds.Right, bounds.Bottom + droppedHeight},
                id);
}

void TListWindow::SetItemHeight(int height) {
    if (!Window)
        return;
    const int pixels = Scale.ToPixels(height);
    if (Kind == TKind::ComboBox)
        Send(CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), pixels); // the closed box
    Send(Message(LB_SETITEMHEIGHT, CB_SETITEMHEIGHT), 0, pixels);
    InvalidateRect(Window, nullptr, TRUE);
}

void TListWindow::BeginUpdate() {
    Send(WM_SETREDRAW, FALSE);
}

void TListWindow::EndUpdate() {
    Send(WM_SETREDRAW, TRUE);
    if (Window)
        InvalidateRect(Window, nullptr, TRUE);
}

void TListWindow::ClearItems() {
    Send(Message(LB_RESETCONTENT, CB_RESETCONTENT));
}

void TListWindow::AddItem(const std::string& text) {
    Send(Message(LB_ADDSTRING, CB_ADDSTRING), 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int TListWindow::SelectedIndex() const {
    if (!Window)
        return -1;
    return static_cast<int>(Send(Message(LB_GETCURSEL, CB_GETCURSEL)));
}

void TListWindow::SelectIndex(int index) {
    const int count = static_cast<int>(Send(Message(LB_GETCOUNT, CB_GETCOUNT)));
    if (index < 0 || index >= count)
        index = -1; // out of range selects nothing, whatever was selected before
    Send(Message(LB_SETCURSEL, CB_SETCURSEL), static_cast<WPARAM>(index));
}

LRESULT TListWindow::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
    return Window ? SendMessageA(Window, message, wParam, lParam) : 0;
}

// The entry (or, with no entry, the bare background), or only the focus rectangle toggled when
// nothing else changed. Entries sit where the window puts them, whole pixels apart: the
// painter draws each from its own top-left corner.
void TListWindow::DrawEntry(const DRAWITEMSTRUCT& item) const {
    GdiCanvas canvas(item.hDC, Scale);
    const TRect rect{0, 0, Scale.ToUnits(item.rcItem.right - item.rcItem.left),
                     Scale.ToUnits(item.rcItem.bottom - item.rcItem.top)};
    canvas.SetOriginAndClipPixels(
        {item.rcItem.left, item.rcItem.top, item.rcItem.right, item.rcItem.bottom}, rect.Right,
        rect.Bottom);
    if (item.itemAction == ODA_FOCUS) {
        canvas.DrawFocusRect(rect);
        return;
    }
    const TItemState state{(item.itemState & ODS_SELECTED) != 0, (item.itemState & ODS_FOCUS) != 0};
    if (PaintItem)
        PaintItem(canvas, static_cast<int>(item.itemID), rect, state);
}

bool TListWindow::OnParentMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_DRAWITEM) {
        DrawEntry(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        result = TRUE;
        return true;
    }
    if (message != WM_COMMAND)
        return false;
    // The page's window procedure shows a failure of these user actions.
    if (Kind == TKind::ListBox && HIWORD(wParam) == LBN_DBLCLK && OnOpen)
        OnOpen();
    else if (Kind == TKind::ComboBox && HIWORD(wParam) == CBN_SELCHANGE && OnSelect)
        OnSelect();
    else
        return false;
    result = 0;
    return true;
}

LRESULT TListWindow::OwnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = TWinControl::OwnMessage(message, wParam, lParam);
    if (message == WM_GETDLGCODE) {
        // Enter belongs to the list, not to the page's default button.
        const auto* pending = reinterpret_cast<const MSG*>(lParam);
        if (pending && (pending->message == WM_KEYDOWN || pending->message == WM_CHAR) &&
            pending->wParam == VK_RETURN)
            result |= DLGC_WANTMESSAGE;
    } else if (message == WM_CHAR && wParam == VK_RETURN && OnOpen) {
        OnOpen();
    }
    return result;
}

} // namespace setup
