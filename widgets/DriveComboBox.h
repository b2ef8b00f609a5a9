// The drive box: a drop-down list of the machine's drives, each with an icon and a text such
// as "C: [SYSTEM]". Choosing a drive moves the linked folder list to that drive's current
// folder.
#pragma once

#include "platform/Drives.h"
#include "ui/Canvas.h"
#include "widgets/OwnerDrawList.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace setup {

class TDirectoryListBox;

// Case of the drive letters and of the volume and network names.
enum TTextCase { tcLowerCase, tcUpperCase };

struct TDriveEntry {
    std::string Text;
    TDriveType Type = TDriveType::Fixed;
    bool operator==(const TDriveEntry&) const = default;
};

// The entries' pictures by drive type; a missing one leaves a 16-pixel gap.
struct TDriveIcons {
    std::unique_ptr<IBitmap> Floppy;
    std::unique_ptr<IBitmap> Hard;
    std::unique_ptr<IBitmap> Network;
    std::unique_ptr<IBitmap> CDRom;
    std::unique_ptr<IBitmap> Ram;
};

class TDriveComboBox {
public:
    // Starts on the drive of the process's current directory (0 on a network path).
    TDriveComboBox(IDriveSystem& drives, IListView& view, TDriveIcons icons = {});
    // Clears the linked folder list's reference to this box.
    virtual ~TDriveComboBox();
    TDriveComboBox(const TDriveComboBox&) = delete;
    TDriveComboBox& operator=(const TDriveComboBox&) = delete;

    // The window has just been made: lists the drives and sets Drive again, which moves the
    // linked list to it and raises OnChange.
    void CreateWnd();

    char Drive() const { return DriveLetter; }
    // Selects drive d (0: none), moves the linked list to it, then raises OnChange. Does
    // nothing when d is already selected. A failure of the list propagates, with Drive and
    // the selection already on d and no OnChange.
    void SetDrive(char drive);
    // Relists the drives in the new case and selects the same drive again.
    void SetTextCase(TTextCase textCase);
    // Links a folder list both ways, unlinking whatever either side was linked to before.
    void SetDirList(TDirectoryListBox* list);

    // The user picked an entry: Drive follows it, then OnChange is raised.
    void SelectionChanged();

    const std::vector<TDriveEntry>& Entries() const { return Items; }
    // Entry height for a font of the given line height: tall enough for the floppy icon.
    int ItemHeight(int lineHeight) const;
    // Draws entry index inside rect: background, icon, text, focus.
    void DrawItem(ICanvas& canvas, int index, const TRect& rect, TItemState state) const;

    TColor Color = clWindow;
    TFontDesc Font;
    // Raised after every write of Drive that is not skipped, and after every user choice.
    std::function<void()> OnChange;

private:
    friend class TDirectoryListBox; // keeps the two-way link

    void BuildEntries();
    std::string VolumeText(char letter);
    std::string NetworkText(char letter);
    std::string InTextCase(const std::string& name);
    const IBitmap* IconOf(TDriveType type) const;

    IDriveSystem& Drives;
    IListView& View;
    TDriveIcons Icons;
    std::vector<TDriveEntry> Items;
    char DriveLetter;
    TTextCase Case = tcLowerCase;
    TDirectoryListBox* DirListLink = nullptr;
};

} // namespace setup
