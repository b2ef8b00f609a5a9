// Folders and files through the ANSI file functions.
#pragma once

#include "base/PathText.h"
#include "platform/FileSystem.h"

namespace setup {

class Win32FileSystem : public IFileSystem {
public:
    // lead: the system's code page's (AnsiLeadBytes).
    explicit Win32FileSystem(TLeadBytes lead) : LeadBytes(lead) {}

    TStatus MakeDirectory(const std::string& path) override;
    TStatus CopyOver(const std::string& from, const std::string& to) override;
    bool FileExists(const std::string& path) override;
    bool DirectoryExists(const std::string& path) override;
    TResult<std::unique_ptr<IWriteStream>> OpenForWriting(const std::string& path) override;
    TStatus MoveOver(const std::string& from, const std::string& target) override;
    TStatus RemoveFile(const std::string& path) override;
    TResult<std::string> WindowsDirectory() override;

    // How MoveOver replaces a file where MoveFileExA is a stub that fails (Windows 95/98):
    // the old file is deleted, then the complete new one moved into its place.
    static TStatus DeleteAndMove(const std::string& from, const std::string& target);

private:
    TLeadBytes LeadBytes;
};

} // namespace setup
