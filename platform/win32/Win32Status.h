// Windows' ways of saying why a call failed, turned into the platform's status.
#pragma once

#include <windows.h>

#include "base/Status.h"

#include <string>

namespace setup {

// Success, or the thread's last error, for a call that told whether it succeeded.
inline TStatus LastErrorStatus(bool succeeded) {
    return succeeded ? TStatus() : TStatus::Failure(GetLastError());
}

// The status a registry function returned.
inline TStatus RegistryStatus(LONG status) {
    return status == ERROR_SUCCESS ? TStatus() : TStatus::Failure(static_cast<uint32_t>(status));
}

// The file-system entry at path: true for a file (or a folder, with folder), false for
// nothing there or the other kind.
inline bool EntryExists(const std::string& path, bool folder) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) == folder;
}

} // namespace setup
