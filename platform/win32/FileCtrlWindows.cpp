#include "platform/win32/FileCtrlWindows.h"

#include "platform/Exceptions.h"
#include "platform/win32/Form.h"
#include "platform/win32/GdiCanvas.h"

namespace setup {

namespace {

// A program bitmap resource, or none when the program carries no such picture.
std::unique_ptr<IBitmap> ResourceBitmap(const char* name) {
    try {
        return GdiBitmap::FromResource(name);
    } catch (const EResNotFound&) {
        return nullptr;
    }
}

TFolderIcons FolderIcons() {
    return {ResourceBitmap("OPENFOLDER"), ResourceBitmap("CURRENTFOLDER"),
            ResourceBitmap("CLOSEDFOLDER")};
}

TDriveIcons DriveIcons() {
    return {ResourceBitmap("FLOPPY"), ResourceBitmap("HARD"), ResourceBitmap("NETWORK"),
            ResourceBitmap("CDROM"), ResourceBitmap("RAM")};
}

// The line height of a font on the screen.
int LineHeight(const TFontDesc& font) {
    UniqueWindowDC screen(nullptr);
    GdiCanvas canvas(screen.get());
    canvas.SetFont(font);
    return canvas.TextHeight();
}

// WM_DRAWITEM for either control: the entry (or, with no entry, the bare background), or
// only the focus rectangle toggled when nothing else changed.
template <class Control> void DrawEntry(const Control& control, const DRAWITEMSTRUCT& item) {
    GdiCanvas canvas(item.hDC);
    const TRect rect{item.rcItem.left, item.rcItem.top, item.rcItem.right, item.rcItem.bottom};
    if (item.itemAction == ODA_FOCUS) {
        canvas.DrawFocusRect(rect);
        return;
    }
    const TItemState state{(item.itemState & ODS_SELECTED) != 0, (item.itemState & ODS_FOCUS) != 0};
    control.DrawItem(canvas, static_cast<int>(item.itemID), rect, state);
}

} // namespace

TListControlView::TListControlView(const TWinControl& control, TKind kind)
    : Control(control), Kind(kind) {}

void TListControlView::BeginUpdate() {
    Send(WM_SETREDRAW, FALSE);
}

void TListControlView::EndUpdate() {
    Send(WM_SETREDRAW, TRUE);
    if (HasWindow())
        InvalidateRect(Control.Handle(), nullptr, TRUE);
}

void TListControlView::ClearItems() {
    Send(Kind == TKind::ListBox ? LB_RESETCONTENT : CB_RESETCONTENT);
}

void TListControlView::AddItem(const std::string& text) {
    Send(Kind == TKind::ListBox ? LB_ADDSTRING : CB_ADDSTRING, 0,
         reinterpret_cast<LPARAM>(text.c_str()));
}

int TListControlView::SelectedIndex() const {
    if (!HasWindow())
        return -1;
    return static_cast<int>(Send(Kind == TKind::ListBox ? LB_GETCURSEL : CB_GETCURSEL));
}

void TListControlView::SelectIndex(int index) {
    const int count = static_cast<int>(Send(Kind == TKind::ListBox ? LB_GETCOUNT : CB_GETCOUNT));
    if (index < 0 || index >= count)
        index = -1; // out of range selects nothing, whatever was selected before
    Send(Kind == TKind::ListBox ? LB_SETCURSEL : CB_SETCURSEL, static_cast<WPARAM>(index));
}

LRESULT TListControlView::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
    return HasWindow() ? SendMessageA(Control.Handle(), message, wParam, lParam) : 0;
}

TDirectoryListBoxWindow::TDirectoryListBoxWindow(IDriveSystem& drives)
    : TListControlView(*this, TKind::ListBox),
      TDirectoryListBox(drives, static_cast<IListView&>(*this), FolderIcons()) {}

TDirectoryListBoxWindow::~TDirectoryListBoxWindow() {
    // The window outlives this object by a moment: give it its own procedure back.
    if (Window && ListBoxClassProc)
        SetWindowLongPtrA(Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListBoxClassProc));
}

void TDirectoryListBoxWindow::Create(HWND parent, int id, const TRect& bounds) {
    CreateChild("LISTBOX", "",
                WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_BORDER | LBS_OWNERDRAWFIXED |
                    LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                0, parent, bounds, id);
    if (!Window)
        return;
    ListBoxClassProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TDirectoryListBoxWindow::ListBoxProc)));
    SetFont(Font);
    CreateWnd();
}

void TDirectoryListBoxWindow::SetFont(const TFontDesc& font) {
    Font = font;
    if (!Window)
        return;
    SendMessageA(Window, LB_SETITEMHEIGHT, 0, ItemHeight(LineHeight(Font)));
    InvalidateRect(Window, nullptr, TRUE);
}

bool TDirectoryListBoxWindow::OnParentMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                              LRESULT& result) {
    if (message == WM_COMMAND && HIWORD(wParam) == LBN_DBLCLK) {
        DblClick(); // the page's window procedure shows a failure
        result = 0;
        return true;
    }
    if (message == WM_DRAWITEM) {
        DrawEntry(*this, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        result = TRUE;
        return true;
    }
    return false;
}

LRESULT CALLBACK TDirectoryListBoxWindow::ListBoxProc(HWND window, UINT message, WPARAM wParam,
                                                      LPARAM lParam) {
    auto* self = static_cast<TDirectoryListBoxWindow*>(TWinControl::FromHandle(window));
    if (!self)
        return DefWindowProcA(window, message, wParam, lParam);
    const LRESULT result = CallWindowProcA(self->ListBoxClassProc, window, message, wParam, lParam);
    switch (message) {
    case WM_GETDLGCODE: {
        // Enter belongs to the list, not to the page's default button.
        const auto* pending = reinterpret_cast<const MSG*>(lParam);
        if (pending && (pending->message == WM_KEYDOWN || pending->message == WM_CHAR) &&
            pending->wParam == VK_RETURN)
            return result | DLGC_WANTMESSAGE;
        break;
    }
    case WM_CHAR:
        if (wParam == VK_RETURN)
            TForm::RunHandler([self] { self->KeyPress('\r'); });
        break;
    default:
        break;
    }
    return result;
}

TDriveComboBoxWindow::TDriveComboBoxWindow(IDriveSystem& drives)
    : TListControlView(*this, TKind::ComboBox),
      TDriveComboBox(drives, static_cast<IListView&>(*this), DriveIcons()) {}

void TDriveComboBoxWindow::Create(HWND parent, int id, const TRect& bounds) {
    // The window's height covers the dropped list: room for eight entries.
    const int dropped = 8 * ItemHeight(LineHeight(Font)) + 2;
    CreateChild("COMBOBOX", "",
                WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED |
                    CBS_HASSTRINGS,
                0, parent, {bounds.Left, bounds.Top, bounds.Right, bounds.Bottom + dropped}, id);
    if (!Window)
        return;
    SetItemHeights();
    CreateWnd();
}

void TDriveComboBoxWindow::SetFont(const TFontDesc& font) {
    Font = font;
    if (Window)
        SetItemHeights();
}

void TDriveComboBoxWindow::SetItemHeights() {
    const int height = ItemHeight(LineHeight(Font));
    SendMessageA(Window, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height); // the closed box
    SendMessageA(Window, CB_SETITEMHEIGHT, 0, height);                       // the entries
    InvalidateRect(Window, nullptr, TRUE);
}

bool TDriveComboBoxWindow::OnParentMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                           LRESULT& result) {
    if (message == WM_COMMAND && HIWORD(wParam) == CBN_SELCHANGE) {
        SelectionChanged(); // the page's window procedure shows a failure
        result = 0;
        return true;
    }
    if (message == WM_DRAWITEM) {
        DrawEntry(*this, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        result = TRUE;
        return true;
    }
    return false;
}

} // namespace setup
