#include "platform/win32/Win32Processes.h"
#include "base/PathText.h"
#include "install/ProcessTerminator.h"
#include "platform/win32/Win32CodePage.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string_view>

namespace setup {
namespace {

// The runner stand-in, copied beside this program under a name nothing else uses.
const char RunnerName[] = "EngineTestRun.exe";

std::string RunnerPath(const char* name = RunnerName) {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    return ExtractFilePath(std::string(path, length), AnsiLeadBytes()) + name;
}

// The runner's process identifier, 0 while none is listed.
uint32_t RunnerId(IProcesses& processes, const char* name = RunnerName) {
    const TLeadBytes lead = AnsiLeadBytes();
    for (const TProcessEntry& entry : processes.Snapshot()) {
        if (AsciiUpperCase(ExtractFileName(entry.ExeFile, lead), lead) ==
            AsciiUpperCase(name, lead))
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

    TerminateProcesses(processes, "enginetestrun.EXE", AnsiLeadBytes());

    EXPECT_TRUE(WaitFor([&] { return RunnerId(processes) == 0; }));
    EXPECT_FALSE(HasRunnerWindow(runner));
}

// A system whose kernel32 lacks one Tool Help function, as Windows NT 4.0's lacks all three.
const char* missingFunction = nullptr;

void* KernelFunctionExceptMissing(const char* name) {
    return std::string_view(name) == missingFunction ? nullptr : KernelFunction(name);
}

TEST(Win32ProcessesTest, WithoutToolHelpNothingIsListedOrEnded) {
    // A runner of its own name: the test beside this one ends every runner it can see.
    const char name[] = "NoToolHelpRun.exe";
    ASSERT_TRUE(CopyFileA(RunnerPath().c_str(), RunnerPath(name).c_str(), FALSE));
    Win32Processes processes;
    ASSERT_TRUE(processes.StartHidden(RunnerPath(name)));
    uint32_t runner = 0;
    ASSERT_TRUE(WaitFor([&] { return (runner = RunnerId(processes, name)) != 0; }));
    for (const char* function : {"CreateToolhelp32Snapshot", "Process32First", "Process32Next"}) {
        missingFunction = function;
        Win32Processes withoutToolHelp(KernelFunctionExceptMissing);
        EXPECT_TRUE(withoutToolHelp.Snapshot().empty()) << function;
        TerminateProcesses(withoutToolHelp, name, AnsiLeadBytes());
        EXPECT_EQ(RunnerId(processes, name), runner) << function;
    }
    TerminateProcesses(processes, name, AnsiLeadBytes());
    EXPECT_TRUE(WaitFor([&] { return RunnerId(processes, name) == 0; }));
}

TEST(Win32ProcessesTest, UnknownProcessCannotBeEndedAndBadCommandDoesNotStart) {
    Win32Processes processes;
    EXPECT_FALSE(processes.Terminate(0xFFFFFFF0u));
    EXPECT_FALSE(processes.StartHidden("C:\\no such folder\\nothing.exe"));
}

} // namespace
} // namespace setup
