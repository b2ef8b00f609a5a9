// The folder list and the drive box of the folder chooser as child windows: the portable logic
// of each, painting into one of the platform's owner-drawn list windows. Tab order is
// creation order; create the folder list before its drive box, so that the box's start moves
// the list to its drive.
//
//   DirectoryListBox1.Create(*this, 104, Box(16, 112, 145, 137));
//   DriveComboBox1.SetTextCase(tcUpperCase);
//   DriveComboBox1.SetDirList(&DirectoryListBox1);
//   DriveComboBox1.Create(*this, 105, Box(16, 280, 145, 19));
#pragma once

#include <windows.h>

#include "ui/win32/GdiCanvas.h"
#include "ui/win32/ListWindow.h"
#include "widgets/DirectoryListBox.h"
#include "widgets/DriveComboBox.h"

#include <utility>

namespace setup {

// A widget's entries in one of the platform's list windows, which paints them through it.
template <class Widget, TListWindow::TKind Kind> class TListControl : public Widget {
public:
    HWND Handle() const { return List.Handle(); }
    // The entries' font; their height follows it.
    void SetFont(const TFontDesc& font) {
        this->Font = font;
        List.SetItemHeight(this->ItemHeight(ScreenLineHeight(font)));
    }

protected:
    template <class Icons>
    TListControl(IDriveSystem& drives, Icons icons) : Widget(drives, List, std::move(icons)) {
        List.PaintItem = [this](ICanvas& canvas, int index, const TRect& rect, TItemState state) {
            this->DrawItem(canvas, index, rect, state);
        };
    }
    // Makes the window (droppedHeight pixels taller for a drop-down list) and fills it.
    void CreateList(TForm& parent, int id, const TRect& bounds, int droppedHeight) {
        List.Create(parent, id, bounds, droppedHeight);
        SetFont(this->Font);
        this->CreateWnd();
    }

    TListWindow List{Kind}; // handed to the widget before it is made, used only after
};

// The folder list; a double-click or Enter on an entry opens its folder. Failures of these
// user actions go to the application's error display.
class TDirectoryListBoxWindow final
    : public TListControl<TDirectoryListBox, TListWindow::TKind::ListBox> {
public:
    explicit TDirectoryListBoxWindow(IDriveSystem& drives);
    // Makes the window and builds the entries of Directory.
    void Create(TForm& parent, int id, const TRect& bounds) { CreateList(parent, id, bounds, 0); }
};

// The drive box; choosing a drive moves the linked folder list there. Failures of the choice
// go to the application's error display.
class TDriveComboBoxWindow final
    : public TListControl<TDriveComboBox, TListWindow::TKind::ComboBox> {
public:
    explicit TDriveComboBoxWindow(IDriveSystem& drives);
    // Makes the window (bounds is the closed box; the list drops below it), lists the drives
    // and selects Drive, which moves the linked folder list to it and raises OnChange.
    void Create(TForm& parent, int id, const TRect& bounds);
};

} // namespace setup
