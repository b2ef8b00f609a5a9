#include "widgets/DirectoryListBox.h"

#include "base/Exceptions.h"
#include "base/PathText.h"
#include "widgets/DriveComboBox.h"

#include <algorithm>
#include <iterator>

namespace setup {

namespace {

// Sets a flag for a scope and puts the old value back, also when the scope is left by an
// exception.
class TFlagScope {
public:
    explicit TFlagScope(bool& flag) : Flag(flag), Old(flag) { Flag = true; }
    ~TFlagScope() { Flag = Old; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& Flag;
    bool Old;
};

// Puts the process's current directory back when a scope is left by a failure, unless
// dismissed; the failure on its way is the one reported, not the restore's.
class TDirectoryRestore {
public:
    TDirectoryRestore(IDriveSystem& drives, const std::string& saved)
        : Drives(drives), Saved(saved) {}
    ~TDirectoryRestore() {
        if (Armed)
            (void)Drives.ChangeDirectory(Saved);
    }
    TDirectoryRestore(const TDirectoryRestore&) = delete;
    TDirectoryRestore& operator=(const TDirectoryRestore&) = delete;
    void Dismiss() { Armed = false; }

private:
    IDriveSystem& Drives;
    const std::string& Saved;
    bool Armed = true;
};

// The platform's code for a path that is not there.
constexpr int ErrorPathNotFound = 3;

} // namespace

TDirectoryListBox::TDirectoryListBox(IDriveSystem& drives, IListView& view, TFolderIcons icons)
    : Drives(drives), View(view), Icons(std::move(icons)), Paths(drives.CodePageLeadBytes()),
      Dir(drives.CurrentDirectory()) {}

TDirectoryListBox::~TDirectoryListBox() {
    if (DriveComboLink)
        DriveComboLink->DirListLink = nullptr;
}

void TDirectoryListBox::CreateWnd() {
    BuildEntries();
    View.SelectIndex(Paths.Depth(Dir));
}

void TDirectoryListBox::SetDirectory(const std::string& path) {
    if (path.empty() || SameDirectory(path))
        return;
    const auto [letter, folder] = SplitPath(path);
    if (letter != Drive()) {
        // The drive switch only moves Dir; the one rebuild comes below.
        TFlagScope switching(InDirectoryChange);
        if (DriveComboLink)
            DriveComboLink->SetDrive(letter);
        else
            DriveChange(letter);
    }
    // Relative folders resolve against the list's own folder; a failure here shows on the
    // next step.
    (void)Drives.ChangeDirectory(Dir);
    ChangeDirectoryOrThrow(folder);
    Dir = Drives.CurrentDirectory();
    BuildEntries();
    if (OnChange)
        OnChange();
}

void TDirectoryListBox::DriveChange(char drive) {
    if (SameLetter(drive, Drive()))
        return;
    if (drive != '\0') {
        ChangeDirectoryOrThrow(std::string{drive, ':'});
        Dir = Drives.CurrentDirectory();
    }
    if (!InDirectoryChange) {
        BuildEntries();
        if (OnChange)
            OnChange();
    }
}

void TDirectoryListBox::DblClick() {
    SetDirectory(GetItemPath(View.SelectedIndex()));
}

void TDirectoryListBox::KeyPress(char key) {
    if (key == '\r')
        DblClick();
}

std::string TDirectoryListBox::GetItemPath(int index) const {
    if (index < 0)
        throw EListError(Format("List index out of bounds (%d)", index));
    if (static_cast<size_t>(index) >= Items.size())
        return "";
    const std::string drive = Paths.DrivePart(Dir);
    if (index == 0)
        return drive + "\\";
    const TFolderEntry& entry = Items[static_cast<size_t>(index)];
    if (entry.Kind == TFolderKind::Closed)
        return Paths.Join(Dir, entry.Text);
    if (entry.Kind == TFolderKind::Current)
        return Dir;
    // An ancestor: Dir up to the backslash that ends the entry's level.
    const std::string rest = Dir.substr(drive.size());
    const std::vector<size_t> slashes = Paths.Backslashes(rest);
    const size_t level = static_cast<size_t>(index);
    return drive + (level < slashes.size() ? rest.substr(0, slashes[level]) : rest);
}

int TDirectoryListBox::ItemHeight(int lineHeight) const {
    return Icons.Open ? std::max(lineHeight, Icons.Open->Height() + 1) : lineHeight;
}

void TDirectoryListBox::DrawItem(ICanvas& canvas, int index, const TRect& rect,
                                 TItemState state) const {
    PrepareItem(canvas, rect, Font, Color, state);
    if (index >= 0 && static_cast<size_t>(index) < Items.size()) {
        const TFolderEntry& entry = Items[static_cast<size_t>(index)];
        const int indent =
            entry.Kind == TFolderKind::Closed ? 4 * Paths.Depth(Dir) + 6 : 4 * index + 2;
        const int iconWidth = DrawEntryIcon(canvas, rect, rect.Left + indent, IconOf(entry.Kind));
        canvas.TextOutAt(rect.Left + iconWidth + indent + 4, rect.Top,
                         PreserveCaseFlag ? entry.Text : Drives.LowerFileName(entry.Text));
    }
    if (state.Focused)
        canvas.DrawFocusRect(rect);
}

void TDirectoryListBox::BuildEntries() {
    const std::string root = Paths.DrivePart(Dir) + "\\";
    // A volume that cannot be read is taken to keep no case.
    const TResult<TVolumeFlags> read = Drives.VolumeFlags(root);
    const TVolumeFlags flags = read ? *read : TVolumeFlags{};
    std::vector<TFolderEntry> entries;
    std::string rest = Dir;
    int level = 0;
    if (root.size() >= 2 && root[1] == '\\') {
        entries.push_back({root, TFolderKind::Open});
        rest = Dir.substr(std::min(root.size(), Dir.size()));
        level = 1;
    }
    if (!rest.empty()) {
        if (!Paths.EndsWithBackslash(rest)) {
            size_t start = 0;
            for (size_t slash : Paths.Backslashes(rest)) {
                std::string name = rest.substr(start, slash - start);
                if (level++ == 0)
                    name += '\\'; // the drive: "C:" is shown as "C:\"
                entries.push_back({name, TFolderKind::Open});
                start = slash + 1;
            }
            rest.erase(0, start);
        }
        entries.push_back({rest, TFolderKind::Current});
    }
    const int selection = static_cast<int>(entries.size()) - 1;
    std::vector<std::string> subFolders = ReadSubFolders();
    std::transform(subFolders.begin(), subFolders.end(), std::back_inserter(entries),
                   [](std::string& name) {
                       return TFolderEntry{std::move(name), TFolderKind::Closed};
                   });

    PreserveCaseFlag = flags.KeepsCase || flags.CaseSensitive;
    CaseSensitiveFlag = flags.CaseSensitive;
    Items = std::move(entries);
    {
        TUpdateLock lock(View);
        View.ClearItems();
        for (const TFolderEntry& entry : Items)
            View.AddItem(entry.Text);
    }
    if (View.HasWindow())
        View.SelectIndex(selection);
}

std::vector<std::string> TDirectoryListBox::ReadSubFolders() {
    const auto before = [this](const std::string& a, const std::string& b) {
        return Drives.CompareText(a, b) < 0;
    };
    std::vector<std::string> names;
    // A folder that cannot be listed shows no sub-folders.
    TResult<std::vector<TFoundEntry>> listed = Drives.FindEntries(Paths.Join(Dir, "*.*"));
    if (!listed)
        return names;
    for (TFoundEntry& found : *listed) {
        if (!found.Directory || found.Name == "." || found.Name == "..")
            continue;
        const auto at = std::lower_bound(names.begin(), names.end(), found.Name, before);
        // Of names equal but for case, the first one found stays.
        if (at == names.end() || Drives.CompareText(*at, found.Name) != 0)
            names.insert(at, std::move(found.Name));
    }
    return names;
}

bool TDirectoryListBox::SameDirectory(const std::string& path) {
    if (CaseSensitiveFlag)
        return Drives.CompareStr(path, Dir) == 0;
    return Drives.CompareStr(Drives.LowerFileName(path), Drives.LowerFileName(Dir)) == 0;
}

std::pair<char, std::string> TDirectoryListBox::SplitPath(const std::string& path) {
    const std::string saved = Drives.CurrentDirectory();
    TDirectoryRestore onFailure(Drives, saved);
    const std::pair<char, std::string> result = EnterPath(path, saved);
    onFailure.Dismiss();
    ChangeDirectoryOrThrow(saved);
    return result;
}

std::pair<char, std::string> TDirectoryListBox::EnterPath(const std::string& path,
                                                          const std::string& saved) {
    std::string driveText = Paths.DrivePart(path);
    std::string folder = path;
    if (driveText.empty())
        driveText = Paths.DrivePart(saved);
    else
        folder.erase(0, driveText.size());
    const char letter = driveText.size() >= 2 && driveText[1] == ':' ? driveText[0] : '\0';
    ChangeDirectoryOrThrow(driveText);

    const std::vector<size_t> slashes = Paths.Backslashes(folder);
    std::string name = slashes.empty() ? folder : folder.substr(slashes.back() + 1);
    if (folder.size() == name.size() + 1) {
        folder = "\\";
    } else if (folder.size() > name.size()) {
        folder.erase(folder.size() - name.size() - 1);
    } else {
        // A bare name lives in the drive's current folder.
        const std::string current = Drives.CurrentDirectory();
        folder = current.substr(Paths.DrivePart(current).size());
        if (folder.empty())
            folder = "\\";
    }
    if (!folder.empty())
        ChangeDirectoryOrThrow(folder);
    if (!name.empty() && name.find_first_of("*?") == std::string::npos &&
        !Drives.FileExists(name)) {
        ChangeDirectoryOrThrow(name);
        folder = folder == "\\" ? folder + name : folder + "\\" + name;
    }
    if (letter == '\0')
        folder = driveText + folder;
    return {letter, folder};
}

void TDirectoryListBox::ChangeDirectoryOrThrow(const std::string& path) {
    const TStatus changed = Drives.ChangeDirectory(path);
    // Windows 9x may fail without a reason: the folder was not there to enter.
    if (!changed)
        throw EInOutError(changed.ErrorCode() ? static_cast<int>(changed.ErrorCode())
                                              : ErrorPathNotFound);
}

const IBitmap* TDirectoryListBox::IconOf(TFolderKind kind) const {
    switch (kind) {
    case TFolderKind::Open:
        return Icons.Open.get();
    case TFolderKind::Current:
        return Icons.Current.get();
    case TFolderKind::Closed:
        return Icons.Closed.get();
    }
    return nullptr;
}

} // namespace setup
