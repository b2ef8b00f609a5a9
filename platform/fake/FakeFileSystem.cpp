#include "platform/fake/FakeFileSystem.h"

#include "install/PathText.h"

#include <algorithm>

namespace setup {

class FakeWriteStream : public IWriteStream {
public:
    FakeWriteStream(FakeFileSystem& owner, std::string key) : Owner(owner), Key(std::move(key)) {
        Owner.Writing.insert(Key);
    }
    ~FakeWriteStream() override { Release(); }

    size_t Write(const void* data, size_t size) override {
        if (Closed)
            return 0;
        if (Owner.FreeSpace) {
            size = std::min(size, *Owner.FreeSpace);
            *Owner.FreeSpace -= size;
        }
        Owner.Files[Key].Content.append(static_cast<const char*>(data), size);
        return size;
    }

    bool Close() override {
        Release();
        return true;
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

// The folder holding key; empty when that is a root or the current folder, which always exist.
std::string ParentKey(const std::string& key) {
    const size_t slash = key.find_last_of('\\');
    if (slash == std::string::npos || slash == 0)
        return {};
    std::string parent = key.substr(0, slash);
    return IsDriveRoot(parent) ? std::string() : parent;
}

} // namespace

std::string FakeFileSystem::Normalize(const std::string& path) {
    std::string key;
    for (const char c : AsciiUpperCase(path)) {
        // A leading pair stays: it starts a network path.
        if (c == '\\' && key.size() > 1 && key.back() == '\\')
            continue;
        key += c;
    }
    while (key.size() > 1 && key.back() == '\\')
        key.pop_back();
    return key;
}

bool FakeFileSystem::Listed(const std::set<std::string>& paths, const std::string& key) {
    return std::any_of(paths.begin(), paths.end(),
                       [&](const std::string& path) { return Normalize(path) == key; });
}

bool FakeFileSystem::ParentExists(const std::string& key) const {
    const std::string parent = ParentKey(key);
    return parent.empty() || Directories.count(parent) > 0;
}

bool FakeFileSystem::IsHeld(const std::string& key) const {
    return Writing.count(key) > 0 || Listed(OpenFiles, key);
}

bool FakeFileSystem::MakeDirectory(const std::string& path) {
    Log.push_back("MakeDirectory " + path);
    const std::string key = Normalize(path);
    if (Listed(UncreatableDirectories, key) || Directories.count(key) || Files.count(key) ||
        !ParentExists(key))
        return false;
    Directories[key] = path;
    return true;
}

bool FakeFileSystem::CopyOver(const std::string& from, const std::string& to) {
    Log.push_back("CopyOver " + from + " -> " + to);
    const std::string source = Normalize(from);
    const std::string target = Normalize(to);
    const auto found = Files.find(source);
    if (found == Files.end() || Listed(FailingCopies, source) || IsHeld(target) ||
        Directories.count(target) || !ParentExists(target))
        return false;
    const std::string content = found->second.Content;
    Files.try_emplace(target, Entry{to, {}}).first->second.Content = content;
    return true;
}

bool FakeFileSystem::FileExists(const std::string& path) {
    return Files.count(Normalize(path));
}

bool FakeFileSystem::DirectoryExists(const std::string& path) {
    return Directories.count(Normalize(path));
}

std::unique_ptr<IWriteStream> FakeFileSystem::OpenForWriting(const std::string& path) {
    Log.push_back("OpenForWriting " + path);
    const std::string key = Normalize(path);
    if (Listed(UncreatableFiles, key) || IsHeld(key) || Directories.count(key) ||
        !ParentExists(key))
        return nullptr;
    Files.try_emplace(key, Entry{path, {}}).first->second.Content.clear();
    return std::make_unique<FakeWriteStream>(*this, key);
}

bool FakeFileSystem::MoveOver(const std::string& from, const std::string& target) {
    Log.push_back("MoveOver " + from + " -> " + target);
    const std::string source = Normalize(from);
    const std::string key = Normalize(target);
    const auto found = Files.find(source);
    if (found == Files.end() || IsHeld(source) || IsHeld(key) || Directories.count(key))
        return false;
    std::string content = std::move(found->second.Content);
    Files.erase(found);
    Files.try_emplace(key, Entry{target, {}}).first->second.Content = std::move(content);
    return true;
}

bool FakeFileSystem::RemoveFile(const std::string& path) {
    Log.push_back("RemoveFile " + path);
    const std::string key = Normalize(path);
    if (IsHeld(key))
        return false;
    return Files.erase(key) > 0;
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
