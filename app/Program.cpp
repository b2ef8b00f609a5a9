#include "app/Program.h"

#include "app/Application.h"
#include "base/Timing.h"

namespace setup {

// The pages know each other by reference before the later ones are made; none is used until
// all exist, which the compiler cannot see.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wuninitialized"
TSetupProgram::TSetupProgram(TApplication& application)
    : Application(application), Form1(application, Form2), Form2(application, Form3),
      Form3(application, Form4, Form6),
      Form4(application,
            {{Registry, Files, Resources, Processes, Links, ErrorTexts, LeadBytes},
             ErrorTexts,
             ShellFolders,
             RandomGenerator},
            Form3),
      Form6(application, Drives, Form3) {
    SETUP_MARK(PagesCreatedTime);
}
#pragma GCC diagnostic pop

TSetupProgram::~TSetupProgram() {
    Application.Toolkit().EndWindows();
}

int TSetupProgram::Run() {
    return Application.Run(Form1);
}

} // namespace setup
