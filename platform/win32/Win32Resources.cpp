#include "platform/win32/Win32Resources.h"

#include <windows.h>

namespace setup {

// Resource data stays mapped with the module, so nothing here needs freeing. The platform
// upper-cases the name before the lookup, which makes it match the stored upper-case names.
std::optional<std::span<const uint8_t>> Win32Resources::FindBlock(const std::string& name) {
    const HRSRC info = FindResourceA(nullptr, name.c_str(), RT_RCDATA);
    if (!info)
        return std::nullopt;
    const HGLOBAL loaded = LoadResource(nullptr, info);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        return std::nullopt;
    return std::span(static_cast<const uint8_t*>(data), SizeofResource(nullptr, info));
}

} // namespace setup
