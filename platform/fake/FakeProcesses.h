// A settable process list for the unit tests; terminations and starts are recorded.
#pragma once

#include "platform/Processes.h"
#include "platform/fake/FakeErrors.h"

#include <set>
#include <string>
#include <vector>

namespace setup {

class FakeProcesses : public IProcesses {
public:
    std::vector<TProcessEntry> Snapshot() override;
    TStatus Terminate(uint32_t processId) override;
    TStatus StartHidden(const std::string& commandLine) override;

    std::vector<TProcessEntry> Running; // ended processes leave the list
    bool SnapshotFails = false;
    std::set<uint32_t> Unstoppable; // cannot be opened for termination
    bool StartFails = false;

    std::vector<uint32_t> Terminated; // every attempt, in order
    std::vector<std::string> Started; // every command line, in order
};

} // namespace setup
