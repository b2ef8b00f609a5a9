#include "win32/StoredResources.h"

#include "base/Exceptions.h"
#include "codec/StoredBlock.h"

#include <span>

namespace setup {

namespace {

// Resource data stays mapped with the module, so nothing here needs freeing. The platform
// upper-cases the name before the lookup, which makes it match the stored upper-case names.
std::optional<std::span<const uint8_t>> StoredBytes(LPCSTR name, LPCSTR type) {
    const HRSRC info = FindResourceA(nullptr, name, type);
    const HGLOBAL loaded = info ? LoadResource(nullptr, info) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        return std::nullopt;
    return std::span(static_cast<const uint8_t*>(data), SizeofResource(nullptr, info));
}

} // namespace

std::optional<std::vector<uint8_t>> LoadStoredBlock(const char* name, LPCSTR type) {
    const auto stored = StoredBytes(name, type);
    if (!stored)
        return std::nullopt;
    auto decoded = UnpackStoredBlock(*stored);
    if (!decoded)
        throw Exception(DamagedInstallerMessage);
    return decoded;
}

} // namespace setup
