// Records the shortcuts saved; can fail as a missing shell-link class or interface does.
#pragma once

#include "base/Exceptions.h"
#include "platform/ShellLinks.h"

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

    TStatus Save(const TShortcut& link, const std::string& file) override;

    std::optional<EOleSysError> CreationError; // raised as is by every Save
    bool InterfaceMissing = false;             // raises "Interface not supported"
    std::set<std::string> UnsavableFiles;      // the save fails: access denied
    std::vector<Saved> Links;
};

} // namespace setup
