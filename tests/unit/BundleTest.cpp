// Files found in a decoded bundle by name, and bundles that are not laid out right refused
// without reading outside them (run under AddressSanitizer in the host build).
#include "codec/StoredBlock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace setup {
namespace {

using Bytes = std::vector<uint8_t>;

// The listing entry of one file: name, 0, size (32 bits, little-endian).
void AddEntry(Bytes& bundle, const std::string& name, uint32_t size) {
    bundle.insert(bundle.end(), name.begin(), name.end());
    bundle.push_back(0);
    for (int shift = 0; shift < 32; shift += 8)
        bundle.push_back(static_cast<uint8_t>(size >> shift));
}

Bytes Bundle(const std::vector<std::pair<std::string, std::string>>& files) {
    Bytes bundle;
    for (const auto& [name, contents] : files)
        AddEntry(bundle, name, static_cast<uint32_t>(contents.size()));
    bundle.push_back(0);
    for (const auto& file : files)
        bundle.insert(bundle.end(), file.second.begin(), file.second.end());
    return bundle;
}

std::string Found(const Bytes& bundle, const std::string& name) {
    const auto file = FindInBundle(bundle, name);
    return file ? std::string(file->begin(), file->end()) : "(none)";
}

TEST(BundleTest, EachFileIsFoundByItsNameInAnyCase) {
    const Bytes bundle = Bundle({{"PLV", "main program"}, {"EMPTY", ""}, {"RUN", "runner"}});
    EXPECT_EQ(Found(bundle, "PLV"), "main program");
    EXPECT_EQ(Found(bundle, "run"), "runner");
    EXPECT_EQ(Found(bundle, "Empty"), "");
    EXPECT_EQ(Found(bundle, "PLVCPL"), "(none)");
    EXPECT_EQ(Found(bundle, ""), "(none)");
    EXPECT_EQ(Found(Bundle({}), "PLV"), "(none)");
}

TEST(BundleTest, BundlesNotLaidOutRightAreRefused) {
    const Bytes good = Bundle({{"PLV", "abc"}, {"RUN", "de"}});
    // Every shorter bundle breaks the listing or leaves the files short.
    for (size_t length = 0; length < good.size(); ++length) {
        const Bytes cut(good.begin(), good.begin() + static_cast<ptrdiff_t>(length));
        EXPECT_EQ(Found(cut, "RUN"), "(none)") << length;
    }
    Bytes longer = good;
    longer.push_back('x');
    EXPECT_EQ(Found(longer, "PLV"), "(none)") << "bytes beyond the last file";

    Bytes huge;
    AddEntry(huge, "PLV", 0xFFFFFFFF);
    AddEntry(huge, "RUN", 2);
    huge.push_back(0);
    huge.insert(huge.end(), {'d', 'e'});
    EXPECT_EQ(Found(huge, "RUN"), "(none)") << "sizes past the end";

    Bytes unended = {'P', 'L', 'V'};
    EXPECT_EQ(Found(unended, "PLV"), "(none)") << "a name without its end";
}

} // namespace
} // namespace setup
