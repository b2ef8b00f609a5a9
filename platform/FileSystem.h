// Folders and files as the install needs them. Changes report the system's reason for a
// failure; whether an entry exists is answered yes or no.
#pragma once

#include "base/Result.h"
#include "base/Status.h"

#include <cstddef>
#include <memory>
#include <string>

namespace setup {

// A file opened for writing; the destructor closes it.
class IWriteStream {
public:
    virtual ~IWriteStream() = default;
    // Stores all of data; fails when any of it could not be stored (the disk is full).
    virtual TStatus Write(const void* data, size_t size) = 0;
    // Flushes and closes; fails when the data could not be stored.
    virtual TStatus Close() = 0;
};

class IFileSystem {
public:
    virtual ~IFileSystem() = default;
    virtual TStatus MakeDirectory(const std::string& path) = 0; // one level
    // Overwrites to, keeping the source's attributes and times; the copy is on the disk when
    // it returns.
    virtual TStatus CopyOver(const std::string& from, const std::string& to) = 0;
    virtual bool FileExists(const std::string& path) = 0;
    virtual bool DirectoryExists(const std::string& path) = 0;
    // Creates or truncates for exclusive writing.
    virtual TResult<std::unique_ptr<IWriteStream>> OpenForWriting(const std::string& path) = 0;
    // Moves a complete file over target, replacing it; fails when target cannot be replaced.
    virtual TStatus MoveOver(const std::string& from, const std::string& target) = 0;
    virtual TStatus RemoveFile(const std::string& path) = 0;
    // The platform's Windows folder, without a trailing backslash.
    virtual TResult<std::string> WindowsDirectory() = 0;
};

} // namespace setup
