// The default "config.ini" given to every install.
#pragma once

#include "platform/FileSystem.h"

#include <string>
#include <vector>

namespace setup {

// The 54 lines of the default configuration, in order, without terminators.
const std::vector<std::string>& DefaultConfigurationLines();

// Writes lines, each ending in CR LF, to path, replacing the file only when complete.
// Raises "Cannot create file %s" or "Stream write error".
void WriteConfiguration(IFileSystem& files, const std::string& path,
                        const std::vector<std::string>& lines);

} // namespace setup
