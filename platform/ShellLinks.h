// Shortcut files written through the platform's shell-link object.
#pragma once

#include "base/Status.h"

#include <string>

namespace setup {

struct TShortcut {
    std::string Arguments;
    std::string Path;
    std::string WorkingDirectory;
};

class IShellLinks {
public:
    virtual ~IShellLinks() = default;
    // Sets the three fields (arguments, path, working directory, in that order) and saves the
    // link to file. Raises EOleSysError when the shell-link object cannot be created and
    // EIntfCastError when it lacks an interface; fails with the HRESULT when a field cannot be
    // set or the file cannot be saved.
    virtual TStatus Save(const TShortcut& link, const std::string& file) = 0;
};

} // namespace setup
