// The C++ runtime's per-thread state for a program of one thread. The library's own version
// keeps it in emulated thread-local storage and brings the Win32 thread support (TLS slots,
// semaphores) along, all for a second thread that never comes; _CRT_MT (Startup.cpp) already
// tells libgcc none does.
#include <unwind-cxx.h>

namespace __cxxabiv1 {

namespace {

// The exceptions being handled and the count of those thrown but not yet caught.
__cxa_eh_globals exceptionGlobals;

} // namespace

extern "C" {

__cxa_eh_globals* __cxa_get_globals() noexcept {
    return &exceptionGlobals;
}

__cxa_eh_globals* __cxa_get_globals_fast() noexcept {
    return &exceptionGlobals;
}

} // extern "C"

} // namespace __cxxabiv1
