#include "platform/win32/Win32Drives.h"

#include <windows.h>

#include "platform/win32/EntryExists.h"
#include "win32/Handles.h"
#include "win32/SystemStatus.h"

namespace setup {

namespace {

// Critical-error prompts ("insert a disk") stay away for a scope; the old mode comes back.
class TErrorModeScope {
public:
    explicit TErrorModeScope(UINT mode) : Old(SetErrorMode(mode)) {}
    ~TErrorModeScope() { SetErrorMode(Old); }
    TErrorModeScope(const TErrorModeScope&) = delete;
    TErrorModeScope& operator=(const TErrorModeScope&) = delete;

private:
    UINT Old;
};

// Room for a label or a network name of 260 characters and its terminator.
constexpr DWORD NameBuffer = 261;

int Compare(DWORD flags, const std::string& a, const std::string& b) {
    return CompareStringA(LOCALE_USER_DEFAULT, flags, a.data(), static_cast<int>(a.size()),
                          b.data(), static_cast<int>(b.size())) -
           CSTR_EQUAL;
}

} // namespace

TResult<uint32_t> Win32Drives::LogicalDrives() {
    // Every machine has a drive: no bit set means the call failed.
    if (const DWORD present = GetLogicalDrives())
        return present;
    return TStatus::Failure(GetLastError());
}

TDriveType Win32Drives::DriveType(const std::string& root) {
    const UINT type = GetDriveTypeA(root.c_str());
    return type <= DRIVE_RAMDISK ? static_cast<TDriveType>(type) : TDriveType::Unknown;
}

TResult<std::string> Win32Drives::VolumeLabel(const std::string& root) {
    TErrorModeScope quiet(SEM_FAILCRITICALERRORS);
    char label[NameBuffer] = {};
    if (const TStatus read = LastErrorStatus(GetVolumeInformationA(
            root.c_str(), label, NameBuffer, nullptr, nullptr, nullptr, nullptr, 0));
        !read)
        return read;
    return std::string(label);
}

TResult<TVolumeFlags> Win32Drives::VolumeFlags(const std::string& root) {
    DWORD flags = 0;
    if (const TStatus read = LastErrorStatus(
            GetVolumeInformationA(root.c_str(), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0));
        !read)
        return read;
    return TVolumeFlags{(flags & FS_CASE_IS_PRESERVED) != 0, (flags & FS_CASE_SENSITIVE) != 0};
}

TResult<std::optional<std::string>> Win32Drives::RemoteName(const std::string& drive) {
    char name[NameBuffer] = {};
    DWORD length = NameBuffer;
    switch (const DWORD status = WNetGetConnectionA(drive.c_str(), name, &length)) {
    case NO_ERROR:
        return std::optional<std::string>(name);
    case ERROR_NOT_CONNECTED: // a drive of this machine's own
        return std::optional<std::string>();
    default:
        return TStatus::Failure(status);
    }
}

std::string Win32Drives::CurrentDirectory() {
    std::string path(MAX_PATH, '\0');
    DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(path.size()), path.data());
    if (length >= path.size()) { // too long for the buffer: length is the room needed
        path.resize(length);
        length = GetCurrentDirectoryA(length, path.data());
    }
    path.resize(length < path.size() ? length : 0);
    return path;
}

TStatus Win32Drives::ChangeDirectory(const std::string& path) {
    return LastErrorStatus(SetCurrentDirectoryA(path.c_str()));
}

bool Win32Drives::FileExists(const std::string& path) {
    return EntryExists(path, false);
}

TResult<std::vector<TFoundEntry>> Win32Drives::FindEntries(const std::string& pattern) {
    TResult<std::vector<TFoundEntry>> found = std::vector<TFoundEntry>();
    WIN32_FIND_DATAA data;
    TFindHandle search(FindFirstFileA(pattern.c_str(), &data));
    if (!search) {
        // Nothing matching is an answer.
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_NO_MORE_FILES)
            return TStatus::Failure(error);
        return found;
    }
    do {
        if (data.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
            continue;
        found->push_back({data.cFileName, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileA(search.Get(), &data));
    return found;
}

int Win32Drives::CompareText(const std::string& a, const std::string& b) {
    return Compare(NORM_IGNORECASE, a, b);
}

int Win32Drives::CompareStr(const std::string& a, const std::string& b) {
    return Compare(0, a, b);
}

std::string Win32Drives::LowerFileName(const std::string& name) {
    std::string result = name;
    CharLowerBuffA(result.data(), static_cast<DWORD>(result.size()));
    return result;
}

std::string Win32Drives::UpperFileName(const std::string& name) {
    std::string result = name;
    CharUpperBuffA(result.data(), static_cast<DWORD>(result.size()));
    return result;
}

} // namespace setup
