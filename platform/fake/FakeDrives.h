// In-memory drives for the unit tests: drive letters and network shares, a folder tree, a
// current folder per volume, drives that are not ready and failures on demand.
#pragma once

#include "base/PathText.h"
#include "platform/Drives.h"
#include "platform/fake/FakeErrors.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace setup {

class FakeDrives : public IDriveSystem {
public:
    struct Volume {
        TDriveType Type = TDriveType::Fixed;
        std::optional<std::string> Label = std::string(); // nullopt: its query is denied
        TVolumeFlags Flags{true, false};
        bool Ready = true;                 // false: every access fails with error 21
        std::optional<std::string> Remote; // network name of a connected drive letter
    };

    // A drive letter ("C:") or a network share ("\\server\share"), its root as current folder.
    Volume& AddVolume(const std::string& drive, TDriveType type = TDriveType::Fixed);
    Volume& VolumeOf(const std::string& drive);
    // Adds a folder and any missing ancestors (plain ones); the attributes are the folder's own.
    void AddFolder(const std::string& path, bool hidden = false, bool system = false);
    void AddFile(const std::string& path);

    // Entering one of these folders (full path, any case) fails with the code given.
    std::map<std::string, uint32_t> FolderErrors;
    // The code page's lead bytes; none by default. Paths are walked and case is folded by
    // character of it.
    TLeadBytes LeadBytes;
    // "cd <path>", "label <root>", "flags <root>", "remote <drive>", "find <pattern>".
    std::vector<std::string> Log;

    TResult<uint32_t> LogicalDrives() override;
    TDriveType DriveType(const std::string& root) override;
    TResult<std::string> VolumeLabel(const std::string& root) override;
    TResult<TVolumeFlags> VolumeFlags(const std::string& root) override;
    TResult<std::optional<std::string>> RemoteName(const std::string& drive) override;
    std::string CurrentDirectory() override;
    TStatus ChangeDirectory(const std::string& path) override;
    bool FileExists(const std::string& path) override;
    // Understands patterns of the form <folder>\*.* only.
    TResult<std::vector<TFoundEntry>> FindEntries(const std::string& pattern) override;
    int CompareText(const std::string& a, const std::string& b) override;
    int CompareStr(const std::string& a, const std::string& b) override;
    std::string LowerFileName(const std::string& name) override;
    std::string UpperFileName(const std::string& name) override;
    TLeadBytes CodePageLeadBytes() const override { return LeadBytes; }

private:
    // An absolute path: a root ("C:" or "\\server\share") and the folder names below it.
    struct Path {
        std::string Root;
        std::vector<std::string> Names;
    };
    struct Entry {
        Path Where;
        bool Directory = true;
        bool Hidden = false;
        bool System = false;
    };

    std::string Key(const std::string& root);
    // The root a path starts with, or "" when it has none.
    std::string RootOf(const std::string& path);
    static std::string Text(const Path& path);
    std::vector<std::string> SplitNames(const std::string& text);
    Path Absolute(const std::string& path);
    Volume* Find(const std::string& root);
    // Why the volume at root cannot be read, or success.
    TStatus Readable(const std::string& root);
    // Names on the volume of root: exactly alike on a case-sensitive one, else in any case.
    bool SameNameOnVolume(const std::string& root, const std::string& a, const std::string& b);
    const Entry* Lookup(const Path& path);
    std::string MapCase(const std::string& text, bool upper);

    std::map<std::string, Volume> Volumes; // by upper-case root
    std::map<std::string, Path> Currents;  // each volume's current folder, as last entered
    std::vector<Entry> Entries;            // in the order added
    Path Cwd{"C:", {}};
};

} // namespace setup
