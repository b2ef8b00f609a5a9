#include "pages/ProgressRules.h"
#include "base/Exceptions.h"
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
    bool MessageFails = false;     // the box cannot be made
    bool DestinationFails = false; // the destination page cannot be read
    bool EndFails = false;         // the error display cannot be shown either
    std::vector<std::string> Messages;
    int Terminations = 0;
    std::vector<std::string> Failures; // what ended the program with a failure
    int Height = 480;
    int Progress() override { return Value; }
    void SetProgress(int progress) override { Value = std::min(progress, 100); }
    std::string DestinationFolder() override {
        if (DestinationFails)
            throw Exception("Cannot read the destination");
        return Destination;
    }
    void SetStatus(const std::string& text) override { Status = text; }
    void StopTimer() override { TimerRunning = false; }
    void ShowMessage(const std::string& text) override {
        if (MessageFails)
            throw Exception("Cannot create window Setup", 8);
        Messages.push_back(text);
    }
    void Terminate() override { ++Terminations; }
    void EndWithFailure(const std::exception& error) override {
        Failures.push_back(error.what());
        if (EndFails)
            throw Exception("Cannot create window Setup", 8);
    }
    int ScreenHeight() override { return Height; }
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
        ProgressTick(page, random, {}, texts, TLeadBytes());
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

// A tick that lands on a threshold changes nothing; one above it does.
TEST(ProgressTick, EachCaptionAndTheEndComeOneAboveTheirThreshold) {
    const struct {
        int Progress;
        const char* Status;
        bool Ends;
    } cases[] = {
        {35, "C:\\Dest", false},
        {36, "C:\\Dest\\PalvorneLV.exe", false},
        {45, "C:\\Dest\\PalvorneLV.exe", false},
        {46, "C:\\Dest\\Run.exe", false},
        {58, "C:\\Dest\\Run.exe", false},
        {59, "C:\\Dest\\Mpegdll.dll", false},
        {75, "C:\\Dest\\Mpegdll.dll", false},
        {76, "Update your system", false},
        {99, "Update your system", false},
        {100, "Update your system", true},
    };
    FakeErrorTexts texts;
    for (const auto& [progress, status, ends] : cases) {
        TRandomGenerator random; // its first step is 0: the tick lands on the row's progress
        FakePage page;
        page.Value = progress;
        ProgressTick(page, random, {}, texts, TLeadBytes());
        EXPECT_EQ(page.Value, progress);
        EXPECT_EQ(page.Status, status) << progress;
        EXPECT_EQ(page.TimerRunning, !ends) << progress;
        EXPECT_EQ(page.Messages.size(), ends ? 1u : 0u) << progress;
        EXPECT_EQ(page.Terminations, ends ? 1 : 0) << progress;
    }
}

// The timer is stopped by then: a closing message that cannot be shown must still end the
// program, and not as a success.
TEST(ProgressTick, AClosingMessageThatCannotBeShownEndsTheProgramWithAFailure) {
    TRandomGenerator random;
    FakePage page;
    FakeErrorTexts texts;
    page.Value = 100;
    page.MessageFails = true;
    ProgressTick(page, random, {}, texts, TLeadBytes());
    EXPECT_FALSE(page.TimerRunning);
    EXPECT_EQ(page.Terminations, 0);
    EXPECT_EQ(page.Failures, std::vector<std::string>{"Cannot create window Setup"});
}

// Whatever else fails ends the tick unseen, and the next one carries on.
TEST(ProgressTick, AFailingTickJustEnds) {
    TRandomGenerator random; // its first steps are 0: the progress stays
    FakePage page;
    FakeErrorTexts texts;
    page.Value = 40;
    page.DestinationFails = true;
    ProgressTick(page, random, {}, texts, TLeadBytes());
    EXPECT_EQ(page.Status, "C:\\Dest");
    page.DestinationFails = false;
    ProgressTick(page, random, {}, texts, TLeadBytes());
    EXPECT_EQ(page.Status, "C:\\Dest\\PalvorneLV.exe");

    // An end with a failure that fails too.
    page.Value = 100;
    page.MessageFails = true;
    page.EndFails = true;
    ProgressTick(page, random, {}, texts, TLeadBytes());
    EXPECT_FALSE(page.TimerRunning);
    EXPECT_EQ(page.Failures.size(), 1u);
    EXPECT_EQ(page.Terminations, 0);
}

TEST(ProgressTick, CaptionsNameTheDestinationAsItIsNow) {
    TRandomGenerator random;
    FakePage page;
    FakeErrorTexts texts;
    page.Value = 40;
    page.Destination = "D:\\Other";
    ProgressTick(page, random, {}, texts, TLeadBytes());
    EXPECT_EQ(page.Status, "D:\\Other\\PalvorneLV.exe");
}

TEST(CompletionMessage, TellsEachFailureOnceWithTheSystemsReason) {
    FakeErrorTexts texts;
    texts.Texts[5] = "Access denied.\r\n"; // as the system words it, line break and all
    texts.Texts[0x80040154] = "Class not registered";
    EXPECT_EQ(CompletionMessage({}, "C:\\D", texts, TLeadBytes()),
              "Palvorne Lumivary Installation Completed");
    const std::string text = CompletionMessage(
        {{TInstallStep::WriteRunner, "C:\\D\\Run.exe", "Cannot create file C:\\D\\Run.exe", 32},
         {TInstallStep::RecordApplicationPath, "Palvorne Lumivary",
          "Failed to set data for 'Palvorne Lumivary'", 5},
         {TInstallStep::WriteAudioLibrary, "C:\\D\\Mpegdll.dll", "Stream write error", 1234},
         {TInstallStep::WriteUninstaller, "C:\\D\\Uninstall.exe", {}, 0, TOutcome::Skipped},
         {TInstallStep::BackUpLogoScreen, "C:\\DOS\\logos.old", "Cannot create file"},
         {TInstallStep::CreateProgramShortcut, "C:\\M\\PalvorneLV.lnk", "Class not registered",
          0x80040154},
         {TInstallStep::CreateProgramShortcut,
          {},
          "the uninstall shortcut and the runner",
          0,
          TOutcome::NotDone}},
        "C:\\D", texts, TLeadBytes());
    EXPECT_EQ(text,
              "Palvorne Lumivary Installation did not complete.\n"
              "Folder: C:\\D\n"
              "Run.exe: Cannot create file: Sharing violation.\n"
              "Palvorne Lumivary: Failed to set data for 'Palvorne Lumivary': Access denied.\n"
              "Mpegdll.dll: Stream write error: error 1234.\n"
              "Uninstall.exe: skipped after the failure above.\n"
              "C:\\DOS\\logos.old: Cannot create file.\n"
              "C:\\M\\PalvorneLV.lnk: Class not registered.\n"
              "Not done after the failure above: the uninstall shortcut and the runner.");
}

// A failure the system gave no code for stays a failure, with no reason made up for it.
static_assert(!TStatus::Failure(0) && TStatus::Failure(0).ErrorCode() == 0);

// Every step failing in a 250-character folder: the box must still fit a 640 x 480 screen.
TEST(CompletionMessage, TheWorstCaseStaysShortInLinesAndNames) {
    FakeErrorTexts texts;
    texts.Texts[206] = "The filename or extension is too long.";
    const std::string dest = "C:\\" + std::string(246, 'x');
    std::vector<TInstallFailure> failures;
    for (const char* name : {"config.ini", "PalvorneLV.exe", "Uninstall.exe", "Mpegdll.dll",
                             "Run.exe", "config.ini", "PalvorneLV.exe", "Uninstall.exe",
                             "Mpegdll.dll", "Run.exe", "Run.exe", "Run.exe", "Run.exe"}) {
        const std::string path = dest + "\\" + std::string(40, 'n') + name;
        failures.push_back({TInstallStep::WriteRunner, path, "Cannot create file " + path, 206});
    }
    const std::string text = CompletionMessage(failures, dest, texts, TLeadBytes());
    std::vector<std::string> lines;
    for (size_t start = 0, end; start <= text.size(); start = end + 1) {
        end = std::min(text.find('\n', start), text.size());
        lines.push_back(text.substr(start, end - start));
    }
    ASSERT_EQ(lines.size(), 14u); // two, eleven failures and the rest counted
    EXPECT_EQ(lines[1], "Folder: C:\\xxxxxxxxxxxxxxxxx..." + std::string(37, 'x'));
    EXPECT_EQ(lines[13], "... and 2 more.");
    for (size_t i = 2; i < 13; ++i) {
        const std::string name = lines[i].substr(0, lines[i].find(": "));
        EXPECT_LE(name.size(), 60u) << lines[i];
        EXPECT_EQ(name.substr(0, 20), std::string(20, 'n')) << "relative to the folder";
        EXPECT_TRUE(
            lines[i].ends_with(": Cannot create file: The filename or extension is too long."))
            << lines[i];
    }
}

} // namespace

namespace {

// The closing message's lines follow the screen's height in layout units: 640 x 480 at 120 dpi
// is 384 units high.
TEST(CompletionMessage, HoldsFewerFailureLinesOnALowerScreen) {
    for (const auto& [height, lines] : std::vector<std::pair<int, size_t>>{
             {1200, 12}, {480, 12}, {479, 11}, {384, 8}, {200, 1}, {0, 1}})
        EXPECT_EQ(MostFailureLines(height), lines) << height;

    FakeErrorTexts texts;
    std::vector<TInstallFailure> failures(20, {TInstallStep::WriteRunner, "C:\\Dest\\Run.exe",
                                               "Cannot create file C:\\Dest\\Run.exe", 5});
    for (int height : {480, 384}) {
        FakePage page;
        page.Height = height;
        TRandomGenerator random;
        while (page.TimerRunning)
            ProgressTick(page, random, failures, texts, TLeadBytes());
        ASSERT_EQ(page.Messages.size(), 1u);
        const std::string& text = page.Messages[0];
        const size_t shown = MostFailureLines(height) - 1;
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2 + static_cast<long>(shown)) << text;
        EXPECT_TRUE(text.ends_with(Format("\n... and %zu more.", failures.size() - shown))) << text;
    }
}

} // namespace
