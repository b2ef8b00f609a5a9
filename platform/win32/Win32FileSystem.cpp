#include "platform/win32/Win32FileSystem.h"

#include "platform/win32/Handles.h"

namespace setup {

namespace {

class Win32WriteStream : public IWriteStream {
public:
    explicit Win32WriteStream(TFileHandle file) : File(std::move(file)) {}

    size_t Write(const void* data, size_t size) override {
        const auto* bytes = static_cast<const char*>(data);
        size_t stored = 0;
        while (stored < size) {
            DWORD written = 0;
            const BOOL ok = WriteFile(File.Get(), bytes + stored, static_cast<DWORD>(size - stored),
                                      &written, nullptr);
            stored += written;
            if (!ok || written == 0)
                break; // disk full or the device failed
        }
        return stored;
    }

    // The data must be on disk before the file is moved over the old one.
    bool Close() override {
        if (!File)
            return false;
        const bool flushed = FlushFileBuffers(File.Get());
        return CloseHandle(File.Release()) && flushed;
    }

private:
    TFileHandle File;
};

DWORD Attributes(const std::string& path) {
    return GetFileAttributesA(path.c_str());
}

} // namespace

bool Win32FileSystem::MakeDirectory(const std::string& path) {
    return CreateDirectoryA(path.c_str(), nullptr);
}

bool Win32FileSystem::CopyOver(const std::string& from, const std::string& to) {
    return CopyFileA(from.c_str(), to.c_str(), FALSE);
}

bool Win32FileSystem::FileExists(const std::string& path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::DirectoryExists(const std::string& path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::unique_ptr<IWriteStream> Win32FileSystem::OpenForWriting(const std::string& path) {
    TFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return nullptr;
    return std::make_unique<Win32WriteStream>(std::move(file));
}

bool Win32FileSystem::MoveOver(const std::string& from, const std::string& target) {
    if (MoveFileExA(from.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING))
        return true;
    if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED)
        return false; // for example the target is held open
    // Windows 95/98 only have a stub: remove the old file, then move the complete new one in.
    if (!DeleteFileA(target.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND)
        return false;
    return MoveFileA(from.c_str(), target.c_str());
}

bool Win32FileSystem::RemoveFile(const std::string& path) {
    return DeleteFileA(path.c_str());
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
