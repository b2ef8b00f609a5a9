// Running processes, ending them, and starting programs.
#pragma once

#include "base/Status.h"

#include <cstdint>
#include <string>
#include <vector>

namespace setup {

struct TProcessEntry {
    uint32_t ProcessId = 0;
    std::string ExeFile; // as the platform records it: a bare name or a full path
};

class IProcesses {
public:
    virtual ~IProcesses() = default;
    // The running processes; empty when no snapshot can be taken.
    virtual std::vector<TProcessEntry> Snapshot() = 0;
    // Opens with the terminate right only and ends with exit code 0.
    virtual TStatus Terminate(uint32_t processId) = 0;
    // Starts a command line with its window hidden; does not wait.
    virtual TStatus StartHidden(const std::string& commandLine) = 0;
};

} // namespace setup
