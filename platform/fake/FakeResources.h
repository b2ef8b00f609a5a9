// Named data blocks for the unit tests, stored upper case as a resource compiler stores them.
#pragma once

#include "platform/Resources.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace setup {

class FakeResources : public IResources {
public:
    std::optional<std::vector<uint8_t>> FindBlock(const std::string& name) override;

    void Add(const std::string& name, std::string_view bytes);

private:
    std::map<std::string, std::vector<uint8_t>> Blocks;
};

} // namespace setup
