// Shortcut files through the platform's shell-link object (IShellLinkA and IPersistFile).
#pragma once

#include "platform/ShellLinks.h"

namespace setup {

// Needs COM initialised on the calling thread.
class Win32ShellLinks : public IShellLinks {
public:
    TLinkSaved Save(const TShortcut& link, const std::string& file) override;
};

} // namespace setup
