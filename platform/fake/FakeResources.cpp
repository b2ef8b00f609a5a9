#include "platform/fake/FakeResources.h"

#include "base/PathText.h"

namespace setup {

namespace {

// Resource names are the program's own, in ASCII.
std::string Key(const std::string& name) {
    return AsciiUpperCase(name, TLeadBytes());
}

} // namespace

std::optional<std::vector<uint8_t>> FakeResources::FindBlock(const std::string& name) {
    const auto found = Blocks.find(Key(name));
    if (found == Blocks.end())
        return std::nullopt;
    return found->second;
}

void FakeResources::Add(const std::string& name, std::string_view bytes) {
    Blocks[Key(name)].assign(bytes.begin(), bytes.end());
}

} // namespace setup
