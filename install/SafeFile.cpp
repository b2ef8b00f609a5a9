#include "install/SafeFile.h"

#include "platform/Exceptions.h"

#include <memory>
#include <utility>

namespace setup {

namespace {

// A new file written under a temporary name; removed again unless it was moved over its target.
class TPendingFile {
public:
    TPendingFile(IFileSystem& files, std::string path)
        : Files(files), Path(std::move(path)), Stream(Files.OpenForWriting(Path)),
          Owned(Stream != nullptr) {}
    ~TPendingFile() {
        Stream.reset(); // an open file cannot be deleted
        if (Owned)
            Files.RemoveFile(Path);
    }
    TPendingFile(const TPendingFile&) = delete;
    TPendingFile& operator=(const TPendingFile&) = delete;

    bool Created() const { return Owned; }

    // Writes all of data and closes the file; false when any of it was not stored.
    bool Store(std::span<const uint8_t> data) {
        const bool complete = Stream->Write(data.data(), data.size()) == data.size();
        const bool closed = Stream->Close();
        Stream.reset();
        return complete && closed;
    }

    bool MoveOver(const std::string& target) {
        if (Files.MoveOver(Path, target))
            Owned = false;
        return !Owned;
    }

private:
    IFileSystem& Files;
    std::string Path;
    std::unique_ptr<IWriteStream> Stream;
    bool Owned;
};

// Beside the target, so that the final move never crosses a volume.
std::string TemporaryPathFor(const std::string& path) {
    return path + ".tmp";
}

} // namespace

void WriteFileSafely(IFileSystem& files, const std::string& path, std::span<const uint8_t> data) {
    TPendingFile pending(files, TemporaryPathFor(path));
    if (!pending.Created())
        throw EFCreateError(Format("Cannot create file %s", path.c_str()));
    if (!pending.Store(data))
        throw EWriteError("Stream write error");
    if (!pending.MoveOver(path))
        throw EFCreateError(Format("Cannot create file %s", path.c_str()));
}

} // namespace setup
