#include "platform/win32/Win32FileSystem.h"

#include "platform/win32/Handles.h"
#include "platform/win32/Win32Status.h"

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

} // namespace

TStatus Win32FileSystem::MakeDirectory(const std::string& path) {
    return LastErrorStatus(CreateDirectoryA(path.c_str(), nullptr));
}

TStatus Win32FileSystem::CopyOver(const std::string& from, const std::string& to) {
    return LastErrorStatus(CopyFileA(from.c_str(), to.c_str(), FALSE));
}

bool Win32FileSystem::FileExists(const std::string& path) {
    return EntryExists(path, false);
}

bool Win32FileSystem::DirectoryExists(const std::string& path) {
    return EntryExists(path, true);
}

TStatus Win32FileSystem::OpenForWriting(const std::string& path,
                                        std::unique_ptr<IWriteStream>& stream) {
    TFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return TStatus::Failure(GetLastError());
    stream = std::make_unique<Win32WriteStream>(std::move(file));
    return {};
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

std::string Win32FileSystem::WindowsDirectory() {
    char buffer[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer)
        return {};
    std::string folder(buffer, length);
    if (folder.back() == '\\')
        folder.pop_back(); // "C:\" when Windows lives in a drive's root
    return folder;
}

} // namespace setup
