// The program's word when its runtime must end it (runtime/Runtime.h): a stop box captioned with
// the program's title, as every error of the program is told.
#include "app/ProgramTitle.h"
#include "runtime/Runtime.h"

#include <windows.h>

// On the stack alone, since the heap may be what ran out. Task-modal: the pages of a program
// that cannot go on take no more clicks while the box is open.
extern "C" void SetupTellTermination() noexcept {
    char title[MAX_PATH];
    setup::WriteProgramTitle(title);
    MessageBoxA(nullptr, "Setup cannot continue.", title, MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}
