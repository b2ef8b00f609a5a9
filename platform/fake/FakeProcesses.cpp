#include "platform/fake/FakeProcesses.h"

#include <algorithm>

namespace setup {

std::vector<TProcessEntry> FakeProcesses::Snapshot() {
    return SnapshotFails ? std::vector<TProcessEntry>{} : Running;
}

TStatus FakeProcesses::Terminate(uint32_t processId) {
    Terminated.push_back(processId);
    if (Unstoppable.count(processId))
        return TStatus::Failure(ErrorAccessDenied);
    const auto ended = std::erase_if(
        Running, [&](const TProcessEntry& entry) { return entry.ProcessId == processId; });
    return ended ? TStatus() : TStatus::Failure(ErrorInvalidParameter);
}

TStatus FakeProcesses::StartHidden(const std::string& commandLine) {
    Started.push_back(commandLine);
    return StartFails ? TStatus::Failure(ErrorFileNotFound) : TStatus();
}

} // namespace setup
