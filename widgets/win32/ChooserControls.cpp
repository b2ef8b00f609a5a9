#include "widgets/win32/ChooserControls.h"

#include "base/Exceptions.h"

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
    : TListControl(drives,
                   TFolderIcons{ResourceBitmap("OPENFOLDER"), ResourceBitmap("CURRENTFOLDER"),
                                ResourceBitmap("CLOSEDFOLDER")}) {
    List.OnOpen = [this] { DblClick(); };
}

TDriveComboBoxWindow::TDriveComboBoxWindow(IDriveSystem& drives)
    : TListControl(drives, TDriveIcons{ResourceBitmap("FLOPPY"), ResourceBitmap("HARD"),
                                       ResourceBitmap("NETWORK"), ResourceBitmap("CDROM"),
                                       ResourceBitmap("RAM")}) {
    List.OnSelect = [this] { SelectionChanged(); };
}

void TDriveComboBoxWindow::Create(TForm& parent, int id, const TRect& bounds) {
    // The window's height covers the dropped list: room for eight entries.
    CreateList(parent, id, bounds, 8 * ItemHeight(ScreenLineHeight(Font)) + 2);
}

} // namespace setup
