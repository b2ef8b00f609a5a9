// The C++ runtime's per-thread state and libgcc's locks for a program of one thread. The
// library's own versions keep the exception state in emulated thread-local storage and bring
// the Win32 thread support (TLS slots, semaphores) along, all for a second thread that never
// comes; _CRT_MT (Startup.cpp) already tells them none does.
extern "C" {

// The exceptions being handled and the count of those thrown but not yet caught, as the
// C++ ABI lays them out.
struct TExceptionGlobals {
    void* CaughtExceptions;
    unsigned int UncaughtExceptions;
};

static TExceptionGlobals exceptionGlobals;

TExceptionGlobals* __cxa_get_globals() noexcept {
    return &exceptionGlobals;
}

TExceptionGlobals* __cxa_get_globals_fast() noexcept {
    return &exceptionGlobals;
}

// libgcc's mutex, which the runtime's exception memory pool asks for only while threads are in
// use: with one thread there is nothing to wait for.
struct TGthreadMutex {
    long Counter;
    void* Semaphore;
};

void __gthr_win32_mutex_init_function(TGthreadMutex*) {}

int __gthr_win32_mutex_lock(TGthreadMutex*) {
    return 0;
}

int __gthr_win32_mutex_unlock(TGthreadMutex*) {
    return 0;
}

void __gthr_win32_mutex_destroy(TGthreadMutex*) {}

} // extern "C"
