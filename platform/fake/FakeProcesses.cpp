#include "platform/fake/FakeProcesses.h"

#include <algorithm>

namespace setup {

std::vector<TProcessEntry> FakeProcesses::Snapshot() {
    return SnapshotFails ? std::vector<TProcessEntry>{} : Running;
}

bool FakeProcesses::Terminate(uint32_t processId) {
    Terminated.push_back(processId);
    if (Unstoppable.count(processId))
        return false;
    return std::erase_if(Running, [&](const TProcessEntry& entry) {
               return entry.ProcessId == processId;
           }) > 0;
}

bool FakeProcesses::StartHidden(const std::string& commandLine) {
    Started.push_back(commandLine);
    return !StartFails;
}

} // namespace setup
