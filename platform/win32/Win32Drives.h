// The machine's drives, volumes and current directory, through the ANSI Win32 calls.
#pragma once

#include "base/PathText.h"
#include "platform/Drives.h"

namespace setup {

class Win32Drives final : public IDriveSystem {
public:
    // lead: the system's code page's (AnsiLeadBytes).
    explicit Win32Drives(TLeadBytes lead) : LeadBytes(lead) {}

    TResult<uint32_t> LogicalDrives() override;
    TDriveType DriveType(const std::string& root) override;
    TResult<std::string> VolumeLabel(const std::string& root) override;
    TResult<TVolumeFlags> VolumeFlags(const std::string& root) override;
    TResult<std::optional<std::string>> RemoteName(const std::string& drive) override;
    std::string CurrentDirectory() override;
    TStatus ChangeDirectory(const std::string& path) override;
    bool FileExists(const std::string& path) override;
    TResult<std::vector<TFoundEntry>> FindEntries(const std::string& pattern) override;
    int CompareText(const std::string& a, const std::string& b) override;
    int CompareStr(const std::string& a, const std::string& b) override;
    std::string LowerFileName(const std::string& name) override;
    std::string UpperFileName(const std::string& name) override;
    TLeadBytes CodePageLeadBytes() const override { return LeadBytes; }

private:
    TLeadBytes LeadBytes;
};

} // namespace setup
