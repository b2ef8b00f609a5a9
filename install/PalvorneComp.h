// The maker's shell utilities: shell-folder texts and shortcut files.
#pragma once

#include "base/PathText.h"
#include "platform/Registry.h"
#include "platform/ShellLinks.h"

#include <string>

namespace setup {

// The shell's folder texts; the program keeps one set, filled when the install reads them.
struct TShellFolders {
    std::string Windows;
    std::string Programs;
    std::string StartMenu;
    std::string Desktop;
    std::string Startup;
};

// Reads the folder texts from the registry (a missing value reads as empty); raises
// "Invalid data type for '%s'" for a value that is not text.
TShellFolders ReadShellFolders(IRegistry& registry);

// Writes folder + linkName as a shortcut to target (arguments and path the target, working
// directory its folder); fails when the file cannot be saved.
TStatus CreateShortcut(IShellLinks& links, const std::string& folder, const std::string& linkName,
                       const std::string& target, TLeadBytes lead);

} // namespace setup
