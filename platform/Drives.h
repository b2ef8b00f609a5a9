// Drives, volumes and the process's current directory, as the folder list and the drive box
// see them.
#pragma once

#include "base/PathText.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace setup {

// What the platform reports for a drive root, with its numbers.
enum class TDriveType {
    Unknown = 0,
    NoRootDir = 1,
    Removable = 2,
    Fixed = 3,
    Remote = 4,
    CDRom = 5,
    RamDisk = 6,
};

struct TVolumeFlags {
    bool KeepsCase = false;     // names keep the case they were created with
    bool CaseSensitive = false; // names that differ only in case are different names
};

struct TFoundEntry {
    std::string Name;
    bool Directory = false;
};

class IDriveSystem {
public:
    virtual ~IDriveSystem() = default;

    // Bit n is set when drive letter 'A' + n exists.
    virtual uint32_t LogicalDrives() = 0;
    // Type of a drive root such as "C:\".
    virtual TDriveType DriveType(const std::string& root) = 0;
    // Label of the volume at root, asked with the platform's critical-error prompts suppressed
    // (no "insert a disk" box); nullopt when the volume cannot be read.
    virtual std::optional<std::string> VolumeLabel(const std::string& root) = 0;
    // Case flags of the volume at root; both false when it cannot be read.
    virtual TVolumeFlags VolumeFlags(const std::string& root) = 0;
    // Remote name (\\server\share) connected to a drive such as "X:"; nullopt when none.
    virtual std::optional<std::string> RemoteName(const std::string& drive) = 0;

    virtual std::string CurrentDirectory() = 0;
    // Returns 0 on success, otherwise the platform's error code (never 0).
    virtual int ChangeDirectory(const std::string& path) = 0;
    // True for an existing file, false for a folder or nothing.
    virtual bool FileExists(const std::string& path) = 0;
    // The entries matching a pattern such as "C:\dir\*.*", hidden and system entries left out.
    virtual std::vector<TFoundEntry> FindEntries(const std::string& pattern) = 0;

    // The user's locale collation: below, at or above zero as a sorts before, with or after b.
    virtual int CompareText(const std::string& a, const std::string& b) = 0; // ignoring case
    virtual int CompareStr(const std::string& a, const std::string& b) = 0;  // case included
    virtual std::string LowerFileName(const std::string& name) = 0;
    virtual std::string UpperFileName(const std::string& name) = 0;
    // The ANSI code page's lead bytes, to walk paths by character with.
    virtual TLeadBytes CodePageLeadBytes() const = 0;
};

} // namespace setup
