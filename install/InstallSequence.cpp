#include "install/InstallSequence.h"

#include "install/DefaultConfiguration.h"
#include "install/PayloadCatalogue.h"
#include "install/ProcessTerminator.h"
#include "platform/Exceptions.h"

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

void CreateFolderTree(IFileSystem& files, const std::string& path) {
    std::string folder = path;
    while (folder.size() > 1 && folder.back() == '\\')
        folder.pop_back();
    if (folder.empty() || folder.back() == ':' || files.DirectoryExists(folder))
        return;
    const size_t slash = folder.find_last_of('\\');
    if (slash != std::string::npos && slash > 0)
        CreateFolderTree(files, folder.substr(0, slash));
    files.MakeDirectory(folder);
}

void TInstallSequence::Begin(TInstallStep step, const std::string& subject) {
    Step = step;
    Subject = subject;
}

void TInstallSequence::Record(const std::exception& error) {
    const auto* own = dynamic_cast<const Exception*>(&error);
    FailureList.push_back({Step, Subject, error.what(), own ? own->ErrorCode() : 0});
}

void TInstallSequence::Run(std::unique_ptr<TRegistry>& accessor) {
    if (!accessor)
        return;
    FailureList.clear();
    try {
        RunSteps(*accessor);
    } catch (const std::exception& error) {
        Record(error);
        throw;
    }
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
    Platform.Processes.StartHidden(Quoted(Subject));
}

void TInstallSequence::ReadSystemRoot(TRegistry& registry) {
    SystemRoot = registry.ReadString("systemroot");
    // NT-family systems keep no such value: use the platform's Windows folder.
    if (SystemRoot.empty())
        SystemRoot = Platform.Files.WindowsDirectory();
}

void TInstallSequence::PrepareFolderAndConfiguration(TRegistry& registry) {
    try {
        Begin(TInstallStep::CreateDestination, Destination());
        CreateFolderTree(Platform.Files, Subject);
        Step = TInstallStep::ShowDestination;
        Host.ShowFolder(Destination());
        Step = TInstallStep::SelectMachineRoot;
        registry.SetRootKey(TRootKey::LocalMachine);
        Step = TInstallStep::OpenWindowsKey;
        registry.OpenKey(WindowsKey, true, TKeyAccess::Read);
        Begin(TInstallStep::ReadSystemRoot, "systemroot");
        ReadSystemRoot(registry);
        Step = TInstallStep::StartProgressTimer;
        Host.StartTimer();
        Begin(TInstallStep::RecordApplicationPath, "Palvorne Lumivary");
        registry.OpenKey(MakerKey, true);
        registry.WriteString(Subject, Destination() + "\\PalvorneLV.exe");
        Begin(TInstallStep::WriteConfiguration, Destination() + "\\config.ini");
        WriteConfiguration(Platform.Files, Subject, Host.ConfigurationLines());
    } catch (const std::exception& error) {
        Record(error);
    }
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
    try {
        // The first backups hold the user's own screens: never overwrite them.
        Step = TInstallStep::BackUpLogoScreen;
        for (const char* screen : {"logos", "logow"}) {
            const std::string backup = SystemRoot + "\\" + screen + ".old";
            if (!Platform.Files.FileExists(backup))
                Platform.Files.CopyOver(SystemRoot + "\\" + screen + ".sys", backup);
            Step = TInstallStep::BackUpWaitScreen;
        }
        Step = TInstallStep::EndControlPanel;
        TerminateProcesses(Platform.Processes, SystemRoot + "\\control.exe");
        Begin(TInstallStep::WriteMainProgram, Destination() + "\\PalvorneLV.exe");
        WritePayload(Platform.Resources, Platform.Files, "PLV", Subject);
        Begin(TInstallStep::WriteUninstaller, Destination() + "\\Uninstall.exe");
        WritePayload(Platform.Resources, Platform.Files, "Uninstall", Subject);
    } catch (const std::exception& error) {
        Record(error);
    }
}

void TInstallSequence::WritePayloadFile(TInstallStep step, const char* block,
                                        const std::string& path) {
    try {
        Begin(step, path);
        WritePayload(Platform.Resources, Platform.Files, block, path);
    } catch (const std::exception& error) {
        Record(error);
    }
}

void TInstallSequence::CreateStartMenuGroup() {
    Begin(TInstallStep::ReadShellFolders, "Shell Folders");
    ShellFolders = setup::ReadShellFolders(Platform.Registry);
    Step = TInstallStep::CreateStartMenuGroup;
    const std::string& programs = ShellFolders.Programs;
    Platform.Files.MakeDirectory(programs + "\\Palvorne\\");
    Platform.Files.MakeDirectory(programs + "\\Palvorne\\Lumivary");
    const std::string group = programs + "\\Palvorne\\Lumivary\\";
    Begin(TInstallStep::CreateProgramShortcut, group + "PalvorneLV.lnk");
    CreateShortcut(Platform.Links, group, "PalvorneLV.lnk", Destination() + "\\PalvorneLV.exe");
    Begin(TInstallStep::CreateUninstallShortcut, group + "Uninstall.lnk");
    CreateShortcut(Platform.Links, group, "Uninstall.lnk", Destination() + "\\Uninstall.exe");
}

} // namespace setup
