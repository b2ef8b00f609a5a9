#include "platform/win32/Win32Resources.h"

#include "platform/win32/StoredResources.h"

namespace setup {

std::optional<std::vector<uint8_t>> Win32Resources::FindBlock(const std::string& name) {
    return LoadStoredBlock(name, PayloadType);
}

} // namespace setup
