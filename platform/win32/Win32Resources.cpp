#include "platform/win32/Win32Resources.h"

#include "base/Timing.h"
#include "codec/StoredBlock.h"
#include "win32/StoredResources.h"

namespace setup {

std::optional<std::vector<uint8_t>> Win32Resources::FindBlock(const std::string& name) {
    if (!FPayload) {
        SETUP_SPAN(PayloadSpan);
        FPayload = LoadStoredBlock(PayloadBundleName, PayloadType);
    }
    if (!FPayload)
        return std::nullopt;
    if (const auto file = FindInBundle(*FPayload, name))
        return std::vector<uint8_t>(file->data(), file->data() + file->size());
    return std::nullopt;
}

} // namespace setup
