// The whole install work, in one ordered pass, with its failure groups.
#pragma once

#include "install/Registry.h"
#include "platform/FileSystem.h"
#include "platform/Processes.h"
#include "platform/Registry.h"
#include "platform/Resources.h"
#include "platform/ShellLinks.h"

#include <memory>
#include <string>
#include <vector>

namespace setup {

// The platform services the install uses.
struct TInstallPlatform {
    IRegistry& Registry;
    IFileSystem& Files;
    IResources& Resources;
    IProcesses& Processes;
    IShellLinks& Links;
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

// One error met by a run: swallowed by its group, or the one that ended the run.
struct TInstallFailure {
    int Step = 0;
    std::string Subject; // the file, folder or value concerned
    std::string Message;
};

class TInstallSequence {
public:
    TInstallSequence(TInstallPlatform platform, IInstallHost& host)
        : Platform(platform), Host(host) {}

    // Runs every step while accessor is held; the last step releases it. An unprotected
    // failure is recorded and raised to the caller, leaving the accessor held.
    void Run(std::unique_ptr<TRegistry>& accessor);

    const std::vector<TInstallFailure>& Failures() const { return FailureList; }
    const std::string& SystemRoot() const { return SystemRootText; }

private:
    void RunSteps(TRegistry& registry);
    void GroupA(TRegistry& registry);
    void StartupValue(TRegistry& registry);
    void UninstallValues(TRegistry& registry);
    void GroupB();
    void WriteGroupPayload(int step, const char* name, const std::string& path);
    void StartMenuGroup();
    void ReadSystemRoot(TRegistry& registry);
    std::string Destination() { return Host.DestinationFolder(); }
    void Record(int step, const std::string& subject, const std::exception& error);

    TInstallPlatform Platform;
    IInstallHost& Host;
    std::string SystemRootText;
    std::vector<TInstallFailure> FailureList;
    int Step = 0;
    std::string Subject;
};

// Quoted for a command line, so that a path with spaces cannot start another program.
std::string Quoted(const std::string& path);

// Creates path and any missing parents; existing folders and failures are passed over.
void CreateFolderTree(IFileSystem& files, const std::string& path);

} // namespace setup
