// The running program's payload files, decoded from its stored bundle.
#pragma once

#include "platform/Resources.h"

namespace setup {

class Win32Resources : public IResources {
public:
    std::optional<std::vector<uint8_t>> FindBlock(const std::string& name) override;

private:
    // The bundle, decoded once on the first request: the install asks for each file in turn.
    std::optional<std::vector<uint8_t>> FPayload;
};

} // namespace setup
