#include "install/ProcessTerminator.h"

#include "base/PathText.h"

namespace setup {

namespace {

bool Matches(const std::string& exeFile, const std::string& upperTarget, TLeadBytes lead) {
    // Windows 95/98 record full paths, NT-family systems and Wine bare names.
    return AsciiUpperCase(ExtractFileName(exeFile, lead), lead) == upperTarget ||
           AsciiUpperCase(exeFile, lead) == upperTarget;
}

} // namespace

void TerminateProcesses(IProcesses& processes, const std::string& target, TLeadBytes lead) {
    const std::string upperTarget = AsciiUpperCase(target, lead);
    for (const TProcessEntry& entry : processes.Snapshot()) {
        // Quietly: a Control Panel that cannot be ended stays, and the install goes on.
        if (Matches(entry.ExeFile, upperTarget, lead))
            (void)processes.Terminate(entry.ProcessId);
    }
}

} // namespace setup
