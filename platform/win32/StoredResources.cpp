#include "platform/win32/StoredResources.h"

#include "codec/StoredBlock.h"
#include "platform/Exceptions.h"
#include "platform/win32/Callback.h"

#include <span>

namespace setup {

namespace {

// Resource data stays mapped with the module, so nothing here needs freeing. The platform
// upper-cases the name before the lookup, which makes it match the stored upper-case names.
std::optional<std::span<const uint8_t>> StoredBytes(HMODULE module, LPCSTR name, LPCSTR type) {
    const HRSRC info = FindResourceA(module, name, type);
    const HGLOBAL loaded = info ? LoadResource(module, info) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        return std::nullopt;
    return std::span(static_cast<const uint8_t*>(data), SizeofResource(module, info));
}

BOOL CALLBACK CheckBlock(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR intact) {
    bool whole = false;
    GuardCallback([&] {
        const auto stored = StoredBytes(module, name, type);
        whole = stored && StoredBlockIntact(*stored);
    });
    if (whole)
        return TRUE;
    *reinterpret_cast<bool*>(intact) = false;
    return FALSE;
}

} // namespace

std::optional<std::vector<uint8_t>> LoadStoredBlock(const std::string& name, LPCSTR type) {
    const auto stored = StoredBytes(nullptr, name.c_str(), type);
    if (!stored)
        return std::nullopt;
    auto decoded = UnpackStoredBlock(*stored);
    if (!decoded)
        throw Exception(DamagedInstallerMessage);
    return decoded;
}

bool StoredBlocksIntact() {
    bool intact = true;
    for (const LPCSTR type : {PayloadType, PictureType})
        EnumResourceNamesA(GetModuleHandleA(nullptr), type, &CheckBlock,
                           reinterpret_cast<LONG_PTR>(&intact));
    return intact;
}

} // namespace setup
