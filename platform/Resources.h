// The raw-data blocks (RT_RCDATA) carried inside the running program.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace setup {

class IResources {
public:
    virtual ~IResources() = default;
    // Looks a block up by name, ignoring case, and returns a copy of its bytes; nullopt when
    // there is none.
    virtual std::optional<std::vector<uint8_t>> FindBlock(const std::string& name) = 0;
};

} // namespace setup
