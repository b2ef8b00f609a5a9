#include "platform/win32/Win32Processes.h"
#include "install/ProcessTerminator.h"
#include "platform/PathText.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

namespace setup {
namespace {

// The runner stand-in, copied beside this program under a name nothing else uses.
const char RunnerName[] = "EngineTestRun.exe";

std::string RunnerPath() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    return ExtractFilePath(std::string(path, length)) + RunnerName;
}

// The runner's process identifier, 0 while none is listed.
uint32_t RunnerId(IProcesses& processes) {
    for (const TProcessEntry& entry : processes.Snapshot()) {
        if (AsciiUpperCase(ExtractFileName(entry.ExeFile)) == AsciiUpperCase(RunnerName))
            return entry.ProcessId;
    }
    return 0;
}

// Other tests may have a runner window of their own: only the one of processId counts.
bool HasRunnerWindow(uint32_t processId) {
    for (HWND window = nullptr;
         (window = FindWindowExA(nullptr, window, nullptr, "PalvorneRun1")) != nullptr;) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId)
            return true;
    }
    return false;
}

// Polls instead of sleeping a fixed time; false when the time is up.
template <typename Condition> bool WaitFor(Condition condition) {
    for (int tries = 0; tries < 200; ++tries) {
        if (condition())
            return true;
        Sleep(50);
    }
    return false;
}

TEST(Win32ProcessesTest, SnapshotListsThisProgram) {
    Win32Processes processes;
    const auto running = processes.Snapshot();
    const DWORD self = GetCurrentProcessId();
    EXPECT_TRUE(std::any_of(running.begin(), running.end(),
                            [&](const TProcessEntry& entry) { return entry.ProcessId == self; }));
}

TEST(Win32ProcessesTest, TerminatorEndsAStartedRunnerByItsBareName) {
    Win32Processes processes;
    ASSERT_TRUE(processes.StartHidden(RunnerPath()));
    uint32_t runner = 0;
    ASSERT_TRUE(WaitFor([&] { return (runner = RunnerId(processes)) != 0; }));
    ASSERT_TRUE(WaitFor([&] { return HasRunnerWindow(runner); }))
        << "the runner's window did not appear";
    EXPECT_FALSE(IsWindowVisible(FindWindowA(nullptr, "PalvorneRun1")));

    TerminateProcesses(processes, "enginetestrun.EXE");

    EXPECT_TRUE(WaitFor([&] { return RunnerId(processes) == 0; }));
    EXPECT_FALSE(HasRunnerWindow(runner));
}

TEST(Win32ProcessesTest, UnknownProcessCannotBeEndedAndBadCommandDoesNotStart) {
    Win32Processes processes;
    EXPECT_FALSE(processes.Terminate(0xFFFFFFF0u));
    EXPECT_FALSE(processes.StartHidden("C:\\no such folder\\nothing.exe"));
}

} // namespace
} // namespace setup
