#include "pages/ProgressRules.h"
#include "platform/fake/FakeErrorTexts.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace setup;

namespace {

class FakePage : public IProgressPage {
public:
    int Value = 0;
    std::string Status = "C:\\Dest";
    std::string Destination = "C:\\Dest";
    bool TimerRunning = true;
    std::vector<std::string> Messages;
    int Terminations = 0;
    int Progress() override { return Value; }
    void SetProgress(int progress) override { Value = std::min(progress, 100); }
    std::string DestinationFolder() override { return Destination; }
    void SetStatus(const std::string& text) override { Status = text; }
    void StopTimer() override { TimerRunning = false; }
    void ShowMessage(const std::string& text) override { Messages.push_back(text); }
    void Terminate() override { ++Terminations; }
};

TEST(RandomGenerator, StartsWithTheKnownSteps) {
    TRandomGenerator random;
    std::vector<uint32_t> steps;
    for (int i = 0; i < 12; ++i)
        steps.push_back(random.Next(10));
    EXPECT_EQ(steps, (std::vector<uint32_t>{0, 0, 8, 2, 2, 6, 3, 1, 3, 4, 0, 4}));
}

TEST(ProgressTick, CaptionsChangeAtTheirTicksAndTheEndComesAtTick29) {
    TRandomGenerator random;
    FakePage page;
    FakeErrorTexts texts;
    std::vector<std::pair<int, std::string>> changes;
    std::string last = page.Status;
    int tick = 0;
    while (page.TimerRunning && tick < 100) {
        ++tick;
        ProgressTick(page, random, {}, texts);
        if (page.Status != last)
            changes.emplace_back(tick, last = page.Status);
    }
    EXPECT_EQ(changes, (std::vector<std::pair<int, std::string>>{{14, "C:\\Dest\\PalvorneLV.exe"},
                                                                 {17, "C:\\Dest\\Run.exe"},
                                                                 {19, "C:\\Dest\\Mpegdll.dll"},
                                                                 {22, "Update your system"}}));
    EXPECT_EQ(tick, 29);
    EXPECT_EQ(page.Value, 100);
    EXPECT_EQ(page.Messages, std::vector<std::string>{"Palvorne Lumivary Installation Completed"});
    EXPECT_EQ(page.Terminations, 1);
}

TEST(ProgressTick, CaptionsNameTheDestinationAsItIsNow) {
    TRandomGenerator random;
    FakePage page;
    FakeErrorTexts texts;
    page.Value = 40;
    page.Destination = "D:\\Other";
    ProgressTick(page, random, {}, texts);
    EXPECT_EQ(page.Status, "D:\\Other\\PalvorneLV.exe");
}

TEST(CompletionMessage, TellsTheTruthAboutFailures) {
    FakeErrorTexts texts;
    EXPECT_EQ(CompletionMessage({}, texts), "Palvorne Lumivary Installation Completed");
    const std::string text =
        CompletionMessage({{TInstallStep::WriteMainProgram, "C:\\D\\PalvorneLV.exe",
                            "Cannot create file C:\\D\\PalvorneLV.exe"},
                           {TInstallStep::RecordApplicationPath, "Palvorne Lumivary",
                            "Failed to set data for 'Palvorne Lumivary'"}},
                          texts);
    EXPECT_EQ(text, "Palvorne Lumivary Installation did not complete.\n"
                    "C:\\D\\PalvorneLV.exe: Cannot create file C:\\D\\PalvorneLV.exe\n"
                    "Palvorne Lumivary: Failed to set data for 'Palvorne Lumivary'");
}

TEST(CompletionMessage, NamesTheSystemsReasonForEachFailure) {
    FakeErrorTexts texts;
    texts.Texts[5] = "Access denied.\r\n"; // as the system words it, line break and all
    texts.Texts[0x80040154] = "Class not registered";
    const std::string text = CompletionMessage(
        {{TInstallStep::WriteRunner, "C:\\D\\Run.exe", "Cannot create file C:\\D\\Run.exe", 32},
         {TInstallStep::RecordApplicationPath, "Palvorne Lumivary",
          "Failed to set data for 'Palvorne Lumivary'", 5},
         {TInstallStep::WriteAudioLibrary, "C:\\D\\Mpegdll.dll", "Stream write error", 1234},
         {TInstallStep::CreateProgramShortcut, "C:\\M\\PalvorneLV.lnk", "Class not registered",
          0x80040154}},
        texts);
    EXPECT_EQ(text,
              "Palvorne Lumivary Installation did not complete.\n"
              "C:\\D\\Run.exe: Cannot create file C:\\D\\Run.exe: Sharing violation.\n"
              "Palvorne Lumivary: Failed to set data for 'Palvorne Lumivary': Access denied.\n"
              "C:\\D\\Mpegdll.dll: Stream write error: error 1234.\n"
              "C:\\M\\PalvorneLV.lnk: Class not registered");
}

} // namespace
