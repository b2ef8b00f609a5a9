// Everything the program owns for its whole run: the platform adapters, the program-wide
// state and the five pages, each page handed what it uses.
#pragma once

#include "install/PalvorneComp.h"
#include "pages/ProgressRules.h"
#include "pages/Unit1.h"
#include "pages/Unit2.h"
#include "pages/Unit3.h"
#include "pages/Unit4.h"
#include "pages/Unit6.h"
#include "platform/win32/Win32CodePage.h"
#include "platform/win32/Win32Drives.h"
#include "platform/win32/Win32ErrorTexts.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Processes.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Resources.h"
#include "platform/win32/Win32ShellLinks.h"

namespace setup {

class TApplication;

class TSetupProgram {
public:
    // Creates the pages in their fixed order; the welcome page shows itself meanwhile.
    explicit TSetupProgram(TApplication& application);
    // The pages go without a word: the backdrop, activated when the last page's window dies,
    // would otherwise end the runner the install has just started.
    ~TSetupProgram();
    // Runs the message loop with the backdrop as the main page; the exit code.
    int Run();

private:
    TApplication& Application;

    const TLeadBytes LeadBytes = AnsiLeadBytes(); // read once, handed to every path walk
    Win32Registry Registry;
    Win32FileSystem Files{LeadBytes};
    Win32Resources Resources;
    Win32Processes Processes;
    Win32ShellLinks Links;
    Win32Drives Drives{LeadBytes};
    Win32ErrorTexts ErrorTexts;

    TRandomGenerator RandomGenerator; // one seed for the run, 0 at start-up
    TShellFolders ShellFolders;       // read by the install

    // Made in this order and destroyed in reverse, without their close handlers.
    TForm1 Form1;
    TForm2 Form2;
    TForm3 Form3;
    TForm4 Form4;
    TForm6 Form6;
};

} // namespace setup
