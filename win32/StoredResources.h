// The running program's stored blocks (codec/StoredBlock.h): the payload's bundle under
// RT_RCDATA, the pictures, as .bmp files, under the type "PICTURE".
#pragma once

#include "base/DamagedInstaller.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace setup {

inline const LPCSTR PayloadType = RT_RCDATA;
inline const LPCSTR PictureType = "PICTURE";
inline const char* const PayloadBundleName = "PAYLOAD";

// The decoded bytes of the block name (any case) of type; nullopt when there is none.
// A damaged block raises Exception(DamagedInstallerMessage).
std::optional<std::vector<uint8_t>> LoadStoredBlock(const char* name, LPCSTR type);

} // namespace setup
