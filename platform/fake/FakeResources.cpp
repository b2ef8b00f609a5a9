#include "platform/fake/FakeResources.h"

#include "base/PathText.h"

namespace setup {

std::optional<std::vector<uint8_t>> FakeResources::FindBlock(const std::string& name) {
    const auto found = Blocks.find(AsciiUpperCase(name));
    if (found == Blocks.end())
        return std::nullopt;
    return found->second;
}

void FakeResources::Add(const std::string& name, std::string_view bytes) {
    Blocks[AsciiUpperCase(name)].assign(bytes.begin(), bytes.end());
}

} // namespace setup
