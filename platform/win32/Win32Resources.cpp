#include "platform/win32/Win32Resources.h"

#include "platform/StoredBlock.h"
#include "platform/win32/StoredResources.h"

namespace setup {

std::optional<std::vector<uint8_t>> Win32Resources::FindBlock(const std::string& name) {
    if (!FPayload)
        FPayload = LoadStoredBlock(PayloadBundleName, PayloadType);
    const auto file = FPayload ? FindInBundle(*FPayload, name) : std::nullopt;
    if (!file)
        return std::nullopt;
    return std::vector<uint8_t>(file->begin(), file->end());
}

} // namespace setup
