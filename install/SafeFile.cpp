#include "install/SafeFile.h"

#include "base/Exceptions.h"

#include <memory>
#include <utility>

namespace setup {

namespace {

// A new file written under a temporary name; removed again unless it was moved over its target.
class TPendingFile {
public:
    TPendingFile(IFileSystem& files, std::string path)
        : Files(files), Path(std::move(path)), Stream(Files.OpenForWriting(Path)) {}
    ~TPendingFile() {
        if (!Owned())
            return;
        Stream->reset();              // an open file cannot be deleted
        (void)Files.RemoveFile(Path); // a failure was reported already; this is cleanup
    }
    TPendingFile(const TPendingFile&) = delete;
    TPendingFile& operator=(const TPendingFile&) = delete;

    TStatus Created() const { return Stream.Status(); }

    // Writes all of data and closes the file.
    TStatus Store(std::span<const uint8_t> data) {
        IWriteStream& stream = **Stream;
        const TStatus written = stream.Write(data.data(), data.size());
        const TStatus closed = stream.Close();
        Stream->reset();
        return written ? closed : written;
    }

    TStatus MoveOver(const std::string& target) {
        const TStatus moved = Files.MoveOver(Path, target);
        Moved = static_cast<bool>(moved);
        return moved;
    }

private:
    bool Owned() const { return Stream && !Moved; }

    IFileSystem& Files;
    std::string Path;
    // Failed when the file could not be created; null once closed.
    TResult<std::unique_ptr<IWriteStream>> Stream;
    bool Moved = false;
};

// Beside the target, so that the final move never crosses a volume.
std::string TemporaryPathFor(const std::string& path) {
    return path + ".tmp";
}

} // namespace

void WriteFileSafely(IFileSystem& files, const std::string& path, std::span<const uint8_t> data) {
    TPendingFile pending(files, TemporaryPathFor(path));
    if (const TStatus created = pending.Created(); !created)
        throw EFCreateError(Format("Cannot create file %s", path.c_str()), created.ErrorCode());
    if (const TStatus stored = pending.Store(data); !stored)
        throw EWriteError("Stream write error", stored.ErrorCode());
    if (const TStatus moved = pending.MoveOver(path); !moved)
        throw EFCreateError(Format("Cannot create file %s", path.c_str()), moved.ErrorCode());
}

TStatus CopyFileSafely(IFileSystem& files, const std::string& from, const std::string& to) {
    const std::string temporary = TemporaryPathFor(to);
    TStatus status = files.CopyOver(from, temporary);
    if (status)
        status = files.MoveOver(temporary, to);
    if (!status)
        (void)files.RemoveFile(temporary); // may never have been made: nothing more to do
    return status;
}

} // namespace setup
