#include "install/ProcessTerminator.h"

#include "base/PathText.h"

namespace setup {

namespace {

bool Matches(const std::string& exeFile, const std::string& upperTarget) {
    // Windows 95/98 record full paths, NT-family systems and Wine bare names.
    return AsciiUpperCase(ExtractFileName(exeFile)) == upperTarget ||
           AsciiUpperCase(exeFile) == upperTarget;
}

} // namespace

void TerminateProcesses(IProcesses& processes, const std::string& target) {
    const std::string upperTarget = AsciiUpperCase(target);
    for (const TProcessEntry& entry : processes.Snapshot()) {
        // Quietly: a Control Panel that cannot be ended stays, and the install goes on.
        if (Matches(entry.ExeFile, upperTarget))
            (void)processes.Terminate(entry.ProcessId);
    }
}

} // namespace setup
