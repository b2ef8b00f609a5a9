#include "pages/ChooserControls.h"

#include "platform/Exceptions.h"
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

} // namespace

TDirectoryListBoxWindow::TDirectoryListBoxWindow(IDriveSystem& drives)
    : TDirectoryListBox(drives, List,
                        {ResourceBitmap("OPENFOLDER"), ResourceBitmap("CURRENTFOLDER"),
                         ResourceBitmap("CLOSEDFOLDER")}) {
    List.PaintItem = [this](ICanvas& canvas, int index, const TRect& rect, TItemState state) {
        DrawItem(canvas, index, rect, state);
    };
    List.OnOpen = [this] { DblClick(); };
}

void TDirectoryListBoxWindow::Create(HWND parent, int id, const TRect& bounds) {
    List.Create(parent, id, bounds);
    if (!List.HasWindow())
        return;
    SetFont(Font);
    CreateWnd();
}

void TDirectoryListBoxWindow::SetFont(const TFontDesc& font) {
    Font = font;
    List.SetItemHeight(ItemHeight(ScreenLineHeight(Font)));
}

TDriveComboBoxWindow::TDriveComboBoxWindow(IDriveSystem& drives)
    : TDriveComboBox(drives, List,
                     {ResourceBitmap("FLOPPY"), ResourceBitmap("HARD"), ResourceBitmap("NETWORK"),
                      ResourceBitmap("CDROM"), ResourceBitmap("RAM")}) {
    List.PaintItem = [this](ICanvas& canvas, int index, const TRect& rect, TItemState state) {
        DrawItem(canvas, index, rect, state);
    };
    List.OnSelect = [this] { SelectionChanged(); };
}

void TDriveComboBoxWindow::Create(HWND parent, int id, const TRect& bounds) {
    // The window's height covers the dropped list: room for eight entries.
    List.Create(parent, id, bounds, 8 * ItemHeight(ScreenLineHeight(Font)) + 2);
    if (!List.HasWindow())
        return;
    SetFont(Font);
    CreateWnd();
}

void TDriveComboBoxWindow::SetFont(const TFontDesc& font) {
    Font = font;
    List.SetItemHeight(ItemHeight(ScreenLineHeight(Font)));
}

} // namespace setup
