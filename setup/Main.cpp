// Entry point: COM, the application object, the check of the stored blocks, the five pages,
// the message loop.
#include "pages/Unit1.h"
#include "pages/Unit2.h"
#include "pages/Unit3.h"
#include "pages/Unit4.h"
#include "pages/Unit6.h"
#include "platform/Exceptions.h"
#include "platform/win32/ComPtr.h"
#include "platform/win32/StoredResources.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Processes.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Resources.h"
#include "platform/win32/Win32ShellLinks.h"
#include "setup/Application.h"
#include "setup/DllSafety.h"

#include <windows.h>

using namespace setup;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    RestrictDllSearch();
    // COM for the shell-link object, from before the first page until after the last is gone.
    TComLibrary com;
    Application.Initialize();
    // A damaged copy stops before the first page and before anything is written.
    if (!StoredBlocksIntact()) {
        Application.ShowException(Exception(DamagedInstallerMessage));
        return 1;
    }

    Win32Registry registry;
    Win32FileSystem files;
    Win32Resources resources;
    Win32Processes processes;
    Win32ShellLinks links;

    // Created in this order; the pages go in reverse, without their close handlers.
    TForm1 form1;
    Form1 = &form1;
    TForm2 form2;
    Form2 = &form2;
    TForm3 form3;
    Form3 = &form3;
    TForm4 form4({registry, files, resources, processes, links});
    Form4 = &form4;
    TForm6 form6;
    Form6 = &form6;

    Application.Run(form1);
    return 0;
}
