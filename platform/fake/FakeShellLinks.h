// Records the shortcuts saved; can fail as a missing shell-link class or interface does.
#pragma once

#include "platform/ShellLinks.h"

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace setup {

class FakeShellLinks : public IShellLinks {
public:
    struct Saved {
        TShortcut Link;
        std::string File;
    };

    TLinkSaved Save(const TShortcut& link, const std::string& file) override;

    std::optional<uint32_t> CreationError; // no shell-link object, with this HRESULT
    bool InterfaceMissing = false;         // the object lacks an interface: E_NOINTERFACE
    std::set<std::string> UnsavableFiles;  // the save fails: access denied
    std::vector<Saved> Links;
};

} // namespace setup
