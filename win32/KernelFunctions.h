// Functions that some systems' kernel32 lacks are found at run time instead of imported: a
// single import the system lacks stops the whole program from loading.
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

} // namespace setup
