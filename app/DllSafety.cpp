#include "app/DllSafety.h"
#include "win32/SystemFunctions.h"

#include <windows.h>

namespace setup {
namespace {

constexpr DWORD SearchSystem32 = 0x00000800;      // LOAD_LIBRARY_SEARCH_SYSTEM32
constexpr DWORD SafeSearchMode = 0x00000001;      // BASE_SEARCH_PATH_ENABLE_SAFE_SEARCHMODE
constexpr DWORD PermanentSearchMode = 0x00008000; // BASE_SEARCH_PATH_PERMANENT

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
    using FlagsFunction = BOOL(WINAPI*)(DWORD);
    using DirectoryFunction = BOOL(WINAPI*)(LPCSTR);
    if (auto setDefault = FindKernelFunction<FlagsFunction>("SetDefaultDllDirectories");
        setDefault && !IsWindowsVista()) {
        setDefault(SearchSystem32);
    } else if (auto setDirectory = FindKernelFunction<DirectoryFunction>("SetDllDirectoryA")) {
        // At least take the current directory out of the search.
        setDirectory("");
    }
    if (auto setMode = FindKernelFunction<FlagsFunction>("SetSearchPathMode"))
        setMode(SafeSearchMode | PermanentSearchMode);
}

} // namespace setup
