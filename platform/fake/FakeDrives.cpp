#include "platform/fake/FakeDrives.h"

#include <cctype>

namespace setup {

namespace {

int Sign(int value) {
    return (value > 0) - (value < 0);
}

} // namespace

FakeDrives::Volume& FakeDrives::AddVolume(const std::string& drive, TDriveType type) {
    Volume& volume = Volumes[Key(drive)];
    volume = Volume{};
    volume.Type = type;
    Currents.erase(Key(drive));
    return volume;
}

FakeDrives::Volume& FakeDrives::VolumeOf(const std::string& drive) {
    return Volumes.at(Key(drive));
}

void FakeDrives::AddFolder(const std::string& path, bool hidden, bool system) {
    const std::string root = RootOf(path);
    const std::vector<std::string> names = SplitNames(path.substr(root.size()));
    Path prefix{root, {}};
    for (size_t i = 0; i < names.size(); ++i) {
        prefix.Names.push_back(names[i]);
        if (Lookup(prefix))
            continue;
        const bool last = i + 1 == names.size();
        Entries.push_back({prefix, true, last && hidden, last && system});
    }
}

void FakeDrives::AddFile(const std::string& path) {
    const Path where = Absolute(path);
    if (where.Names.empty())
        return;
    Path folder = where;
    folder.Names.pop_back();
    AddFolder(Text(folder));
    Entries.push_back({where, false, false, false});
}

TResult<uint32_t> FakeDrives::LogicalDrives() {
    uint32_t mask = 0;
    for (const auto& [key, volume] : Volumes)
        if (key.size() == 2 && key[1] == ':' && key[0] >= 'A' && key[0] <= 'Z')
            mask |= 1u << (key[0] - 'A');
    return mask;
}

TDriveType FakeDrives::DriveType(const std::string& root) {
    const Volume* volume = Find(RootOf(root));
    return volume ? volume->Type : TDriveType::NoRootDir;
}

TResult<std::string> FakeDrives::VolumeLabel(const std::string& root) {
    Log.push_back("label " + root);
    if (const TStatus read = Readable(root); !read)
        return read;
    const std::optional<std::string>& label = Find(RootOf(root))->Label;
    if (!label)
        return TStatus::Failure(ErrorAccessDenied);
    return *label;
}

TResult<TVolumeFlags> FakeDrives::VolumeFlags(const std::string& root) {
    Log.push_back("flags " + root);
    if (const TStatus read = Readable(root); !read)
        return read;
    return Find(RootOf(root))->Flags;
}

TResult<std::optional<std::string>> FakeDrives::RemoteName(const std::string& drive) {
    Log.push_back("remote " + drive);
    if (const TStatus read = Readable(drive); !read)
        return read;
    return Find(RootOf(drive))->Remote;
}

std::string FakeDrives::CurrentDirectory() {
    return Text(Cwd);
}

TStatus FakeDrives::ChangeDirectory(const std::string& path) {
    Log.push_back("cd " + path);
    const Path target = Absolute(path);
    const Volume* volume = Find(target.Root);
    if (volume && (volume->Type == TDriveType::Unknown || volume->Type == TDriveType::NoRootDir))
        return TStatus::Failure(ErrorPathNotFound);
    if (const TStatus read = Readable(target.Root); !read)
        return read;
    Path prefix{target.Root, {}};
    for (size_t i = 0; i < target.Names.size(); ++i) {
        prefix.Names.push_back(target.Names[i]);
        const Entry* entry = Lookup(prefix);
        if (!entry || !entry->Directory)
            return TStatus::Failure(i + 1 == target.Names.size() ? ErrorFileNotFound
                                                                 : ErrorPathNotFound);
    }
    for (const auto& [folder, code] : FolderErrors)
        if (MapCase(folder, false) == MapCase(Text(target), false))
            return TStatus::Failure(code);
    Cwd = target;
    Currents[Key(target.Root)] = target;
    return {};
}

bool FakeDrives::FileExists(const std::string& path) {
    const Entry* entry = Lookup(Absolute(path));
    return entry && !entry->Directory;
}

TResult<std::vector<TFoundEntry>> FakeDrives::FindEntries(const std::string& pattern) {
    Log.push_back("find " + pattern);
    const std::string suffix = "*.*";
    if (pattern.size() < suffix.size() ||
        pattern.compare(pattern.size() - suffix.size(), suffix.size(), suffix) != 0)
        return TStatus::Failure(ErrorInvalidParameter);
    const Path folder = Absolute(pattern.substr(0, pattern.size() - suffix.size()));
    if (const TStatus read = Readable(folder.Root); !read)
        return read;
    if (!folder.Names.empty() && !Lookup(folder))
        return TStatus::Failure(ErrorPathNotFound);
    std::vector<TFoundEntry> found;
    if (!folder.Names.empty())
        found = {{".", true}, {"..", true}};
    for (const Entry& entry : Entries) {
        if (Key(entry.Where.Root) != Key(folder.Root) ||
            entry.Where.Names.size() != folder.Names.size() + 1 || entry.Hidden || entry.System)
            continue;
        bool inside = true;
        for (size_t i = 0; inside && i < folder.Names.size(); ++i)
            inside = SameNameOnVolume(folder.Root, entry.Where.Names[i], folder.Names[i]);
        if (inside)
            found.push_back({entry.Where.Names.back(), entry.Directory});
    }
    return found;
}

int FakeDrives::CompareText(const std::string& a, const std::string& b) {
    return Sign(MapCase(a, false).compare(MapCase(b, false)));
}

int FakeDrives::CompareStr(const std::string& a, const std::string& b) {
    return Sign(a.compare(b));
}

std::string FakeDrives::LowerFileName(const std::string& name) {
    return MapCase(name, false);
}

std::string FakeDrives::UpperFileName(const std::string& name) {
    return MapCase(name, true);
}

std::string FakeDrives::Key(const std::string& root) {
    return MapCase(root, true);
}

std::string FakeDrives::RootOf(const std::string& path) {
    if (path.size() >= 2 && path[1] == ':')
        return path.substr(0, 2);
    if (path.rfind("\\\\", 0) != 0)
        return "";
    // \\server\share ends before the fourth backslash.
    int backslashes = 0;
    for (size_t i = 0; i < path.size(); i += LeadBytes.CharLength(path, i))
        if (path[i] == '\\' && ++backslashes == 4)
            return path.substr(0, i);
    return path;
}

std::string FakeDrives::Text(const Path& path) {
    std::string text = path.Root + "\\";
    for (size_t i = 0; i < path.Names.size(); ++i)
        text += (i ? "\\" : "") + path.Names[i];
    return text;
}

std::vector<std::string> FakeDrives::SplitNames(const std::string& text) {
    std::vector<std::string> names;
    std::string name;
    for (size_t i = 0; i < text.size(); ++i) {
        if (LeadBytes.CharLength(text, i) == 2) {
            name += text.substr(i++, 2);
        } else if (text[i] == '\\') {
            if (!name.empty())
                names.push_back(name);
            name.clear();
        } else {
            name += text[i];
        }
    }
    if (!name.empty())
        names.push_back(name);
    return names;
}

FakeDrives::Path FakeDrives::Absolute(const std::string& path) {
    const std::string root = RootOf(path);
    const std::string rest = path.substr(root.size());
    Path result{root.empty() ? Cwd.Root : root, {}};
    if (rest.empty() || rest[0] != '\\') {
        if (root.empty())
            result = Cwd;
        else if (const auto current = Currents.find(Key(root)); current != Currents.end())
            result = current->second;
    }
    for (const std::string& name : SplitNames(rest))
        result.Names.push_back(name);
    return result;
}

FakeDrives::Volume* FakeDrives::Find(const std::string& root) {
    const auto it = Volumes.find(Key(root));
    return it == Volumes.end() ? nullptr : &it->second;
}

TStatus FakeDrives::Readable(const std::string& root) {
    const Volume* volume = Find(RootOf(root));
    if (!volume)
        return TStatus::Failure(ErrorPathNotFound);
    return volume->Ready ? TStatus() : TStatus::Failure(ErrorNotReady);
}

bool FakeDrives::SameNameOnVolume(const std::string& root, const std::string& a,
                                  const std::string& b) {
    const Volume* volume = Find(root);
    return volume && volume->Flags.CaseSensitive ? a == b : MapCase(a, false) == MapCase(b, false);
}

const FakeDrives::Entry* FakeDrives::Lookup(const Path& path) {
    for (const Entry& entry : Entries) {
        if (Key(entry.Where.Root) != Key(path.Root) ||
            entry.Where.Names.size() != path.Names.size())
            continue;
        bool same = true;
        for (size_t i = 0; same && i < path.Names.size(); ++i)
            same = SameNameOnVolume(path.Root, entry.Where.Names[i], path.Names[i]);
        if (same)
            return &entry;
    }
    return nullptr;
}

std::string FakeDrives::MapCase(const std::string& text, bool upper) {
    std::string result = text;
    for (size_t i = 0; i < result.size(); ++i) {
        if (LeadBytes.CharLength(result, i) == 2)
            ++i; // the trail byte is not a letter of its own
        else
            result[i] =
                static_cast<char>(upper ? std::toupper(static_cast<unsigned char>(result[i]))
                                        : std::tolower(static_cast<unsigned char>(result[i])));
    }
    return result;
}

} // namespace setup
