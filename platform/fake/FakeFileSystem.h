// An in-memory file system for the unit tests: folders and files, calls recorded, failures on
// demand. Paths match as on the platform: case (of ASCII letters outside double-byte
// characters) is ignored, a slash is a backslash, repeated and trailing ones are ignored, and
// paths are walked by character of the code page LeadBytes gives.
#pragma once

#include "base/PathText.h"
#include "platform/FileSystem.h"
#include "platform/fake/FakeErrors.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace setup {

// Thrown where the process is killed: no std::exception, so nothing of the program catches it.
struct TProcessKilled {};

class FakeFileSystem : public IFileSystem {
public:
    TStatus MakeDirectory(const std::string& path) override;
    TStatus CopyOver(const std::string& from, const std::string& to) override;
    bool FileExists(const std::string& path) override;
    bool DirectoryExists(const std::string& path) override;
    TResult<std::unique_ptr<IWriteStream>> OpenForWriting(const std::string& path) override;
    TStatus MoveOver(const std::string& from, const std::string& target) override;
    TStatus RemoveFile(const std::string& path) override;
    TResult<std::string> WindowsDirectory() override { return WindowsFolder; }

    // Test set-up and inspection. Adding creates any missing parent folders.
    void AddDirectory(const std::string& path);
    void AddFile(const std::string& path, const std::string& content);
    // The file's bytes; nullopt when there is no such file.
    std::optional<std::string> Content(const std::string& path) const;
    // Every file, as its path was first spelt, in path order.
    std::vector<std::string> FileNames() const;

    std::string WindowsFolder = "C:\\WINDOWS";
    TLeadBytes LeadBytes; // single-byte by default
    // Failures on demand, with the system's code for each.
    std::set<std::string> UncreatableDirectories; // MakeDirectory fails: access denied
    std::set<std::string> UncreatableFiles;       // OpenForWriting fails: access denied
    std::set<std::string> OpenFiles;     // held by a program: no create, replace, delete (sharing)
    std::set<std::string> FailingCopies; // CopyOver from these fails: access denied
    std::optional<size_t> FreeSpace;     // bytes left before the disk is full; none: no limit
    // The process is killed (TProcessKilled) once this many bytes of this file are stored.
    std::optional<std::pair<std::string, size_t>> KilledWriting;
    std::vector<std::string> Log; // "OpenForWriting C:\a.txt", "MoveOver a -> b", ...

    std::string Normalize(const std::string& path) const;

private:
    friend class FakeWriteStream;
    struct Entry {
        std::string Name;
        std::string Content;
    };

    // Appends data to the file at key as far as the disk takes it.
    TStatus Store(const std::string& key, const char* data, size_t size);
    // The folder holding key; empty when that is a root or the current folder, which always
    // exist.
    std::string ParentKey(const std::string& key) const;
    bool ParentExists(const std::string& key) const;
    bool IsHeld(const std::string& key) const;
    // Why a file cannot be written at key (held, a folder, no parent folder); success if it can.
    TStatus Writable(const std::string& key) const;
    bool Listed(const std::set<std::string>& paths, const std::string& key) const;

    std::map<std::string, Entry> Files;
    std::map<std::string, std::string> Directories; // key -> path as spelt
    std::multiset<std::string> Writing;             // files with an open stream
};

} // namespace setup
