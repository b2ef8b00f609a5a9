#include "install/InstallSequence.h"

#include "install/DefaultConfiguration.h"
#include "install/PayloadCatalogue.h"
#include "install/ProcessTerminator.h"
#include "platform/Exceptions.h"
#include "shellutil/PalvorneComp.h"

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

void TInstallSequence::Record(int step, const std::string& subject, const std::exception& error) {
    FailureList.push_back({step, subject, error.what()});
}

void TInstallSequence::Run(std::unique_ptr<TRegistry>& accessor) {
    if (!accessor)
        return;
    FailureList.clear();
    try {
        RunSteps(*accessor);
    } catch (const std::exception& error) {
        Record(Step, Subject, error);
        throw;
    }
    // Step 24: later activations find no accessor and do nothing.
    accessor.reset();
}

void TInstallSequence::RunSteps(TRegistry& registry) {
    GroupA(registry);
    StartupValue(registry);
    UninstallValues(registry);
    GroupB();
    WriteGroupPayload(16, "mpegdll", Destination() + "\\Mpegdll.dll");
    WriteGroupPayload(17, "RUN", Destination() + "\\Run.exe");
    WriteGroupPayload(18, "PLVCPL", SystemRootText + "\\system\\PLVCPL.cpl");
    StartMenuGroup();
    Step = 23;
    Subject = Destination() + "\\Run.exe";
    Platform.Processes.StartHidden(Quoted(Subject));
}

void TInstallSequence::ReadSystemRoot(TRegistry& registry) {
    SystemRootText = registry.ReadString("systemroot");
    // NT-family systems keep no such value: use the platform's Windows folder.
    if (SystemRootText.empty())
        SystemRootText = Platform.Files.WindowsDirectory();
}

void TInstallSequence::GroupA(TRegistry& registry) {
    try {
        Step = 1;
        Subject = Destination();
        CreateFolderTree(Platform.Files, Subject);
        Step = 2;
        Host.ShowFolder(Destination());
        Step = 3;
        registry.SetRootKey(TRootKey::LocalMachine);
        Step = 4;
        registry.OpenKey(WindowsKey, true);
        Step = 5;
        Subject = "systemroot";
        ReadSystemRoot(registry);
        Step = 6;
        Host.StartTimer();
        Step = 7;
        Subject = "Palvorne Lumivary";
        registry.OpenKey(MakerKey, true);
        registry.WriteString(Subject, Destination() + "\\PalvorneLV.exe");
        Step = 8;
        Subject = Destination() + "\\config.ini";
        WriteConfiguration(Platform.Files, Subject, Host.ConfigurationLines());
    } catch (const std::exception& error) {
        Record(Step, Subject, error);
    }
}

void TInstallSequence::StartupValue(TRegistry& registry) {
    Step = 9;
    Subject = "PalvorneLumivary";
    registry.SetRootKey(TRootKey::LocalMachine);
    registry.OpenKey(StartupKey, true);
    registry.WriteString(Subject, Quoted(Destination() + "\\run.exe") + " /P");
}

void TInstallSequence::UninstallValues(TRegistry& registry) {
    Step = 10;
    Subject = UninstallKey;
    registry.SetRootKey(TRootKey::LocalMachine);
    registry.CreateKey(UninstallKey);
    registry.OpenKey(UninstallKey, true);
    Subject = "DisplayName";
    registry.WriteString(Subject, "Palvorne Lumivary 2000 Tessaline");
    Subject = "UninstallString";
    registry.WriteString(Subject, Quoted(Destination() + "\\Uninstall.exe"));
}

void TInstallSequence::GroupB() {
    try {
        // The first backups hold the user's own screens: never overwrite them.
        Step = 11;
        for (const char* screen : {"logos", "logow"}) {
            const std::string backup = SystemRootText + "\\" + screen + ".old";
            if (!Platform.Files.FileExists(backup))
                Platform.Files.CopyOver(SystemRootText + "\\" + screen + ".sys", backup);
            Step = 12;
        }
        Step = 13;
        TerminateProcesses(Platform.Processes, SystemRootText + "\\control.exe");
        Step = 14;
        Subject = Destination() + "\\PalvorneLV.exe";
        WritePayload(Platform.Resources, Platform.Files, "PLV", Subject);
        Step = 15;
        Subject = Destination() + "\\Uninstall.exe";
        WritePayload(Platform.Resources, Platform.Files, "Uninstall", Subject);
    } catch (const std::exception& error) {
        Record(Step, Subject, error);
    }
}

void TInstallSequence::WriteGroupPayload(int step, const char* name, const std::string& path) {
    try {
        Step = step;
        Subject = path;
        WritePayload(Platform.Resources, Platform.Files, name, path);
    } catch (const std::exception& error) {
        Record(step, path, error);
    }
}

void TInstallSequence::StartMenuGroup() {
    Step = 19;
    Subject = "Shell Folders";
    ReadShellFolders(Platform.Registry);
    Step = 20;
    const std::string programs = ShellFolders.Programs;
    Platform.Files.MakeDirectory(programs + "\\Palvorne\\");
    Platform.Files.MakeDirectory(programs + "\\Palvorne\\Lumivary");
    const std::string group = programs + "\\Palvorne\\Lumivary\\";
    Step = 21;
    Subject = group + "PalvorneLV.lnk";
    CreateShortcut(Platform.Links, group, "PalvorneLV.lnk", Destination() + "\\PalvorneLV.exe");
    Step = 22;
    Subject = group + "Uninstall.lnk";
    CreateShortcut(Platform.Links, group, "Uninstall.lnk", Destination() + "\\Uninstall.exe");
}

} // namespace setup
