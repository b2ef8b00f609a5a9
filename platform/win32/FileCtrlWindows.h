// The folder list and the drive box as child windows: an owner-drawn list box and an
// owner-drawn drop-down list hosting the portable logic. Tab order is creation order; create
// the folder list before its drive box, so that the box's start moves the list to its drive.
//
//   DirectoryListBox1.Create(Handle(), 101, {16, 112, 161, 249});
//   DriveComboBox1.SetTextCase(tcUpperCase);
//   DriveComboBox1.SetDirList(&DirectoryListBox1);
//   DriveComboBox1.Create(Handle(), 102, {16, 280, 161, 299});
#pragma once

#include <windows.h>

#include "platform/win32/Win32Drives.h"
#include "platform/win32/WinControl.h"
#include "widgets/DirectoryListBox.h"
#include "widgets/DriveComboBox.h"

namespace setup {

// A list box or a combo box seen as the entry list of the folder list or the drive box.
class TListControlView : public IListView {
public:
    enum class TKind { ListBox, ComboBox };
    TListControlView(const TWinControl& control, TKind kind);

    bool HasWindow() const override { return Control.Handle() != nullptr; }
    void BeginUpdate() override;
    void EndUpdate() override;
    void ClearItems() override;
    void AddItem(const std::string& text) override;
    int SelectedIndex() const override;
    void SelectIndex(int index) override;

private:
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    const TWinControl& Control;
    TKind Kind;
};

// The folder list; a double-click or Enter on an entry opens its folder. Failures of these
// user actions go to the application's error display.
class TDirectoryListBoxWindow final : public TWinControl,
                                      private TListControlView,
                                      public TDirectoryListBox {
public:
    explicit TDirectoryListBoxWindow(IDriveSystem& drives = SystemDrives());
    ~TDirectoryListBoxWindow() override;

    // Makes the window and builds the entries of Directory.
    void Create(HWND parent, int id, const TRect& bounds);
    // The entries' font; their height follows it.
    void SetFont(const TFontDesc& font);
    bool OnParentMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // Catches the Enter key, which the list box itself ignores.
    static LRESULT CALLBACK ListBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    WNDPROC ListBoxClassProc = nullptr;
};

// The drive box; choosing a drive moves the linked folder list there. Failures of the choice
// go to the application's error display.
class TDriveComboBoxWindow final : public TWinControl,
                                   private TListControlView,
                                   public TDriveComboBox {
public:
    explicit TDriveComboBoxWindow(IDriveSystem& drives = SystemDrives());

    // Makes the window (bounds is the closed box; the list drops below it), lists the drives
    // and selects Drive, which moves the linked folder list to it and raises OnChange.
    void Create(HWND parent, int id, const TRect& bounds);
    // The entries' font; their height follows it.
    void SetFont(const TFontDesc& font);
    bool OnParentMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void SetItemHeights();
};

} // namespace setup
