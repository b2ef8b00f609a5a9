#include "widgets/FolderPath.h"

namespace setup {

std::vector<size_t> TFolderPath::Backslashes(const std::string& text) const {
    std::vector<size_t> found;
    for (size_t i = 0; i < text.size(); i += Lead.CharLength(text, i))
        if (text[i] == '\\')
            found.push_back(i);
    return found;
}

std::string TFolderPath::DrivePart(const std::string& path) const {
    if (path.size() >= 2 && path[1] == ':')
        return path.substr(0, 2);
    if (path.size() < 2 || path[0] != '\\' || path[1] != '\\')
        return "";
    // \\server\share ends before the fourth backslash.
    const std::vector<size_t> slashes = Backslashes(path);
    return slashes.size() > 3 ? path.substr(0, slashes[3]) : path;
}

int TFolderPath::Depth(const std::string& path) const {
    return static_cast<int>(Backslashes(path).size());
}

bool TFolderPath::EndsWithBackslash(const std::string& text) const {
    const std::vector<size_t> slashes = Backslashes(text);
    return !slashes.empty() && slashes.back() + 1 == text.size();
}

std::string TFolderPath::Join(const std::string& folder, const std::string& name) const {
    return EndsWithBackslash(folder) ? folder + name : folder + "\\" + name;
}

} // namespace setup
