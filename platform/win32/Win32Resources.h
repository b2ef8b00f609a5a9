// The running program's own RT_RCDATA blocks, decoded.
#pragma once

#include "platform/Resources.h"

namespace setup {

class Win32Resources : public IResources {
public:
    std::optional<std::vector<uint8_t>> FindBlock(const std::string& name) override;
};

} // namespace setup
