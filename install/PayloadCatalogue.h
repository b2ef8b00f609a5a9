// The five files the installer carries inside itself.
#pragma once

#include "platform/FileSystem.h"
#include "platform/Resources.h"

#include <string>

namespace setup {

// Finds block name (any case) and writes its bytes to path, replacing the file only when
// complete. Raises "Resource %s not found", "Cannot create file %s" or "Stream write error".
void WritePayload(IResources& resources, IFileSystem& files, const std::string& name,
                  const std::string& path);

} // namespace setup
