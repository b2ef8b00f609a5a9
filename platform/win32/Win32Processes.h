// Processes through Toolhelp snapshots, OpenProcess/TerminateProcess and WinExec.
#pragma once

#include "platform/Processes.h"

namespace setup {

class Win32Processes : public IProcesses {
public:
    std::vector<TProcessEntry> Snapshot() override;
    TStatus Terminate(uint32_t processId) override;
    TStatus StartHidden(const std::string& commandLine) override;
};

} // namespace setup
