// The maker's shell utilities: shell-folder texts and shortcut files.
#pragma once

#include "base/PathText.h"
#include "platform/ErrorTexts.h"
#include "platform/Registry.h"
#include "platform/ShellLinks.h"

#include <string>

namespace setup {

// The shell's folder texts the program keeps, filled when the install reads them: the Programs
// folder, where the Start-menu group goes.
struct TShellFolders {
    std::string Programs;
};

// Reads the Windows folder and the Programs, Start Menu, Desktop and Startup folders from the
// registry, each of which must be text ("Invalid data type for '%s'" otherwise; a missing value
// reads as empty), and keeps the Programs folder.
TShellFolders ReadShellFolders(IRegistry& registry);

// Writes folder + linkName as a shortcut to target (arguments and path the target, working
// directory its folder); fails when a field or the file cannot be saved. Raises EOleSysError
// (the system's text for its code, from texts, or "OLE error %.8x") when the shell-link object
// cannot be created and EIntfCastError when it lacks an interface.
TStatus CreateShortcut(IShellLinks& links, IErrorTexts& texts, const std::string& folder,
                       const std::string& linkName, const std::string& target, TLeadBytes lead);

} // namespace setup
