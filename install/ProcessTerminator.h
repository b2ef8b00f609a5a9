// Ends every running copy of a program.
#pragma once

#include "base/PathText.h"
#include "platform/Processes.h"

#include <string>

namespace setup {

// Ends, with exit code 0, every process whose recorded executable matches target by file
// name or as a whole (ASCII letters outside double-byte characters compared without case).
// Failures are passed over.
void TerminateProcesses(IProcesses& processes, const std::string& target, TLeadBytes lead);

} // namespace setup
