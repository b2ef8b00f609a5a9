// Whole-file writes that never leave a partly written file in place of the old one.
#pragma once

#include "platform/FileSystem.h"

#include <cstdint>
#include <span>
#include <string>

namespace setup {

// Writes data to a temporary file beside path and moves it over path only when complete; on any
// failure the temporary file is removed and an existing file at path keeps its content.
// Raises "Cannot create file %s" (with path) when the temporary file cannot be created or path
// cannot be replaced, "Stream write error" when the data cannot be stored in full; each with
// the system's code for the reason.
void WriteFileSafely(IFileSystem& files, const std::string& path, std::span<const uint8_t> data);

// Copies from to a temporary file beside to, on the disk, then moves it over to: a copy cut
// short never stands where to is. A temporary file left by an interrupted run is replaced.
TStatus CopyFileSafely(IFileSystem& files, const std::string& from, const std::string& to);

} // namespace setup
