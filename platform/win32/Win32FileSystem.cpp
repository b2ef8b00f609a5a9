#include "platform/win32/Win32FileSystem.h"

#include "platform/win32/EntryExists.h"
#include "win32/Handles.h"
#include "win32/SystemStatus.h"

namespace setup {

namespace {

class Win32WriteStream : public IWriteStream {
public:
    explicit Win32WriteStream(TFileHandle file) : File(std::move(file)) {}

    TStatus Write(const void* data, size_t size) override {
        const auto* bytes = static_cast<const char*>(data);
        size_t stored = 0;
        while (stored < size) {
            DWORD written = 0;
            if (!WriteFile(File.Get(), bytes + stored, static_cast<DWORD>(size - stored), &written,
                           nullptr))
                return TStatus::Failure(GetLastError()); // the device failed
            if (written == 0)
                return TStatus::Failure(ERROR_DISK_FULL);
            stored += written;
        }
        return {};
    }

    // The data must be on disk before the file is moved over the old one.
    TStatus Close() override {
        if (!File)
            return TStatus::Failure(ERROR_INVALID_HANDLE);
        const TStatus flushed = LastErrorStatus(FlushFileBuffers(File.Get()));
        const TStatus closed = LastErrorStatus(CloseHandle(File.Release()));
        return flushed ? closed : flushed;
    }

private:
    TFileHandle File;
};

// Clears a file's read-only attribute; returns the attributes it had, INVALID_FILE_ATTRIBUTES
// when there is no such file.
DWORD MakeWritable(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    return attributes;
}

TStatus FlushToDisk(const std::string& path) {
    const TFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return TStatus::Failure(GetLastError());
    return LastErrorStatus(FlushFileBuffers(file.Get()));
}

} // namespace

TStatus Win32FileSystem::MakeDirectory(const std::string& path) {
    return LastErrorStatus(CreateDirectoryA(path.c_str(), nullptr));
}

TStatus Win32FileSystem::CopyOver(const std::string& from, const std::string& to) {
    MakeWritable(to); // a read-only copy left by an earlier run is replaced like any other
    if (!CopyFileA(from.c_str(), to.c_str(), FALSE))
        return TStatus::Failure(GetLastError());
    // The copy keeps the source's attributes, read-only too; its data must be on the disk
    // before anything counts on it.
    const DWORD attributes = MakeWritable(to);
    const TStatus flushed = FlushToDisk(to);
    SetFileAttributesA(to.c_str(), attributes);
    return flushed;
}

bool Win32FileSystem::FileExists(const std::string& path) {
    return EntryExists(path, false);
}

bool Win32FileSystem::DirectoryExists(const std::string& path) {
    return EntryExists(path, true);
}

TResult<std::unique_ptr<IWriteStream>> Win32FileSystem::OpenForWriting(const std::string& path) {
    TFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return TStatus::Failure(GetLastError());
    return std::unique_ptr<IWriteStream>(std::make_unique<Win32WriteStream>(std::move(file)));
}

TStatus Win32FileSystem::MoveOver(const std::string& from, const std::string& target) {
    if (MoveFileExA(from.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING))
        return {};
    const DWORD error = GetLastError();
    if (error != ERROR_CALL_NOT_IMPLEMENTED)
        return TStatus::Failure(error); // for example the target is held open
    return DeleteAndMove(from, target);
}

TStatus Win32FileSystem::DeleteAndMove(const std::string& from, const std::string& target) {
    if (!DeleteFileA(target.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND)
        return TStatus::Failure(GetLastError());
    return LastErrorStatus(MoveFileA(from.c_str(), target.c_str()));
}

TStatus Win32FileSystem::RemoveFile(const std::string& path) {
    return LastErrorStatus(DeleteFileA(path.c_str()));
}

TResult<std::string> Win32FileSystem::WindowsDirectory() {
    char buffer[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer)
        return TStatus::Failure(GetLastError());
    // Without its closing backslash also where Windows lives in a drive's root ("C:\").
    return WithoutClosingSeparators(std::string_view(buffer, length), LeadBytes);
}

} // namespace setup
