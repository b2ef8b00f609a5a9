#include "platform/fake/FakeShellLinks.h"

#include "platform/fake/FakeErrors.h"

namespace setup {

TStatus FakeShellLinks::Save(const TShortcut& link, const std::string& file) {
    if (CreationError)
        throw *CreationError;
    if (InterfaceMissing)
        throw EIntfCastError("Interface not supported");
    if (UnsavableFiles.count(file))
        return TStatus::Failure(ErrorAccessDenied);
    Links.push_back({link, file});
    return {};
}

} // namespace setup
