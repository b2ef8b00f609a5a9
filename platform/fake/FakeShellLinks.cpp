#include "platform/fake/FakeShellLinks.h"

namespace setup {

void FakeShellLinks::Save(const TShortcut& link, const std::string& file) {
    if (CreationError)
        throw *CreationError;
    if (InterfaceMissing)
        throw EIntfCastError("Interface not supported");
    Links.push_back({link, file});
}

} // namespace setup
