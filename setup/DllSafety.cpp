#include "setup/DllSafety.h"

#include <windows.h>

namespace setup {
namespace {

constexpr DWORD SearchSystem32 = 0x00000800;      // LOAD_LIBRARY_SEARCH_SYSTEM32
constexpr DWORD SafeSearchMode = 0x00000001;      // BASE_SEARCH_PATH_ENABLE_SAFE_SEARCHMODE
constexpr DWORD PermanentSearchMode = 0x00008000; // BASE_SEARCH_PATH_PERMANENT

template <typename Function> Function Find(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Windows Vista cannot create the shell-link object once the default DLL directories are
// restricted.
bool IsWindowsVista() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExA(&version);
#pragma GCC diagnostic pop
    return version.dwMajorVersion == 6 && version.dwMinorVersion == 0;
}

} // namespace

void RestrictDllSearch() {
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    using FlagsFunction = BOOL(WINAPI*)(DWORD);
    using DirectoryFunction = BOOL(WINAPI*)(LPCSTR);
    if (auto setDefault = Find<FlagsFunction>(kernel, "SetDefaultDllDirectories");
        setDefault && !IsWindowsVista()) {
        setDefault(SearchSystem32);
    } else if (auto setDirectory = Find<DirectoryFunction>(kernel, "SetDllDirectoryA")) {
        // At least take the current directory out of the search.
        setDirectory("");
    }
    if (auto setMode = Find<FlagsFunction>(kernel, "SetSearchPathMode"))
        setMode(SafeSearchMode | PermanentSearchMode);
}

} // namespace setup
