// A fresh folder under the system's temporary folder, removed with its files at the end.
#pragma once

#include "win32/Handles.h"

#include <string>
#include <vector>

namespace setup {

class TTempFolder {
public:
    explicit TTempFolder(const std::string& name) {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        Path = std::string(temp) + name + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(Path.c_str(), nullptr);
    }
    ~TTempFolder() {
        for (const std::string& file : Files())
            DeleteFileA((Path + "\\" + file).c_str());
        RemoveDirectoryA(Path.c_str());
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    const std::string& Folder() const { return Path; }
    std::string operator/(const std::string& file) const { return Path + "\\" + file; }

    // The names of the files in the folder, in the order the platform lists them.
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        const TFindHandle search(FindFirstFileA((Path + "\\*").c_str(), &found));
        for (bool more = bool(search); more; more = FindNextFileA(search.Get(), &found)) {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.push_back(found.cFileName);
        }
        return names;
    }

private:
    std::string Path;
};

} // namespace setup
