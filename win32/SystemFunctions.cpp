#include "win32/SystemFunctions.h"

namespace setup {

HMODULE LoadSystemLibrary(const char* name) {
    char path[MAX_PATH + 16];
    const DWORD length = GetModuleFileNameA(GetModuleHandleA("kernel32.dll"), path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    char* end = path + length;
    while (end > path && end[-1] != '\\')
        --end;
    lstrcpynA(end, name, 16);
    return LoadLibraryA(path);
}

} // namespace setup
