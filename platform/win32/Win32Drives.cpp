#include "platform/win32/Win32Drives.h"

#include <windows.h>

#include "platform/win32/Win32Status.h"
#include "win32/Handles.h"

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

uint32_t Win32Drives::LogicalDrives() {
    return GetLogicalDrives();
}

TDriveType Win32Drives::DriveType(const std::string& root) {
    const UINT type = GetDriveTypeA(root.c_str());
    return type <= DRIVE_RAMDISK ? static_cast<TDriveType>(type) : TDriveType::Unknown;
}

std::optional<std::string> Win32Drives::VolumeLabel(const std::string& root) {
    TErrorModeScope quiet(SEM_FAILCRITICALERRORS);
    char label[NameBuffer] = {};
    if (!GetVolumeInformationA(root.c_str(), label, NameBuffer, nullptr, nullptr, nullptr, nullptr,
                               0))
        return std::nullopt;
    return std::string(label);
}

TVolumeFlags Win32Drives::VolumeFlags(const std::string& root) {
    DWORD flags = 0;
    if (!GetVolumeInformationA(root.c_str(), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0))
        return {};
    return {(flags & FS_CASE_IS_PRESERVED) != 0, (flags & FS_CASE_SENSITIVE) != 0};
}

std::optional<std::string> Win32Drives::RemoteName(const std::string& drive) {
    char name[NameBuffer] = {};
    DWORD length = NameBuffer;
    if (WNetGetConnectionA(drive.c_str(), name, &length) != NO_ERROR)
        return std::nullopt;
    return std::string(name);
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

int Win32Drives::ChangeDirectory(const std::string& path) {
    if (SetCurrentDirectoryA(path.c_str()))
        return 0;
    const DWORD error = GetLastError();
    // A failure must never read as success.
    return error ? static_cast<int>(error) : ERROR_PATH_NOT_FOUND;
}

bool Win32Drives::FileExists(const std::string& path) {
    return EntryExists(path, false);
}

std::vector<TFoundEntry> Win32Drives::FindEntries(const std::string& pattern) {
    std::vector<TFoundEntry> found;
    WIN32_FIND_DATAA data;
    TFindHandle search(FindFirstFileA(pattern.c_str(), &data));
    if (!search)
        return found;
    do {
        if (data.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
            continue;
        found.push_back({data.cFileName, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
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
