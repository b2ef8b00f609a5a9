// What lies at a path in the file system, as the system's attributes tell it.
#pragma once

#include <windows.h>

#include <string>

namespace setup {

// The file-system entry at path: true for a file (or a folder, with folder), false for
// nothing there or the other kind.
inline bool EntryExists(const std::string& path, bool folder) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) == folder;
}

} // namespace setup
