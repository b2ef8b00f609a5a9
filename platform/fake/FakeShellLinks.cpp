#include "platform/fake/FakeShellLinks.h"

#include "platform/fake/FakeErrors.h"

namespace setup {

TLinkSaved FakeShellLinks::Save(const TShortcut& link, const std::string& file) {
    if (CreationError)
        return {TLinkFailure::NoLinkObject, *CreationError};
    if (InterfaceMissing)
        return {TLinkFailure::NoInterface, ErrorNoInterface};
    if (UnsavableFiles.count(file))
        return {TLinkFailure::NotSaved, ErrorAccessDenied};
    Links.push_back({link, file});
    return {};
}

} // namespace setup
