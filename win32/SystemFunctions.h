// Functions that some systems lack are found at run time instead of imported: a single import
// the system lacks stops the whole program from loading.
#pragma once

#include <windows.h>

namespace setup {

// Finds a kernel32 function by name; null where the system has none.
using TKernelLookup = void* (*)(const char* name);

inline void* KernelFunction(const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), name));
}

// The function `lookup` finds under `name`, as the type it is called through.
template <typename Function>
Function FindKernelFunction(const char* name, TKernelLookup lookup = KernelFunction) {
    return reinterpret_cast<Function>(lookup(name));
}

// The function `name` of module, as the type it is called through; null where the module is
// missing (null) or has none.
template <typename Function> Function ModuleFunction(HMODULE module, const char* name) {
    return module
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
               : nullptr;
}

// The function `name` of a system DLL this program has loaded anyway (user32, ole32 ...).
template <typename Function> Function LoadedFunction(const char* module, const char* name) {
    return ModuleFunction<Function>(GetModuleHandleA(module), name);
}

// Loads the system's own DLL `name` (at most 15 characters) by its full path in the folder of
// the system's kernel32, since a DLL of that name planted beside Setup.exe would be found
// first; null where the system has none. It stays loaded for the life of the process.
HMODULE LoadSystemLibrary(const char* name);

} // namespace setup
