// Processes through Tool Help snapshots, OpenProcess/TerminateProcess and WinExec.
#pragma once

#include "platform/Processes.h"
#include "win32/SystemFunctions.h"

#include <tlhelp32.h>

namespace setup {

class Win32Processes : public IProcesses {
public:
    // Windows NT 4.0's kernel32 has no Tool Help functions: they are looked up here, and where
    // one is missing every snapshot is empty, as when a snapshot fails.
    explicit Win32Processes(TKernelLookup lookup = KernelFunction);

    std::vector<TProcessEntry> Snapshot() override;
    TStatus Terminate(uint32_t processId) override;
    TStatus StartHidden(const std::string& commandLine) override;

private:
    decltype(&CreateToolhelp32Snapshot) CreateSnapshot;
    decltype(&Process32First) FirstProcess;
    decltype(&Process32Next) NextProcess;
};

} // namespace setup
