// The maker's shell utilities: shell-folder texts and shortcut files.
#pragma once

#include "platform/Registry.h"
#include "platform/ShellLinks.h"

#include <string>

namespace setup {

// Program-wide folder texts, empty until ReadShellFolders runs.
struct TShellFolders {
    std::string Windows;
    std::string Programs;
    std::string StartMenu;
    std::string Desktop;
    std::string Startup;
};
extern TShellFolders ShellFolders;

// Fills ShellFolders from the registry; raises "Invalid data type for '%s'" for a value
// that is not text.
void ReadShellFolders(IRegistry& registry);

// Writes folder + linkName as a shortcut to target (arguments and path the target, working
// directory its folder).
void CreateShortcut(IShellLinks& links, const std::string& folder, const std::string& linkName,
                    const std::string& target);

} // namespace setup
