#include "install/ProcessTerminator.h"
#include "platform/fake/FakeProcesses.h"

#include <gtest/gtest.h>

namespace setup {
namespace {

std::vector<uint32_t> Ended(std::vector<TProcessEntry> running, const std::string& target,
                            bool snapshotFails = false) {
    FakeProcesses processes;
    processes.Running = std::move(running);
    processes.SnapshotFails = snapshotFails;
    TerminateProcesses(processes, target, TLeadBytes());
    return processes.Terminated;
}

TEST(ProcessTerminatorTest, BareNameMatchesInAnyCaseAndAnyFolder) {
    EXPECT_EQ(Ended({{1, "control.exe"},
                     {2, "C:\\WINDOWS\\CONTROL.EXE"},
                     {3, "D:\\Other\\Control.Exe"},
                     {4, "A:control.exe"},
                     {5, "explorer.exe"}},
                    "CONTROL.exe"),
              (std::vector<uint32_t>{1, 2, 3, 4}));
}

TEST(ProcessTerminatorTest, FullPathMatchesOnlyTheSameRecordedPath) {
    const std::vector<TProcessEntry> running = {
        {1, "control.exe"}, {2, "c:\\windows\\control.exe"}, {3, "C:\\Other\\control.exe"}};
    EXPECT_EQ(Ended(running, "C:\\WINDOWS\\control.exe"), std::vector<uint32_t>{2});
    // Where only bare names are recorded, a full-path target ends nothing.
    EXPECT_TRUE(Ended({{1, "control.exe"}}, "C:\\WINDOWS\\control.exe").empty());
    // A missing system root leaves "\control.exe", which no bare name equals.
    EXPECT_TRUE(Ended({{1, "control.exe"}}, "\\control.exe").empty());
}

TEST(ProcessTerminatorTest, AFailedSnapshotEndsNothing) {
    for (const char* target : {"control.exe", "C:\\WINDOWS\\control.exe"})
        EXPECT_TRUE(Ended({{1, "C:\\WINDOWS\\control.exe"}}, target, true).empty()) << target;
}

TEST(ProcessTerminatorTest, NoTrimmingOrPartialMatches) {
    EXPECT_TRUE(Ended({{1, "control.exe "}, {2, "xcontrol.exe"}, {3, "control.ex"}}, "control.exe")
                    .empty());
}

TEST(ProcessTerminatorTest, UpperCasingTouchesOnlyAsciiLetters) {
    // 0xE9 and 0xC9 are one letter in two cases in the usual ANSI page: they must not meet.
    EXPECT_TRUE(Ended({{1, "caf\xE9.exe"}}, "CAF\xC9.EXE").empty());
    EXPECT_EQ(Ended({{1, "caf\xC9.exe"}}, "CAF\xC9.EXE"), std::vector<uint32_t>{1});
}

TEST(ProcessTerminatorTest, EveryMatchIsTriedEvenWhenOneCannotBeEnded) {
    FakeProcesses processes;
    processes.Running = {{7, "Run.exe"}, {8, "run.exe"}, {9, "RUN.EXE"}};
    processes.Unstoppable = {8};
    TerminateProcesses(processes, "run.exe", TLeadBytes());
    EXPECT_EQ(processes.Terminated, (std::vector<uint32_t>{7, 8, 9}));
    ASSERT_EQ(processes.Running.size(), 1u);
    EXPECT_EQ(processes.Running[0].ProcessId, 8u);
}

} // namespace
} // namespace setup
