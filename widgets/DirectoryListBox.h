// The folder list: one folder shown as an indented column of its drive root, its ancestors,
// itself and its sub-folders. It works through the process's current directory, which it
// leaves in its folder after every successful change.
#pragma once

#include "platform/Drives.h"
#include "ui/Canvas.h"
#include "widgets/FolderPath.h"
#include "widgets/OwnerDrawList.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace setup {

class TDriveComboBox;

// An entry's role: the root and the ancestors are open, the list's own folder is current,
// its sub-folders are closed.
enum class TFolderKind { Open, Current, Closed };

struct TFolderEntry {
    std::string Text;
    TFolderKind Kind = TFolderKind::Closed;
    bool operator==(const TFolderEntry&) const = default;
};

// The entries' pictures; a missing one leaves a 16-pixel gap.
struct TFolderIcons {
    std::unique_ptr<IBitmap> Open;
    std::unique_ptr<IBitmap> Current;
    std::unique_ptr<IBitmap> Closed;
};

class TDirectoryListBox {
public:
    // Starts in the process's current directory; entries are built when the window exists.
    TDirectoryListBox(IDriveSystem& drives, IListView& view, TFolderIcons icons = {});
    // Clears the linked drive box's reference to this list.
    virtual ~TDirectoryListBox();
    TDirectoryListBox(const TDirectoryListBox&) = delete;
    TDirectoryListBox& operator=(const TDirectoryListBox&) = delete;

    // The window has just been made: builds the entries and selects the one at the depth of
    // Directory (the first sub-folder of a root).
    void CreateWnd();

    // An absolute path as the platform reports it; no trailing backslash except on a root.
    const std::string& Directory() const { return Dir; }
    // Moves to path, rebuilds and raises OnChange once. Writing the folder already shown does
    // nothing. Throws EInOutError when the folder cannot be entered, leaving the list and
    // the process's current directory as they were.
    void SetDirectory(const std::string& path);
    char Drive() const { return Dir.empty() ? '\0' : Dir[0]; }
    // Moves to the current folder of another drive (0: a network path, nothing to enter).
    // Rebuilds and raises OnChange unless a directory change is switching drives.
    void DriveChange(char drive);

    // Double-click, and Enter: opens the selected entry's folder. Throws EListError when no
    // entry is selected.
    void DblClick();
    void KeyPress(char key);

    const std::vector<TFolderEntry>& Entries() const { return Items; }
    // The folder an entry stands for; empty past the last entry.
    std::string GetItemPath(int index) const;

    // Entry height for a font of the given line height: tall enough for the open-folder icon.
    int ItemHeight(int lineHeight) const;
    // Draws entry index inside rect: background, icon indented by its level, text, focus.
    void DrawItem(ICanvas& canvas, int index, const TRect& rect, TItemState state) const;

    TColor Color = clWindow;
    TFontDesc Font;
    // Raised after every rebuild caused by a change of Directory.
    std::function<void()> OnChange;

private:
    friend class TDriveComboBox; // keeps the two-way link

    // Replaces the entries with those of Dir; with a window, selects Dir's own entry.
    void BuildEntries();
    std::vector<std::string> ReadSubFolders();
    bool SameDirectory(const std::string& path);
    // Splits path into its drive letter (0 for a network path) and its folder, entering the
    // folder on the way to check it; the current directory is restored afterwards.
    std::pair<char, std::string> SplitPath(const std::string& path);
    std::pair<char, std::string> EnterPath(const std::string& path, const std::string& saved);
    void ChangeDirectoryOrThrow(const std::string& path);
    const IBitmap* IconOf(TFolderKind kind) const;

    IDriveSystem& Drives;
    IListView& View;
    TFolderIcons Icons;
    TFolderPath Paths;
    std::string Dir;
    std::vector<TFolderEntry> Items;
    bool PreserveCaseFlag = false;
    bool CaseSensitiveFlag = false;
    bool InDirectoryChange = false;
    TDriveComboBox* DriveComboLink = nullptr;
};

} // namespace setup
