// Entry point, once the program's file is checked and unpacked (stub/Start.cpp): DLL safety,
// COM, the application object, then the program and its loop. Exit codes: 0 done, 1 a damaged
// copy (from the start), 2 a failure that nothing else caught (a window or picture that could
// not be made on a machine out of resources) or a closing message that could not be shown,
// 3 a fault that ended the program after its stop box (runtime/Runtime.h: a terminate, or the
// unwinder unable to go on), 4 a 386 (from the start).
#include "app/Application.h"
#include "app/DllSafety.h"
#include "app/Program.h"
#include "app/Timing.h"
#include "base/Exceptions.h"
#include "win32/Handles.h"

#include <windows.h>

using namespace setup;

namespace {

int RunSetup() {
    TApplication application;
    TSetupProgram program(application);
    return program.Run();
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    SETUP_TIMED_RUN();
    RestrictDllSearch();
    // COM for the shell-link object, from before the first page until after the last is gone.
    const TComInit com = InitializeCom();
    // The program never ends without a word.
    try {
        return RunSetup();
    } catch (const std::exception& error) {
        ShowErrorBox(nullptr, ProgramTitle(), error);
    } catch (...) {
        ShowErrorBox(nullptr, ProgramTitle(), Exception("Unknown failure"));
    }
    return 2;
}
