// Folders and files through the ANSI file functions.
#pragma once

#include "platform/FileSystem.h"

namespace setup {

class Win32FileSystem : public IFileSystem {
public:
    bool MakeDirectory(const std::string& path) override;
    bool CopyOver(const std::string& from, const std::string& to) override;
    bool FileExists(const std::string& path) override;
    bool DirectoryExists(const std::string& path) override;
    std::unique_ptr<IWriteStream> OpenForWriting(const std::string& path) override;
    bool MoveOver(const std::string& from, const std::string& target) override;
    bool RemoveFile(const std::string& path) override;
    std::string WindowsDirectory() override;
};

} // namespace setup
