#include "platform/fake/FakeFileSystem.h"

#include "base/PathText.h"
#include <algorithm>

namespace setup {

class FakeWriteStream : public IWriteStream {
public:
    FakeWriteStream(FakeFileSystem& owner, std::string key) : Owner(owner), Key(std::move(key)) {
        Owner.Writing.insert(Key);
    }
    ~FakeWriteStream() override { Release(); }

    TStatus Write(const void* data, size_t size) override {
        if (Closed)
            return TStatus::Failure(ErrorAccessDenied);
        return Owner.Store(Key, static_cast<const char*>(data), size);
    }

    TStatus Close() override {
        Release();
        return {};
    }

private:
    // The file is no longer held once its stream is closed.
    void Release() {
        if (!Closed)
            Owner.Writing.erase(Owner.Writing.find(Key));
        Closed = true;
    }

    FakeFileSystem& Owner;
    std::string Key;
    bool Closed = false;
};

namespace {

bool IsDriveRoot(const std::string& key) {
    return key.size() == 2 && key[1] == ':';
}

} // namespace

std::string FakeFileSystem::ParentKey(const std::string& key) const {
    const size_t slash = LastSeparator(key, LeadBytes);
    if (slash == std::string::npos || slash == 0)
        return {};
    std::string parent = key.substr(0, slash);
    return IsDriveRoot(parent) ? std::string() : parent;
}

std::string FakeFileSystem::Normalize(const std::string& path) const {
    const std::string upper = AsciiUpperCase(path, LeadBytes);
    std::string key;
    bool afterBackslash = false;
    for (size_t i = 0, length; i < upper.size(); i += length) {
        length = LeadBytes.CharLength(upper, i);
        const bool backslash = length == 1 && IsPathSeparator(upper[i]);
        // A leading pair stays: it starts a network path.
        if (backslash && (!afterBackslash || key.size() < 2))
            key += '\\';
        else if (!backslash)
            key.append(upper, i, length);
        afterBackslash = backslash;
    }
    return WithoutClosingSeparators(key, LeadBytes);
}

bool FakeFileSystem::Listed(const std::set<std::string>& paths, const std::string& key) const {
    return std::any_of(paths.begin(), paths.end(),
                       [&](const std::string& path) { return Normalize(path) == key; });
}

TStatus FakeFileSystem::Store(const std::string& key, const char* data, size_t size) {
    std::string& content = Files[key].Content;
    size_t stored = FreeSpace ? std::min(size, *FreeSpace) : size;
    const bool killed = KilledWriting && Normalize(KilledWriting->first) == key &&
                        content.size() + stored > KilledWriting->second;
    if (killed)
        stored = KilledWriting->second - std::min(content.size(), KilledWriting->second);
    if (FreeSpace)
        *FreeSpace -= stored;
    content.append(data, stored);
    if (killed)
        throw TProcessKilled();
    return stored == size ? TStatus() : TStatus::Failure(ErrorDiskFull);
}

bool FakeFileSystem::ParentExists(const std::string& key) const {
    const std::string parent = ParentKey(key);
    return parent.empty() || Directories.count(parent) > 0;
}

bool FakeFileSystem::IsHeld(const std::string& key) const {
    return Writing.count(key) > 0 || Listed(OpenFiles, key);
}

TStatus FakeFileSystem::Writable(const std::string& key) const {
    if (IsHeld(key))
        return TStatus::Failure(ErrorSharingViolation);
    if (Directories.count(key))
        return TStatus::Failure(ErrorAccessDenied);
    if (!ParentExists(key))
        return TStatus::Failure(ErrorPathNotFound);
    return {};
}

TStatus FakeFileSystem::MakeDirectory(const std::string& path) {
    Log.push_back("MakeDirectory " + path);
    const std::string key = Normalize(path);
    if (Listed(UncreatableDirectories, key))
        return TStatus::Failure(ErrorAccessDenied);
    if (Directories.count(key) || Files.count(key))
        return TStatus::Failure(ErrorAlreadyExists);
    if (!ParentExists(key))
        return TStatus::Failure(ErrorPathNotFound);
    Directories[key] = path;
    return {};
}

TStatus FakeFileSystem::CopyOver(const std::string& from, const std::string& to) {
    Log.push_back("CopyOver " + from + " -> " + to);
    const std::string source = Normalize(from);
    const std::string target = Normalize(to);
    const auto found = Files.find(source);
    if (found == Files.end())
        return TStatus::Failure(ErrorFileNotFound);
    if (Listed(FailingCopies, source))
        return TStatus::Failure(ErrorAccessDenied);
    if (const TStatus status = Writable(target); !status)
        return status;
    const std::string content = found->second.Content;
    Files.try_emplace(target, Entry{to, {}}).first->second.Content.clear();
    return Store(target, content.data(), content.size());
}

bool FakeFileSystem::FileExists(const std::string& path) {
    return Files.count(Normalize(path));
}

bool FakeFileSystem::DirectoryExists(const std::string& path) {
    return Directories.count(Normalize(path));
}

TResult<std::unique_ptr<IWriteStream>> FakeFileSystem::OpenForWriting(const std::string& path) {
    Log.push_back("OpenForWriting " + path);
    const std::string key = Normalize(path);
    if (Listed(UncreatableFiles, key))
        return TStatus::Failure(ErrorAccessDenied);
    if (const TStatus status = Writable(key); !status)
        return status;
    Files.try_emplace(key, Entry{path, {}}).first->second.Content.clear();
    return std::unique_ptr<IWriteStream>(std::make_unique<FakeWriteStream>(*this, key));
}

TStatus FakeFileSystem::MoveOver(const std::string& from, const std::string& target) {
    Log.push_back("MoveOver " + from + " -> " + target);
    const std::string source = Normalize(from);
    const std::string key = Normalize(target);
    const auto found = Files.find(source);
    if (found == Files.end())
        return TStatus::Failure(ErrorFileNotFound);
    if (IsHeld(source))
        return TStatus::Failure(ErrorSharingViolation);
    if (const TStatus status = Writable(key); !status)
        return status;
    std::string content = std::move(found->second.Content);
    Files.erase(found);
    Files.try_emplace(key, Entry{target, {}}).first->second.Content = std::move(content);
    return {};
}

TStatus FakeFileSystem::RemoveFile(const std::string& path) {
    Log.push_back("RemoveFile " + path);
    const std::string key = Normalize(path);
    if (IsHeld(key))
        return TStatus::Failure(ErrorSharingViolation);
    return Files.erase(key) > 0 ? TStatus() : TStatus::Failure(ErrorFileNotFound);
}

void FakeFileSystem::AddDirectory(const std::string& path) {
    const std::string key = Normalize(path);
    if (IsDriveRoot(key))
        return;
    if (const std::string parent = ParentKey(key); !parent.empty())
        AddDirectory(parent);
    Directories.try_emplace(key, path);
}

void FakeFileSystem::AddFile(const std::string& path, const std::string& content) {
    const std::string key = Normalize(path);
    if (const std::string parent = ParentKey(key); !parent.empty())
        AddDirectory(parent);
    Files[key] = Entry{path, content};
}

std::optional<std::string> FakeFileSystem::Content(const std::string& path) const {
    const auto found = Files.find(Normalize(path));
    if (found == Files.end())
        return std::nullopt;
    return found->second.Content;
}

std::vector<std::string> FakeFileSystem::FileNames() const {
    std::vector<std::string> names;
    for (const auto& [key, entry] : Files)
        names.push_back(entry.Name);
    return names;
}

} // namespace setup
