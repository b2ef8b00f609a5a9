#include "install/InstallSequence.h"

#include "base/Exceptions.h"
#include "install/DefaultConfiguration.h"
#include "install/PayloadCatalogue.h"
#include "install/ProcessTerminator.h"
#include "install/SafeFile.h"

#include <tuple>

namespace setup {
namespace {

const char* const WindowsKey = "\\software\\microsoft\\windows\\currentversion";
const char* const MakerKey = "\\software\\palvorne";
const char* const StartupKey = "\\software\\microsoft\\windows\\currentversion\\runServices";
const char* const UninstallKey =
    "\\software\\microsoft\\windows\\currentversion\\Uninstall\\PalvorneLumivary";

} // namespace

std::string Quoted(const std::string& path) {
    return "\"" + path + "\"";
}

TStatus MakeFolder(IFileSystem& files, const std::string& path, TLeadBytes lead) {
    const TStatus made = files.MakeDirectory(path);
    return made || files.DirectoryExists(WithoutClosingSeparators(path, lead)) ? TStatus() : made;
}

TStatus CreateFolderTree(IFileSystem& files, const std::string& path, TLeadBytes lead) {
    const std::string folder = WithoutClosingSeparators(path, lead);
    // A colon is never a second byte: "C:" ends the walk up.
    if (folder.empty() || folder.back() == ':' || files.DirectoryExists(folder))
        return {};
    const size_t slash = LastSeparator(folder, lead);
    if (slash != std::string::npos && slash > 0)
        if (const TStatus parent = CreateFolderTree(files, folder.substr(0, slash), lead); !parent)
            return parent;
    return MakeFolder(files, folder, lead);
}

std::string NotDoneAfter(TInstallStep step) {
    std::vector<const char*> parts;
    const auto add = [&](TInstallStep first, const char* what) {
        if (step < first)
            parts.push_back(what);
    };
    add(TInstallStep::RecordUninstallEntry, "the uninstall entry");
    add(TInstallStep::BackUpLogoScreen, "the boot-screen backups");
    add(TInstallStep::WriteMainProgram, "the program files");
    add(TInstallStep::CreateProgramShortcut, "the Start-menu shortcuts");
    if (step == TInstallStep::CreateProgramShortcut)
        parts.push_back("the uninstall shortcut");
    add(TInstallStep::StartRunner, "the runner");
    std::string text;
    for (size_t i = 0; i < parts.size(); ++i)
        text += (i == 0 ? "" : i + 1 == parts.size() ? " and " : ", ") + std::string(parts[i]);
    return text;
}

void TInstallSequence::Begin(TInstallStep step, const std::string& subject) {
    Enter(step);
    Subject = subject;
}

// The installer's own failures carry the system's code; others (memory running out) none.
// Caught apart, since Setup.exe has no runtime type information to ask with.
template <typename Steps> bool TInstallSequence::Protect(Steps steps, bool endsRun) {
    try {
        steps();
        return true;
    } catch (const Exception& error) {
        Record(error, error.ErrorCode(), endsRun);
        if (endsRun)
            throw;
    } catch (const std::exception& error) {
        Record(error, 0, endsRun);
        if (endsRun)
            throw;
    }
    return false;
}

void TInstallSequence::Record(const std::exception& error, uint32_t code, bool endsRun) {
    FailureList.push_back({Step, Subject, error.what(), code});
    if (endsRun)
        FailureList.push_back({Step, {}, NotDoneAfter(Step), 0, TOutcome::NotDone});
}

void TInstallSequence::Fail(TStatus status, const char* message) {
    FailureList.push_back({Step, Subject, message, status.ErrorCode()});
}

void TInstallSequence::SkipAfterFailure(
    std::initializer_list<std::pair<TInstallStep, std::string>> group) {
    for (const auto& [step, subject] : group)
        if (step > Step)
            FailureList.push_back({step, subject, {}, 0, TOutcome::Skipped});
}

void TInstallSequence::Run(std::unique_ptr<TRegistry>& accessor) {
    if (!accessor)
        return;
    FailureList.clear();
    Protect([&] { RunSteps(*accessor); }, true);
    Step = TInstallStep::ReleaseRegistry;
    accessor.reset();
}

void TInstallSequence::RunSteps(TRegistry& registry) {
    PrepareFolderAndConfiguration(registry);
    RecordStartupValue(registry);
    RecordUninstallEntry(registry);
    BackUpScreensAndWriteMainFiles();
    WritePayloadFile(TInstallStep::WriteAudioLibrary, "mpegdll", Destination() + "\\Mpegdll.dll");
    WritePayloadFile(TInstallStep::WriteRunner, "RUN", Destination() + "\\Run.exe");
    WritePayloadFile(TInstallStep::WritePanelExtension, "PLVCPL",
                     SystemRoot + "\\system\\PLVCPL.cpl");
    CreateStartMenuGroup();
    Begin(TInstallStep::StartRunner, Destination() + "\\Run.exe");
    if (const TStatus started = Platform.Processes.StartHidden(Quoted(Subject)); !started)
        Fail(started, "Cannot start program");
    SETUP_MARK(RunnerStartedTime);
}

// NT-family systems keep no such value, and one that cannot be read is no better: the platform's
// Windows folder stands in for both (a failed read still ends its group).
void TInstallSequence::ReadSystemRoot(TRegistry& registry) {
    TResult<std::string> windows = Platform.Files.WindowsDirectory();
    SystemRoot = windows ? std::move(*windows) : std::string();
    if (std::string stored = registry.ReadString("systemroot"); !stored.empty())
        SystemRoot = std::move(stored);
}

void TInstallSequence::PrepareFolderAndConfiguration(TRegistry& registry) {
    const bool done = Protect([&] {
        Begin(TInstallStep::CreateDestination, Destination());
        // A folder that cannot be made fails each file written into it as well.
        if (const TStatus made = CreateFolderTree(Platform.Files, Subject, Platform.LeadBytes);
            !made)
            Fail(made, "Cannot create folder");
        Enter(TInstallStep::ShowDestination);
        Host.ShowFolder(Destination());
        Enter(TInstallStep::SelectMachineRoot);
        registry.SetRootKey(TRootKey::LocalMachine);
        Enter(TInstallStep::OpenWindowsKey);
        registry.OpenKey(WindowsKey, true, TKeyAccess::Read);
        Begin(TInstallStep::ReadSystemRoot, "systemroot");
        ReadSystemRoot(registry);
        Enter(TInstallStep::StartProgressTimer);
        Host.StartTimer();
        Begin(TInstallStep::RecordApplicationPath, "Palvorne Lumivary");
        registry.OpenKey(MakerKey, true);
        registry.WriteString(Subject, Destination() + "\\PalvorneLV.exe");
        Begin(TInstallStep::WriteConfiguration, Destination() + "\\config.ini");
        WriteConfiguration(Platform.Files, Subject, Host.ConfigurationLines());
    });
    if (!done)
        SkipAfterFailure({{TInstallStep::RecordApplicationPath, "Palvorne Lumivary"},
                          {TInstallStep::WriteConfiguration, Destination() + "\\config.ini"}});
}

void TInstallSequence::RecordStartupValue(TRegistry& registry) {
    Begin(TInstallStep::RecordStartupValue, "PalvorneLumivary");
    registry.SetRootKey(TRootKey::LocalMachine);
    registry.OpenKey(StartupKey, true);
    registry.WriteString(Subject, Quoted(Destination() + "\\run.exe") + " /P");
}

void TInstallSequence::RecordUninstallEntry(TRegistry& registry) {
    Begin(TInstallStep::RecordUninstallEntry, UninstallKey);
    registry.SetRootKey(TRootKey::LocalMachine);
    registry.CreateKey(UninstallKey);
    registry.OpenKey(UninstallKey, true);
    Subject = "DisplayName";
    registry.WriteString(Subject, "Palvorne Lumivary 2000 Tessaline");
    Subject = "UninstallString";
    registry.WriteString(Subject, Quoted(Destination() + "\\Uninstall.exe"));
}

void TInstallSequence::BackUpScreensAndWriteMainFiles() {
    const bool done = Protect([&] {
        BackUpScreen(TInstallStep::BackUpLogoScreen, "logos");
        BackUpScreen(TInstallStep::BackUpWaitScreen, "logow");
        Enter(TInstallStep::EndControlPanel);
        TerminateProcesses(Platform.Processes, SystemRoot + "\\control.exe", Platform.LeadBytes);
        Begin(TInstallStep::WriteMainProgram, Destination() + "\\PalvorneLV.exe");
        WritePayload(Platform.Resources, Platform.Files, "PLV", Subject);
        Begin(TInstallStep::WriteUninstaller, Destination() + "\\Uninstall.exe");
        WritePayload(Platform.Resources, Platform.Files, "Uninstall", Subject);
    });
    if (!done)
        SkipAfterFailure({{TInstallStep::WriteMainProgram, Destination() + "\\PalvorneLV.exe"},
                          {TInstallStep::WriteUninstaller, Destination() + "\\Uninstall.exe"}});
}

// A failed backup is told but does not end its group; a missing screen (none on NT-family
// systems) is nothing to back up.
void TInstallSequence::BackUpScreen(TInstallStep step, const char* screen) {
    Begin(step, SystemRoot + "\\" + screen + ".old");
    const std::string source = SystemRoot + "\\" + screen + ".sys";
    // The first backup holds the user's own screen: never overwrite it.
    if (Platform.Files.FileExists(Subject) || !Platform.Files.FileExists(source))
        return;
    if (const TStatus copied = CopyFileSafely(Platform.Files, source, Subject); !copied)
        Fail(copied, "Cannot create file");
}

void TInstallSequence::WritePayloadFile(TInstallStep step, const char* block,
                                        const std::string& path) {
    Protect([&] {
        Begin(step, path);
        WritePayload(Platform.Resources, Platform.Files, block, path);
    });
}

void TInstallSequence::CreateStartMenuGroup() {
    Begin(TInstallStep::ReadShellFolders, "Shell Folders");
    ShellFolders = setup::ReadShellFolders(Platform.Registry);
    const std::string& programs = ShellFolders.Programs;
    CreateFolder(programs + "\\Palvorne\\");
    CreateFolder(programs + "\\Palvorne\\Lumivary");
    const std::string group = programs + "\\Palvorne\\Lumivary\\";
    for (const auto& [step, name, target] :
         {std::tuple(TInstallStep::CreateProgramShortcut, "PalvorneLV.lnk", "\\PalvorneLV.exe"),
          std::tuple(TInstallStep::CreateUninstallShortcut, "Uninstall.lnk", "\\Uninstall.exe")}) {
        Begin(step, group + name);
        if (const TStatus saved = CreateShortcut(Platform.Links, Platform.ErrorTexts, group, name,
                                                 Destination() + target, Platform.LeadBytes);
            !saved)
            Fail(saved, "Cannot save shortcut");
    }
}

// One level of the Start-menu group; one that is there already (a second install) is fine.
void TInstallSequence::CreateFolder(const std::string& path) {
    Begin(TInstallStep::CreateStartMenuGroup, path);
    if (const TStatus made = MakeFolder(Platform.Files, path, Platform.LeadBytes); !made)
        Fail(made, "Cannot create folder");
}

} // namespace setup
