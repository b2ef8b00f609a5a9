// Shortcut files written through the platform's shell-link object.
#pragma once

#include "base/Status.h"

#include <cstdint>
#include <string>

namespace setup {

struct TShortcut {
    std::string Arguments;
    std::string Path;
    std::string WorkingDirectory;
};

// Where saving a shortcut failed: the installer raises its own failures for the first two and
// reports the last.
enum class TLinkFailure {
    None,
    NoLinkObject, // the shell-link object cannot be created
    NoInterface,  // the object lacks an interface that saving needs
    NotSaved,     // a field cannot be set or the file cannot be saved
};

// A save's outcome: where it failed, with the system's code (an HRESULT) for why.
class [[nodiscard]] TLinkSaved {
public:
    constexpr TLinkSaved() = default; // saved
    constexpr TLinkSaved(TLinkFailure failure, uint32_t code)
        : FFailure(failure), FStatus(TStatus::Failure(code)) {}

    constexpr TLinkFailure Failure() const { return FFailure; }
    constexpr TStatus Status() const { return FStatus; }

private:
    TLinkFailure FFailure = TLinkFailure::None;
    TStatus FStatus;
};

class IShellLinks {
public:
    virtual ~IShellLinks() = default;
    // Sets the three fields (arguments, path, working directory, in that order) and saves the
    // link to file.
    virtual TLinkSaved Save(const TShortcut& link, const std::string& file) = 0;
};

} // namespace setup
