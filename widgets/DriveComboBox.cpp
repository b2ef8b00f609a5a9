#include "widgets/DriveComboBox.h"

#include "base/Exceptions.h"
#include "base/PathText.h"
#include "widgets/DirectoryListBox.h"
#include "widgets/FolderPath.h"

#include <algorithm>
#include <cctype>

namespace setup {

TDriveComboBox::TDriveComboBox(IDriveSystem& drives, IListView& view, TDriveIcons icons)
    : Drives(drives), View(view), Icons(std::move(icons)) {
    const std::string current = drives.CurrentDirectory();
    DriveLetter = current.empty() || current[0] == '\\' ? '\0' : current[0];
}

TDriveComboBox::~TDriveComboBox() {
    if (DirListLink)
        DirListLink->DriveComboLink = nullptr;
}

void TDriveComboBox::CreateWnd() {
    BuildEntries();
    SetDrive(DriveLetter);
}

void TDriveComboBox::SetDrive(char drive) {
    if (View.SelectedIndex() >= 0 && SameLetter(drive, DriveLetter))
        return;
    if (drive == '\0') {
        DriveLetter = '\0';
        View.SelectIndex(-1);
    } else {
        const auto letter = static_cast<unsigned char>(drive);
        DriveLetter =
            static_cast<char>(Case == tcUpperCase ? std::toupper(letter) : std::tolower(letter));
        const auto entry = std::find_if(Items.begin(), Items.end(), [this](const TDriveEntry& e) {
            return e.Text.size() >= 2 && SameLetter(e.Text[0], DriveLetter) && e.Text[1] == ':';
        });
        View.SelectIndex(entry == Items.end() ? -1 : static_cast<int>(entry - Items.begin()));
    }
    if (DirListLink)
        DirListLink->DriveChange(DriveLetter);
    if (OnChange)
        OnChange();
}

void TDriveComboBox::SetTextCase(TTextCase textCase) {
    Case = textCase;
    const char drive = DriveLetter;
    BuildEntries();
    SetDrive(drive);
}

void TDriveComboBox::SetDirList(TDirectoryListBox* list) {
    if (DirListLink == list)
        return;
    if (DirListLink)
        DirListLink->DriveComboLink = nullptr;
    DirListLink = list;
    if (list) {
        // A list follows one box: the box it followed before lets go of it.
        if (list->DriveComboLink)
            list->DriveComboLink->DirListLink = nullptr;
        list->DriveComboLink = this;
    }
}

void TDriveComboBox::SelectionChanged() {
    const int index = View.SelectedIndex();
    if (index >= 0 && static_cast<size_t>(index) < Items.size())
        SetDrive(Items[static_cast<size_t>(index)].Text[0]);
    if (OnChange)
        OnChange();
}

int TDriveComboBox::ItemHeight(int lineHeight) const {
    return Icons.Floppy ? std::max(lineHeight, Icons.Floppy->Height()) : lineHeight;
}

void TDriveComboBox::DrawItem(ICanvas& canvas, int index, const TRect& rect,
                              TItemState state) const {
    PrepareItem(canvas, rect, Font, Color, state);
    if (index >= 0 && static_cast<size_t>(index) < Items.size()) {
        const TDriveEntry& entry = Items[static_cast<size_t>(index)];
        TRect textRect = rect;
        textRect.Left =
            rect.Left + DrawEntryIcon(canvas, rect, rect.Left + 2, IconOf(entry.Type)) + 6;
        canvas.DrawTextIn(entry.Text, textRect, DTF_SINGLELINE | DTF_VCENTER | DTF_NOPREFIX);
    }
    if (state.Focused)
        canvas.DrawFocusRect(rect);
}

void TDriveComboBox::BuildEntries() {
    std::vector<TDriveEntry> entries;
    // Drives that cannot be asked for are not listed.
    const TResult<uint32_t> letters = Drives.LogicalDrives();
    const uint32_t present = letters ? *letters : 0;
    for (int n = 0; n < 26; ++n) {
        if (!(present & (1u << n)))
            continue;
        const char letter = static_cast<char>('a' + n);
        const TDriveType type = Drives.DriveType(std::string{letter, ':', '\\'});
        const char shown = Case == tcUpperCase ? static_cast<char>('A' + n) : letter;
        switch (type) {
        case TDriveType::Removable: // never touched, so listing drives never spins a floppy
            entries.push_back({Format("%c:", shown), type});
            break;
        case TDriveType::Fixed:
        case TDriveType::CDRom:
        case TDriveType::RamDisk:
            entries.push_back({Format("%c: %s", shown, VolumeText(letter).c_str()), type});
            break;
        case TDriveType::Remote:
            entries.push_back({Format("%c: %s", shown, NetworkText(letter).c_str()), type});
            break;
        case TDriveType::Unknown:
        case TDriveType::NoRootDir:
            break;
        }
    }
    Items = std::move(entries);
    TUpdateLock lock(View);
    View.ClearItems();
    for (const TDriveEntry& entry : Items)
        View.AddItem(entry.Text);
}

std::string TDriveComboBox::VolumeText(char letter) {
    // A volume that cannot be read shows an empty label.
    const TResult<std::string> label = Drives.VolumeLabel(std::string{letter, ':', '\\'});
    return "[" + InTextCase(label ? *label : std::string()) + "]";
}

std::string TDriveComboBox::NetworkText(char letter) {
    // A connection that cannot be asked for shows the volume, as no connection does.
    const TResult<std::optional<std::string>> remote = Drives.RemoteName(std::string{letter, ':'});
    return remote && *remote ? InTextCase(**remote) : VolumeText(letter);
}

std::string TDriveComboBox::InTextCase(const std::string& name) {
    return Case == tcUpperCase ? Drives.UpperFileName(name) : Drives.LowerFileName(name);
}

const IBitmap* TDriveComboBox::IconOf(TDriveType type) const {
    switch (type) {
    case TDriveType::Removable:
        return Icons.Floppy.get();
    case TDriveType::Fixed:
        return Icons.Hard.get();
    case TDriveType::Remote:
        return Icons.Network.get();
    case TDriveType::CDRom:
        return Icons.CDRom.get();
    case TDriveType::RamDisk:
        return Icons.Ram.get();
    case TDriveType::Unknown:
    case TDriveType::NoRootDir:
        break;
    }
    return nullptr;
}

} // namespace setup
