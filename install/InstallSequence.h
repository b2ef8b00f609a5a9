// The whole install work, in one ordered pass, with its failure groups.
#pragma once

#include "base/PathText.h"
#include "base/Timing.h"
#include "install/PalvorneComp.h"
#include "install/RegistryAccessor.h"
#include "platform/ErrorTexts.h"
#include "platform/FileSystem.h"
#include "platform/Processes.h"
#include "platform/Registry.h"
#include "platform/Resources.h"
#include "platform/ShellLinks.h"

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace setup {

// The platform services the install uses.
struct TInstallPlatform {
    IRegistry& Registry;
    IFileSystem& Files;
    IResources& Resources;
    IProcesses& Processes;
    IShellLinks& Links;
    IErrorTexts& ErrorTexts; // the system's words for a failure the install raises
    TLeadBytes LeadBytes;    // of the system's code page: paths are walked by character
};

// What the install needs from the page that runs it.
class IInstallHost {
public:
    virtual ~IInstallHost() = default;
    // Read afresh at every step: the chooser may rewrite it at any time.
    virtual std::string DestinationFolder() = 0;
    virtual void ShowFolder(const std::string& text) = 0;
    virtual void StartTimer() = 0;
    virtual std::vector<std::string> ConfigurationLines() = 0;
};

// The install's steps in the order they run.
enum class TInstallStep {
    None,
    CreateDestination,     // the destination folder and its missing parents
    ShowDestination,       // on the progress page
    SelectMachineRoot,     // HKEY_LOCAL_MACHINE
    OpenWindowsKey,        // ...\currentversion, created when missing
    ReadSystemRoot,        // "systemroot", else the platform's Windows folder
    StartProgressTimer,    // its first tick comes after the install
    RecordApplicationPath, // \software\palvorne
    WriteConfiguration,    // config.ini
    RecordStartupValue,    // runServices
    RecordUninstallEntry,  // DisplayName and UninstallString
    BackUpLogoScreen,      // logos.sys to logos.old, once
    BackUpWaitScreen,      // logow.sys to logow.old, once
    EndControlPanel,       // running copies of control.exe
    WriteMainProgram,      // PalvorneLV.exe
    WriteUninstaller,      // Uninstall.exe
    WriteAudioLibrary,     // Mpegdll.dll
    WriteRunner,           // Run.exe
    WritePanelExtension,   // PLVCPL.cpl in the Windows folder's "system"
    ReadShellFolders,      // the Programs folder
    CreateStartMenuGroup,  // Palvorne\Lumivary
    CreateProgramShortcut, // PalvorneLV.lnk
    CreateUninstallShortcut,
    StartRunner,     // Run.exe, hidden
    ReleaseRegistry, // later activations find no accessor and do nothing
};

enum class TOutcome {
    Failed,  // the step failed: swallowed by its group, or the failure that ended the run
    Skipped, // a later step of the group of a failed step
    NotDone, // what never ran after the failure that ended the run; Message names it
};

// One thing a run did not do, in the order they happened.
struct TInstallFailure {
    TInstallStep Step = TInstallStep::None;
    std::string Subject; // the file, folder or value concerned
    std::string Message;
    uint32_t ErrorCode = 0; // the system's reason, 0 when it gave none
    TOutcome Outcome = TOutcome::Failed;
};

class TInstallSequence {
public:
    // The shell-folder texts the run reads are stored in folders.
    TInstallSequence(TInstallPlatform platform, IInstallHost& host, TShellFolders& folders)
        : Platform(platform), Host(host), ShellFolders(folders) {}

    // Runs every step while accessor is held; the last step releases it. An unprotected
    // failure is recorded and raised to the caller, leaving the accessor held.
    void Run(std::unique_ptr<TRegistry>& accessor);

    const std::vector<TInstallFailure>& Failures() const { return FailureList; }

private:
    void RunSteps(TRegistry& registry);
    // Each group protects the steps it names: a failure skips the rest of the group only.
    void PrepareFolderAndConfiguration(TRegistry& registry);
    void BackUpScreensAndWriteMainFiles();
    void BackUpScreen(TInstallStep step, const char* screen);
    void WritePayloadFile(TInstallStep step, const char* block, const std::string& path);
    // Unprotected: a failure ends the run.
    void RecordStartupValue(TRegistry& registry);
    void RecordUninstallEntry(TRegistry& registry);
    void CreateStartMenuGroup();
    void ReadSystemRoot(TRegistry& registry);
    void CreateFolder(const std::string& path);
    // The step now running (and its subject); the benchmark's timed image notes when it starts.
    void Enter(TInstallStep step) {
        SETUP_MARK_STEP(step);
        Step = step;
    }
    void Begin(TInstallStep step, const std::string& subject);
    std::string Destination() { return Host.DestinationFolder(); }
    // Runs steps; a failure they raise is recorded with its code. One that ends the run is
    // recorded with what never ran and raised on; any other is swallowed. False on a failure.
    template <typename Steps> bool Protect(Steps steps, bool endsRun = false);
    void Record(const std::exception& error, uint32_t code, bool endsRun);
    void Fail(TStatus status, const char* message);
    // After a failure in a group: each of its named steps later than the failed one.
    void SkipAfterFailure(std::initializer_list<std::pair<TInstallStep, std::string>> group);

    TInstallPlatform Platform;
    IInstallHost& Host;
    TShellFolders& ShellFolders;
    std::string SystemRoot;
    std::vector<TInstallFailure> FailureList;
    TInstallStep Step = TInstallStep::None;
    std::string Subject;
};

// Quoted for a command line, so that a path with spaces cannot start another program.
std::string Quoted(const std::string& path);

// Creates path and any missing parents; existing folders are passed over. Fails with the
// reason the first missing folder could not be made.
TStatus CreateFolderTree(IFileSystem& files, const std::string& path, TLeadBytes lead);

// Makes one folder; one that is there already is no failure.
TStatus MakeFolder(IFileSystem& files, const std::string& path, TLeadBytes lead);

// What never ran after a failure of step that ended the run ("the Start-menu shortcuts and
// the runner").
std::string NotDoneAfter(TInstallStep step);

} // namespace setup
