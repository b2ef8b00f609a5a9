#include "platform/win32/Win32Processes.h"

#include "win32/Handles.h"
#include "win32/SystemStatus.h"

#include <cstring>

namespace setup {

// The ANSI entry record, whose size field the snapshot functions check.
static_assert(sizeof(PROCESSENTRY32) == 296);

Win32Processes::Win32Processes(TKernelLookup lookup)
    : CreateSnapshot(
          FindKernelFunction<decltype(CreateSnapshot)>("CreateToolhelp32Snapshot", lookup)),
      FirstProcess(FindKernelFunction<decltype(FirstProcess)>("Process32First", lookup)),
      NextProcess(FindKernelFunction<decltype(NextProcess)>("Process32Next", lookup)) {}

std::vector<TProcessEntry> Win32Processes::Snapshot() {
    std::vector<TProcessEntry> entries;
    if (!CreateSnapshot || !FirstProcess || !NextProcess)
        return entries;
    const TFileHandle snapshot(CreateSnapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return entries;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = FirstProcess(snapshot.Get(), &entry); more;
         more = NextProcess(snapshot.Get(), &entry)) {
        const size_t length = strnlen(entry.szExeFile, sizeof entry.szExeFile);
        entries.push_back({entry.th32ProcessID, std::string(entry.szExeFile, length)});
    }
    return entries;
}

TStatus Win32Processes::Terminate(uint32_t processId) {
    const TKernelHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, processId));
    if (!process)
        return TStatus::Failure(GetLastError());
    return LastErrorStatus(TerminateProcess(process.Get(), 0));
}

TStatus Win32Processes::StartHidden(const std::string& commandLine) {
    // WinExec reports success with a value above 31, a failure with a code of its own whose
    // values 2, 3 and 11 are the system's codes for the same reasons; 0 means no memory.
    const UINT result = WinExec(commandLine.c_str(), SW_HIDE);
    if (result > 31)
        return {};
    return TStatus::Failure(result == 0 ? ERROR_NOT_ENOUGH_MEMORY : result);
}

} // namespace setup
