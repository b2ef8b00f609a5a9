// The program's start and end, in place of a C runtime DLL: the entry point, the static
// constructors and destructors, exit, atexit and abort, on kernel32 alone.
#include "runtime/Runtime.h"

#include <windows.h>

#include <cstdlib>

extern "C" int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int);
// libgcc's: runs the static constructors (the unwind tables' registration among them) once
// and registers the destructors with atexit.
extern "C" void __main();

namespace {

struct TExitHandler {
    void (*Function)();
    TExitHandler* Next;
};

// Newest first: exit calls the handlers in the reverse order of their registration.
TExitHandler* exitHandlers = nullptr;

// Set once abort has begun to tell the user: another abort ends at once.
bool aborting = false;

// The command line after the program's name, as WinMain receives it.
LPSTR CommandTail(LPSTR line) {
    const bool quoted = *line == '"';
    line += quoted;
    while (*line && (quoted ? *line != '"' : *line != ' ' && *line != '\t'))
        ++line;
    line += quoted && *line == '"';
    while (*line == ' ' || *line == '\t')
        ++line;
    return line;
}

int ShowCommand() {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    return startup.dwFlags & STARTF_USESHOWWINDOW ? startup.wShowWindow : SW_SHOWDEFAULT;
}

} // namespace

extern "C" {

// libgcc's thread support asks whether threads are in use: the program has one, so its locks
// and thread-local storage take the single-threaded paths.
int _CRT_MT = 0;

// Destructors of thread-local keys; never registered with one thread, whose end is the
// process's.
int __mingwthr_key_dtor(DWORD, void (*)(void*)) {
    return 0;
}

int atexit(void (*function)()) {
    auto* handler = static_cast<TExitHandler*>(malloc(sizeof(TExitHandler)));
    if (!handler)
        return -1;
    *handler = {function, exitHandlers};
    exitHandlers = handler;
    return 0;
}

void exit(int code) {
    while (TExitHandler* handler = exitHandlers) {
        exitHandlers = handler->Next;
        handler->Function();
        free(handler);
    }
    ExitProcess(code);
}

// As the C runtime's abort, no destructors and exit code 3, but not without a word (see
// runtime/Runtime.h); a second abort while the first one tells ends at once.
void abort() {
    if (!aborting) {
        aborting = true;
        SetupTellTermination();
    }
    ExitProcess(3);
}

// The entry point the linker starts the image at. The system may enter with the stack aligned
// to 4 bytes only.
__attribute__((force_align_arg_pointer, noreturn)) void WinMainCRTStartup() {
    // The x87 unit as the C runtime left it: 64-bit significands, every exception masked
    // (the system starts a process at 53 bits).
    asm volatile("fninit");
    __main();
    exit(
        WinMain(GetModuleHandleA(nullptr), nullptr, CommandTail(GetCommandLineA()), ShowCommand()));
}

} // extern "C"

// The runtime's default terminate handler prints the uncaught exception's demangled type,
// which links the whole demangler and stdio. A terminate here is a fault in the program: end
// it, saying so.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx
