// Drives, volumes and the process's current directory, as the folder list and the drive box
// see them.
#pragma once

#include "base/PathText.h"
#include "base/Result.h"
#include "base/Status.h"

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
    virtual TResult<uint32_t> LogicalDrives() = 0;
    // Type of a drive root such as "C:\".
    virtual TDriveType DriveType(const std::string& root) = 0;
    // Label of the volume at root, asked with the platform's critical-error prompts suppressed
    // (no "insert a disk" box); a failure when the volume cannot be read.
    virtual TResult<std::string> VolumeLabel(const std::string& root) = 0;
    // Case flags of the volume at root; a failure when it cannot be read.
    virtual TResult<TVolumeFlags> VolumeFlags(const std::string& root) = 0;
    // Remote name (\\server\share) connected to a drive such as "X:"; empty when the drive is
    // not connected to one, a failure when the network cannot tell.
    virtual TResult<std::optional<std::string>> RemoteName(const std::string& drive) = 0;

    // Never fails: the process always has one, and only the program's one thread moves it.
    virtual std::string CurrentDirectory() = 0;
    // A failure leaves the current directory where it was.
    virtual TStatus ChangeDirectory(const std::string& path) = 0;
    // True for an existing file; false for a folder, for nothing and for what cannot be looked
    // at, which entering the path then tells the reason for.
    virtual bool FileExists(const std::string& path) = 0;
    // The entries matching a pattern such as "C:\dir\*.*", hidden and system entries left out;
    // none when nothing matches, a failure when the folder cannot be listed. A listing cut
    // short keeps the entries read before.
    virtual TResult<std::vector<TFoundEntry>> FindEntries(const std::string& pattern) = 0;

    // The user's locale collation: below, at or above zero as a sorts before, with or after b.
    virtual int CompareText(const std::string& a, const std::string& b) = 0; // ignoring case
    virtual int CompareStr(const std::string& a, const std::string& b) = 0;  // case included
    virtual std::string LowerFileName(const std::string& name) = 0;
    virtual std::string UpperFileName(const std::string& name) = 0;
    // The ANSI code page's lead bytes, to walk paths by character with.
    virtual TLeadBytes CodePageLeadBytes() const = 0;
};

} // namespace setup
