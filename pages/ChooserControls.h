// The folder list and the drive box of the folder chooser as child windows: the portable logic
// of each, painting into one of the platform's owner-drawn list windows. Tab order is
// creation order; create the folder list before its drive box, so that the box's start moves
// the list to its drive.
//
//   DirectoryListBox1.Create(Handle(), 101, {16, 112, 161, 249});
//   DriveComboBox1.SetTextCase(tcUpperCase);
//   DriveComboBox1.SetDirList(&DirectoryListBox1);
//   DriveComboBox1.Create(Handle(), 102, {16, 280, 161, 299});
#pragma once

#include <windows.h>

#include "platform/win32/ListWindow.h"
#include "widgets/DirectoryListBox.h"
#include "widgets/DriveComboBox.h"

namespace setup {

// The folder list; a double-click or Enter on an entry opens its folder. Failures of these
// user actions go to the application's error display.
class TDirectoryListBoxWindow final : public TDirectoryListBox {
public:
    explicit TDirectoryListBoxWindow(IDriveSystem& drives);

    // Makes the window and builds the entries of Directory.
    void Create(HWND parent, int id, const TRect& bounds);
    HWND Handle() const { return List.Handle(); }
    // The entries' font; their height follows it.
    void SetFont(const TFontDesc& font);

private:
    TListWindow List{TListWindow::TKind::ListBox}; // handed to the logic before it is made
};

// The drive box; choosing a drive moves the linked folder list there. Failures of the choice
// go to the application's error display.
class TDriveComboBoxWindow final : public TDriveComboBox {
public:
    explicit TDriveComboBoxWindow(IDriveSystem& drives);

    // Makes the window (bounds is the closed box; the list drops below it), lists the drives
    // and selects Drive, which moves the linked folder list to it and raises OnChange.
    void Create(HWND parent, int id, const TRect& bounds);
    HWND Handle() const { return List.Handle(); }
    // The entries' font; their height follows it.
    void SetFont(const TFontDesc& font);

private:
    TListWindow List{TListWindow::TKind::ComboBox}; // handed to the logic before it is made
};

} // namespace setup
