#include "install/InstallSequence.h"
#include "base/Exceptions.h"
#include "install/DefaultConfiguration.h"
#include "install/PalvorneComp.h"
#include "platform/fake/FakeErrorTexts.h"
#include "platform/fake/FakeErrors.h"
#include "platform/fake/FakeFileSystem.h"
#include "platform/fake/FakeProcesses.h"
#include "platform/fake/FakeRegistry.h"
#include "platform/fake/FakeResources.h"
#include "platform/fake/FakeShellLinks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace setup;

namespace {

const std::string Dest = "C:\\Program Files\\Palvorne Lumivary";
const std::string WindowsKey = "software\\microsoft\\windows\\currentversion";
const std::string ShellKey = WindowsKey + "\\EXPLORER\\Shell Folders";
const std::string Programs = "C:\\WINDOWS\\Start Menu\\Programs";

class FakeHost : public IInstallHost {
public:
    std::string Destination = Dest;
    std::vector<std::string> Shown;
    int TimerStarts = 0;
    std::string DestinationFolder() override { return Destination; }
    void ShowFolder(const std::string& text) override { Shown.push_back(text); }
    void StartTimer() override { ++TimerStarts; }
    std::vector<std::string> ConfigurationLines() override { return DefaultConfigurationLines(); }
};

// A machine with all an install needs, as Windows 98 keeps it.
struct TFakeMachine {
    TFakeMachine() {
        registry.SetString(TRootKey::LocalMachine, WindowsKey, "systemroot", "C:\\WINDOWS");
        registry.SetString(TRootKey::CurrentUser, ShellKey, "Programs", Programs);
        files.WindowsFolder = "C:\\WINNT";
        files.AddDirectory("C:\\Program Files");
        files.AddDirectory("C:\\WINDOWS\\system");
        files.AddDirectory(Programs);
        files.AddDirectory("C:\\WINNT\\system");
        files.AddFile("C:\\WINDOWS\\logos.sys", "screen s");
        files.AddFile("C:\\WINDOWS\\logow.sys", "screen w");
        for (const char* name : {"PLV", "UNINSTALL", "MPEGDLL", "RUN", "PLVCPL"})
            resources.Add(name, std::string("block ") + name);
    }

    void Install() { sequence.Run(accessor); }

    FakeRegistry registry;
    FakeFileSystem files;
    FakeResources resources;
    FakeProcesses processes;
    FakeShellLinks links;
    FakeErrorTexts texts;
    FakeHost host;
    TShellFolders folders;
    TInstallSequence sequence{
        {registry, files, resources, processes, links, texts, TLeadBytes()}, host, folders};
    std::unique_ptr<TRegistry> accessor = std::make_unique<TRegistry>(registry);
};

class InstallSequenceTest : public ::testing::Test, protected TFakeMachine {
protected:
    std::string Value(const std::string& key, const std::string& name) {
        return registry.GetString(TRootKey::LocalMachine, key, name);
    }
};

// What the run told, one line each: the name, the message and the system's code; a skipped
// step; what an ended run never did.
std::vector<std::string> Told(const std::vector<TInstallFailure>& failures) {
    std::vector<std::string> lines;
    for (const TInstallFailure& failure : failures) {
        switch (failure.Outcome) {
        case TOutcome::Failed:
            lines.push_back(failure.Subject + ": " + failure.Message + " #" +
                            std::to_string(failure.ErrorCode));
            break;
        case TOutcome::Skipped:
            lines.push_back(failure.Subject + ": skipped");
            break;
        case TOutcome::NotDone:
            lines.push_back("not done: " + failure.Message);
            break;
        }
    }
    return lines;
}

TEST_F(InstallSequenceTest, DefaultInstallWritesEveryFileValueAndShortcut) {
    Install();
    EXPECT_TRUE(sequence.Failures().empty());
    EXPECT_EQ(files.Content(Dest + "\\PalvorneLV.exe"), "block PLV");
    EXPECT_EQ(files.Content(Dest + "\\Uninstall.exe"), "block UNINSTALL");
    EXPECT_EQ(files.Content(Dest + "\\Mpegdll.dll"), "block MPEGDLL");
    EXPECT_EQ(files.Content(Dest + "\\Run.exe"), "block RUN");
    EXPECT_EQ(files.Content("C:\\WINDOWS\\system\\PLVCPL.cpl"), "block PLVCPL");
    EXPECT_EQ(files.Content(Dest + "\\config.ini")->size(), 666u);
    EXPECT_EQ(files.Content("C:\\WINDOWS\\logos.old"), "screen s");
    EXPECT_EQ(files.Content("C:\\WINDOWS\\logow.old"), "screen w");

    EXPECT_EQ(Value("software\\palvorne", "Palvorne Lumivary"), Dest + "\\PalvorneLV.exe");
    // Quoted, so that "C:\Program.exe" can never be what starts.
    EXPECT_EQ(Value(WindowsKey + "\\runServices", "PalvorneLumivary"),
              "\"" + Dest + "\\run.exe\" /P");
    const std::string uninstall = WindowsKey + "\\Uninstall\\PalvorneLumivary";
    EXPECT_EQ(Value(uninstall, "DisplayName"), "Palvorne Lumivary 2000 Tessaline");
    EXPECT_EQ(Value(uninstall, "UninstallString"), "\"" + Dest + "\\Uninstall.exe\"");

    ASSERT_EQ(links.Links.size(), 2u);
    EXPECT_EQ(links.Links[0].File, Programs + "\\Palvorne\\Lumivary\\PalvorneLV.lnk");
    EXPECT_EQ(links.Links[0].Link.Path, Dest + "\\PalvorneLV.exe");
    EXPECT_EQ(links.Links[1].File, Programs + "\\Palvorne\\Lumivary\\Uninstall.lnk");
    EXPECT_TRUE(files.DirectoryExists(Programs + "\\Palvorne\\Lumivary"));

    EXPECT_EQ(processes.Started, std::vector<std::string>{"\"" + Dest + "\\Run.exe\""});
    EXPECT_EQ(host.Shown, std::vector<std::string>{Dest});
    EXPECT_EQ(host.TimerStarts, 1);
    EXPECT_EQ(accessor, nullptr);
}

TEST_F(InstallSequenceTest, WritesFilesInStepOrder) {
    Install();
    std::vector<std::string> written;
    for (const std::string& entry : files.Log)
        if (entry.rfind("MoveOver", 0) == 0 || entry.rfind("CopyOver", 0) == 0)
            written.push_back(entry.substr(entry.find_last_of('\\') + 1));
    EXPECT_EQ(written,
              (std::vector<std::string>{"config.ini", "logos.old.tmp", "logos.old", "logow.old.tmp",
                                        "logow.old", "PalvorneLV.exe", "Uninstall.exe",
                                        "Mpegdll.dll", "Run.exe", "PLVCPL.cpl"}));
}

TEST_F(InstallSequenceTest, FailureInAGroupSkipsOnlyTheRestOfThatGroup) {
    files.OpenFiles.insert(Dest + "\\PalvorneLV.exe");
    files.AddDirectory(Dest);
    files.AddFile(Dest + "\\PalvorneLV.exe", "running");
    Install();
    EXPECT_EQ(files.Content(Dest + "\\PalvorneLV.exe"), "running");
    EXPECT_FALSE(files.Content(Dest + "\\Uninstall.exe")); // same group B
    EXPECT_TRUE(files.Content(Dest + "\\Mpegdll.dll"));
    EXPECT_TRUE(files.Content(Dest + "\\Run.exe"));
    EXPECT_TRUE(files.Content("C:\\WINDOWS\\system\\PLVCPL.cpl"));
    EXPECT_EQ(links.Links.size(), 2u);
    ASSERT_EQ(sequence.Failures().size(), 2u);
    EXPECT_EQ(sequence.Failures()[1].Outcome, TOutcome::Skipped);
    EXPECT_EQ(sequence.Failures()[0].Step, TInstallStep::WriteMainProgram);
    EXPECT_EQ(sequence.Failures()[0].Subject, Dest + "\\PalvorneLV.exe");
    EXPECT_EQ(sequence.Failures()[0].Message, "Cannot create file " + Dest + "\\PalvorneLV.exe");
}

TEST_F(InstallSequenceTest, MissingBlockIsRecordedAndOtherGroupsRun) {
    FakeResources partial;
    for (const char* name : {"PLV", "UNINSTALL", "RUN", "PLVCPL"})
        partial.Add(name, "x");
    TInstallSequence other{
        {registry, files, partial, processes, links, texts, TLeadBytes()}, host, folders};
    other.Run(accessor);
    ASSERT_EQ(other.Failures().size(), 1u);
    EXPECT_EQ(other.Failures()[0].Message, "Resource mpegdll not found");
    EXPECT_TRUE(files.Content(Dest + "\\Run.exe"));
}

TEST_F(InstallSequenceTest, FailedOpenNeverWritesIntoTheKeyOpenedBefore) {
    registry.UncreatableKeys.insert("HKLM\\software\\palvorne");
    Install();
    EXPECT_EQ(Value(WindowsKey, "Palvorne Lumivary"), "<missing>");
    EXPECT_FALSE(files.Content(Dest + "\\config.ini"));
    ASSERT_EQ(sequence.Failures().size(), 2u);
    EXPECT_EQ(sequence.Failures()[0].Step, TInstallStep::RecordApplicationPath);
}

TEST_F(InstallSequenceTest, UnprotectedFailureEndsTheRunAndKeepsTheAccessor) {
    registry.UnwritableValues.insert("UninstallString");
    EXPECT_THROW(
        {
            try {
                Install();
            } catch (const ERegistryException& e) {
                EXPECT_STREQ(e.what(), "Failed to set data for 'UninstallString'");
                throw;
            }
        },
        ERegistryException);
    EXPECT_FALSE(files.Content(Dest + "\\PalvorneLV.exe"));
    EXPECT_TRUE(processes.Started.empty());
    EXPECT_EQ(host.TimerStarts, 1); // the animation still runs
    ASSERT_NE(accessor, nullptr);
    ASSERT_EQ(sequence.Failures().size(), 2u);
    EXPECT_EQ(sequence.Failures()[0].Step, TInstallStep::RecordUninstallEntry);

    // A re-activation runs again from the start and now completes.
    registry.UnwritableValues.clear();
    Install();
    EXPECT_TRUE(sequence.Failures().empty());
    EXPECT_TRUE(files.Content(Dest + "\\PalvorneLV.exe"));
    EXPECT_EQ(accessor, nullptr);
}

TEST_F(InstallSequenceTest, LaterActivationsDoNothingOnceTheRunEnded) {
    Install();
    const size_t fileCalls = files.Log.size();
    const size_t registryCalls = registry.Log.size();
    Install();
    EXPECT_EQ(files.Log.size(), fileCalls);
    EXPECT_EQ(registry.Log.size(), registryCalls);
    EXPECT_EQ(host.TimerStarts, 1);
}

TEST_F(InstallSequenceTest, MissingOrEmptySystemRootFallsBackToTheWindowsFolder) {
    for (bool empty : {false, true}) {
        FakeRegistry fresh;
        if (empty)
            fresh.SetString(TRootKey::LocalMachine, WindowsKey, "systemroot", "");
        fresh.SetString(TRootKey::CurrentUser, ShellKey, "Programs", Programs);
        auto own = std::make_unique<TRegistry>(fresh);
        TInstallSequence run{
            {fresh, files, resources, processes, links, texts, TLeadBytes()}, host, folders};
        run.Run(own);
        EXPECT_TRUE(files.Content("C:\\WINNT\\system\\PLVCPL.cpl"));
        EXPECT_TRUE(run.Failures().empty());
        EXPECT_EQ(
            fresh.GetString(TRootKey::LocalMachine, "software\\palvorne", "Palvorne Lumivary"),
            Dest + "\\PalvorneLV.exe");
    }
}

TEST_F(InstallSequenceTest, SystemRootOfTheWrongTypeEndsGroupAAndTheWindowsFolderStandsIn) {
    registry.SetValue(TRootKey::LocalMachine, WindowsKey, "systemroot", REG_TYPE_DWORD,
                      std::string("\x01\0\0\0", 4));
    processes.Running = {{7, "C:\\WINNT\\control.exe"}};
    // The shell-folder reader trips over the same value and ends the run.
    EXPECT_THROW(Install(), ERegistryException);
    EXPECT_TRUE(files.Content("C:\\WINNT\\system\\PLVCPL.cpl"));
    EXPECT_EQ(processes.Terminated, std::vector<uint32_t>{7});
    EXPECT_EQ(host.TimerStarts, 0);
    EXPECT_FALSE(files.Content(Dest + "\\config.ini"));
    EXPECT_EQ(Value("software\\palvorne", "Palvorne Lumivary"), "<missing>");
    EXPECT_EQ(Value(WindowsKey + "\\runServices", "PalvorneLumivary"),
              "\"" + Dest + "\\run.exe\" /P");
    ASSERT_GE(sequence.Failures().size(), 2u);
    EXPECT_EQ(sequence.Failures()[0].Step, TInstallStep::ReadSystemRoot);
    EXPECT_EQ(sequence.Failures()[0].Message, "Invalid data type for 'systemroot'");
    EXPECT_EQ(sequence.Failures().back().Step, TInstallStep::ReadShellFolders);
    EXPECT_TRUE(links.Links.empty());
}

TEST_F(InstallSequenceTest, FirstBootScreenBackupsAreKept) {
    files.AddFile("C:\\WINDOWS\\logos.old", "the user's own screen");
    Install();
    EXPECT_EQ(files.Content("C:\\WINDOWS\\logos.old"), "the user's own screen");
    EXPECT_EQ(files.Content("C:\\WINDOWS\\logow.old"), "screen w");
}

TEST_F(InstallSequenceTest, MissingBootScreensAndEndedProcessesAreNoFailures) {
    FakeFileSystem bare;
    bare.AddDirectory("C:\\Program Files");
    bare.AddDirectory("C:\\WINDOWS\\system");
    bare.AddDirectory(Programs);
    processes.Running = {{7, "C:\\WINDOWS\\control.exe"}};
    processes.Unstoppable = {7};
    TInstallSequence run{
        {registry, bare, resources, processes, links, texts, TLeadBytes()}, host, folders};
    run.Run(accessor);
    EXPECT_TRUE(run.Failures().empty());
    EXPECT_EQ(processes.Terminated, std::vector<uint32_t>{7});
}

TEST_F(InstallSequenceTest, NestedNewDestinationIsCreatedWithItsParents) {
    host.Destination = "D:\\Apps\\Palvorne\\Lumivary";
    Install();
    EXPECT_TRUE(sequence.Failures().empty());
    EXPECT_TRUE(files.Content("D:\\Apps\\Palvorne\\Lumivary\\PalvorneLV.exe"));
}

TEST_F(InstallSequenceTest, DestinationIsReadAfreshAtEveryStep) {
    // The chooser can rewrite the folder while the install runs: here it changes while the
    // configuration is written, and every later step uses the new folder.
    class MovingHost : public FakeHost {
    public:
        std::vector<std::string> ConfigurationLines() override {
            Destination = "D:\\Moved";
            return FakeHost::ConfigurationLines();
        }
    } moving;
    files.AddDirectory("D:\\Moved");
    TInstallSequence run{
        {registry, files, resources, processes, links, texts, TLeadBytes()}, moving, folders};
    run.Run(accessor);
    EXPECT_TRUE(run.Failures().empty());
    EXPECT_EQ(moving.Shown, std::vector<std::string>{Dest});
    EXPECT_TRUE(files.Content(Dest + "\\config.ini"));
    EXPECT_EQ(Value(WindowsKey + "\\runServices", "PalvorneLumivary"), "\"D:\\Moved\\run.exe\" /P");
    for (const char* name : {"PalvorneLV.exe", "Uninstall.exe", "Mpegdll.dll", "Run.exe"}) {
        EXPECT_TRUE(files.Content(std::string("D:\\Moved\\") + name)) << name;
        EXPECT_FALSE(files.Content(Dest + "\\" + name)) << name;
    }
    ASSERT_EQ(links.Links.size(), 2u);
    EXPECT_EQ(links.Links[1].Link.Path, "D:\\Moved\\Uninstall.exe");
    EXPECT_EQ(processes.Started, std::vector<std::string>{"\"D:\\Moved\\Run.exe\""});
}

TEST_F(InstallSequenceTest, KeysOnlyReadAreOpenedForReading) {
    Install();
    const auto opened = [&](const std::string& key) {
        return std::find_if(
            registry.Log.begin(), registry.Log.end(),
            [&](const std::string& entry) { return entry.rfind("open " + key + " ", 0) == 0; });
    };
    const auto windows = opened("HKLM\\" + WindowsKey);
    ASSERT_NE(windows, registry.Log.end());
    EXPECT_NE(windows->find("(read)"), std::string::npos);
    const auto maker = opened("HKLM\\software\\palvorne");
    ASSERT_NE(maker, registry.Log.end());
    EXPECT_EQ(maker->find("(read)"), std::string::npos);
}

TEST_F(InstallSequenceTest, ShellLinkFailureEndsTheRunBeforeTheRunner) {
    links.InterfaceMissing = true;
    try {
        Install();
        FAIL() << "expected an error";
    } catch (const EIntfCastError& e) {
        EXPECT_STREQ(e.what(), "Interface not supported");
    }
    EXPECT_TRUE(processes.Started.empty());
    EXPECT_TRUE(files.Content(Dest + "\\Run.exe"));
    EXPECT_EQ(sequence.Failures().back().Step, TInstallStep::CreateProgramShortcut);
}

// The folders asked for, in order, as the program spelt them.
std::vector<std::string> FoldersMade(const FakeFileSystem& files) {
    std::vector<std::string> made;
    for (const std::string& entry : files.Log)
        if (entry.starts_with("MakeDirectory "))
            made.push_back(entry.substr(std::string("MakeDirectory ").size()));
    return made;
}

TEST(CreateFolderTree, MakesEachMissingParentOnceAndPassesOverExistingOnes) {
    FakeFileSystem files;
    files.AddDirectory("C:\\A");
    EXPECT_TRUE(CreateFolderTree(files, "C:\\A\\B\\C\\\\", TLeadBytes()));
    // Each once and without the closing backslashes, which the file system would forgive.
    EXPECT_EQ(FoldersMade(files), (std::vector<std::string>{"C:\\A\\B", "C:\\A\\B\\C"}));
    files.Log.clear();
    EXPECT_TRUE(CreateFolderTree(files, "C:\\A\\B\\C\\", TLeadBytes()));
    EXPECT_TRUE(FoldersMade(files).empty());
    files.UncreatableDirectories.insert("C:\\A\\X");
    const TStatus refused = CreateFolderTree(files, "C:\\A\\X\\Y", TLeadBytes());
    EXPECT_FALSE(refused);
    EXPECT_EQ(refused.ErrorCode(), ErrorAccessDenied);
    EXPECT_FALSE(files.DirectoryExists("C:\\A\\X\\Y"));
}

// The destination's files that the run did not write as the install writes them.
std::vector<std::string> Unwritten(const TFakeMachine& machine) {
    std::vector<std::string> names;
    const auto configuration = machine.files.Content(Dest + "\\config.ini");
    if (!configuration || configuration->size() != 666)
        names.push_back("config.ini");
    for (const auto& [name, block] : {std::pair{"PalvorneLV.exe", "PLV"},
                                      {"Uninstall.exe", "UNINSTALL"},
                                      {"Mpegdll.dll", "MPEGDLL"},
                                      {"Run.exe", "RUN"}})
        if (machine.files.Content(Dest + "\\" + name) != std::string("block ") + block)
            names.push_back(name);
    return names;
}

// Each failure the platform can meet, injected alone: everything the run tells of it, in order,
// what it did not write, whether it ended the run and whether the animation was started.
TEST(InstallFailures, EachIsToldWithWhatItSkippedOrLeftUndone) {
    const std::string Group = Programs + "\\Palvorne\\Lumivary\\";
    const std::string NotFound = " #" + std::to_string(ErrorPathNotFound);
    const std::string Denied = " #" + std::to_string(ErrorAccessDenied);
    const std::vector<std::string> MainFiles = {"PalvorneLV.exe", "Uninstall.exe", "Mpegdll.dll",
                                                "Run.exe"};
    const struct {
        const char* Name;
        std::function<void(TFakeMachine&)> Inject;
        std::vector<std::string> Told;
        std::vector<std::string> Unwritten = {};
        bool EndsTheRun = false;
        bool StartsTheTimer = true;
    } cases[] = {
        {"destination folder",
         [](TFakeMachine& m) { m.files.UncreatableDirectories.insert(Dest); },
         {Dest + ": Cannot create folder" + Denied,
          Dest + "\\config.ini: Cannot create file " + Dest + "\\config.ini" + NotFound,
          Dest + "\\PalvorneLV.exe: Cannot create file " + Dest + "\\PalvorneLV.exe" + NotFound,
          Dest + "\\Uninstall.exe: skipped",
          Dest + "\\Mpegdll.dll: Cannot create file " + Dest + "\\Mpegdll.dll" + NotFound,
          Dest + "\\Run.exe: Cannot create file " + Dest + "\\Run.exe" + NotFound},
         {"config.ini", "PalvorneLV.exe", "Uninstall.exe", "Mpegdll.dll", "Run.exe"}},
        {"configuration file",
         [](TFakeMachine& m) { m.files.UncreatableFiles.insert(Dest + "\\config.ini.tmp"); },
         {Dest + "\\config.ini: Cannot create file " + Dest + "\\config.ini" + Denied},
         {"config.ini"}},
        {"application path",
         [](TFakeMachine& m) { m.registry.UnwritableValues.insert("Palvorne Lumivary"); },
         {"Palvorne Lumivary: Failed to set data for 'Palvorne Lumivary'" + Denied,
          Dest + "\\config.ini: skipped"},
         {"config.ini"}},
        {"backup copy",
         [](TFakeMachine& m) { m.files.FailingCopies.insert("C:\\WINDOWS\\logos.sys"); },
         {"C:\\WINDOWS\\logos.old: Cannot create file" + Denied}},
        {"main program blocked by a folder",
         [](TFakeMachine& m) { m.files.AddDirectory(Dest + "\\PalvorneLV.exe"); },
         {Dest + "\\PalvorneLV.exe: Cannot create file " + Dest + "\\PalvorneLV.exe" + Denied,
          Dest + "\\Uninstall.exe: skipped"},
         {"PalvorneLV.exe", "Uninstall.exe"}},
        {"runner held open by a running copy",
         [](TFakeMachine& m) {
             m.files.AddFile(Dest + "\\Run.exe", "running");
             m.files.OpenFiles.insert(Dest + "\\Run.exe");
         },
         {Dest + "\\Run.exe: Cannot create file " + Dest + "\\Run.exe #" +
          std::to_string(ErrorSharingViolation)},
         {"Run.exe"}},
        {"Start-menu folder",
         [](TFakeMachine& m) { m.files.UncreatableDirectories.insert(Programs + "\\Palvorne"); },
         {Programs + "\\Palvorne\\: Cannot create folder" + Denied,
          Programs + "\\Palvorne\\Lumivary: Cannot create folder" + NotFound}},
        {"Start-menu folders of an earlier install",
         [&](TFakeMachine& m) { m.files.AddDirectory(Group); },
         {}},
        {"shortcut save",
         [&](TFakeMachine& m) { m.links.UnsavableFiles.insert(Group + "PalvorneLV.lnk"); },
         {Group + "PalvorneLV.lnk: Cannot save shortcut" + Denied}},
        {"runner start",
         [](TFakeMachine& m) { m.processes.StartFails = true; },
         {Dest + "\\Run.exe: Cannot start program #" + std::to_string(ErrorFileNotFound)}},
        {"Control Panel snapshot", [](TFakeMachine& m) { m.processes.SnapshotFails = true; }, {}},
        {"start-up value",
         [](TFakeMachine& m) { m.registry.UnwritableValues.insert("PalvorneLumivary"); },
         {"PalvorneLumivary: Failed to set data for 'PalvorneLumivary'" + Denied,
          "not done: the uninstall entry, the boot-screen backups, the program files, the "
          "Start-menu shortcuts and the runner"},
         MainFiles,
         true},
        // The platform's Windows folder stands in, as for a missing value.
        {"unreadable system root",
         [](TFakeMachine& m) { m.registry.UnreadableValues.insert("systemroot"); },
         {"systemroot: Failed to get data for 'systemroot'" + Denied, "Palvorne Lumivary: skipped",
          Dest + "\\config.ini: skipped",
          "Shell Folders: Failed to get data for 'systemroot'" + Denied,
          "not done: the Start-menu shortcuts and the runner"},
         {"config.ini"},
         true,
         false},
        {"uninstall key",
         [](TFakeMachine& m) {
             m.registry.UncreatableKeys.insert("HKLM\\" + WindowsKey +
                                               "\\uninstall\\palvornelumivary");
         },
         {"\\software\\microsoft\\windows\\currentversion\\Uninstall\\PalvorneLumivary: Failed to "
          "create key "
          "\\software\\microsoft\\windows\\currentversion\\Uninstall\\PalvorneLumivary" +
              Denied,
          "not done: the boot-screen backups, the program files, the Start-menu shortcuts and "
          "the runner"},
         MainFiles,
         true},
        {"shell-link interface",
         [](TFakeMachine& m) { m.links.InterfaceMissing = true; },
         {Group + "PalvorneLV.lnk: Interface not supported #0",
          "not done: the uninstall shortcut and the runner"},
         {},
         true},
        // Told in the system's words for the code, or by the code when it has none.
        {"shell-link class",
         [](TFakeMachine& m) {
             m.links.CreationError = 0x80040154;
             m.texts.Texts[0x80040154] = "Class not registered.";
         },
         {Group + "PalvorneLV.lnk: Class not registered. #2147746132",
          "not done: the uninstall shortcut and the runner"},
         {},
         true},
        {"shell-link object without COM",
         [](TFakeMachine& m) { m.links.CreationError = 0x800401F0; },
         {Group + "PalvorneLV.lnk: OLE error 800401f0 #2147746288",
          "not done: the uninstall shortcut and the runner"},
         {},
         true},
    };
    for (const auto& test : cases) {
        TFakeMachine machine;
        test.Inject(machine);
        bool ended = false;
        try {
            machine.Install();
        } catch (const std::exception&) {
            ended = true;
        }
        EXPECT_EQ(Told(machine.sequence.Failures()), test.Told) << test.Name;
        EXPECT_EQ(Unwritten(machine), test.Unwritten) << test.Name;
        EXPECT_EQ(ended, test.EndsTheRun) << test.Name;
        EXPECT_EQ(machine.host.TimerStarts, test.StartsTheTimer ? 1 : 0) << test.Name;
    }
}

// A backup cut short by a killed process stays a temporary file, which the next install
// replaces: the user's boot screen is never lost behind a partial backup.
TEST_F(InstallSequenceTest, ABackupCutShortNeverStandsAsTheBackup) {
    files.KilledWriting.emplace("C:\\WINDOWS\\logos.old.tmp", 3);
    EXPECT_THROW(Install(), TProcessKilled);
    EXPECT_FALSE(files.Content("C:\\WINDOWS\\logos.old"));
    EXPECT_EQ(files.Content("C:\\WINDOWS\\logos.old.tmp"), "scr");

    files.KilledWriting.reset();
    TInstallSequence next{
        {registry, files, resources, processes, links, texts, TLeadBytes()}, host, folders};
    auto own = std::make_unique<TRegistry>(registry);
    next.Run(own);
    EXPECT_TRUE(next.Failures().empty());
    EXPECT_EQ(files.Content("C:\\WINDOWS\\logos.old"), "screen s");
    EXPECT_FALSE(files.Content("C:\\WINDOWS\\logos.old.tmp"));
}

} // namespace
