// Entry point: DLL safety, COM, the application object, the check of the program's own file,
// then the program and its loop. Exit codes: 0 done, 1 a damaged copy, 2 a failure that
// nothing else caught (a window or picture that could not be made on a machine out of resources).
#include "platform/Exceptions.h"
#include "platform/win32/Handles.h"
#include "platform/win32/OwnImage.h"
#include "platform/win32/StoredResources.h"
#include "setup/Application.h"
#include "setup/DllSafety.h"
#include "setup/Program.h"

#include <windows.h>

using namespace setup;

namespace {

int RunSetup() {
    TApplication application;
    // A damaged copy stops before the first page and before anything is written.
    if (!OwnImageIntact()) {
        application.ShowException(Exception(DamagedInstallerMessage));
        return 1;
    }
    TSetupProgram program(application);
    program.Run();
    return 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
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
