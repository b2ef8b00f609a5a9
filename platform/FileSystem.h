// Folders and files as the install needs them.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace setup {

// A file opened for writing; the destructor closes it.
class IWriteStream {
public:
    virtual ~IWriteStream() = default;
    // Returns the number of bytes actually stored (fewer when the disk is full).
    virtual size_t Write(const void* data, size_t size) = 0;
    // Flushes and closes; false when the data could not be stored.
    virtual bool Close() = 0;
};

class IFileSystem {
public:
    virtual ~IFileSystem() = default;
    virtual bool MakeDirectory(const std::string& path) = 0;                   // one level
    virtual bool CopyOver(const std::string& from, const std::string& to) = 0; // overwrites
    virtual bool FileExists(const std::string& path) = 0;
    virtual bool DirectoryExists(const std::string& path) = 0;
    // Creates or truncates for exclusive writing; null when it cannot.
    virtual std::unique_ptr<IWriteStream> OpenForWriting(const std::string& path) = 0;
    // Moves a complete file over target, replacing it; false when target cannot be replaced.
    virtual bool MoveOver(const std::string& from, const std::string& target) = 0;
    virtual bool RemoveFile(const std::string& path) = 0;
    // The platform's Windows folder, without a trailing backslash.
    virtual std::string WindowsDirectory() = 0;
};

} // namespace setup
