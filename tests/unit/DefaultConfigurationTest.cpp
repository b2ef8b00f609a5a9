#include "install/DefaultConfiguration.h"
#include "platform/fake/FakeFileSystem.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace setup {
namespace {

const std::string Path = "C:\\Program Files\\Palvorne Lumivary\\config.ini";

class DefaultConfigurationTest : public testing::Test {
protected:
    DefaultConfigurationTest() { Files.AddDirectory("C:\\Program Files\\Palvorne Lumivary"); }
    std::string Written() {
        WriteConfiguration(Files, Path, DefaultConfigurationLines());
        return Files.Content(Path).value_or("<missing>");
    }
    FakeFileSystem Files;
};

TEST_F(DefaultConfigurationTest, FileIsExactly666BytesOf54CrLfLines) {
    const std::string text = Written();
    EXPECT_EQ(text.size(), 666u);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 54);
    EXPECT_EQ(text.find("\r\n\r\n\r\n"), text.find("Themedate=Boot") + 14);
    EXPECT_EQ(text.substr(0, 15), "[Randomizeon]\r\n");
    EXPECT_TRUE(text.ends_with("wait=0\r\nscreensaver=0\r\n")) << "no trailing empty line";
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            EXPECT_EQ(text[i - 1], '\r') << "bare LF at " << i;
        }
    }
}

TEST_F(DefaultConfigurationTest, LinesKeepTheProductsSpellingAndOrder) {
    const auto& lines = DefaultConfigurationLines();
    ASSERT_EQ(lines.size(), 54u);
    EXPECT_EQ(lines[4], "sturtupDate=Boot");
    EXPECT_EQ(lines[21], "[Randomize]");
    EXPECT_EQ(lines[33], "[Colors]");
    EXPECT_EQ(lines[34], "Background=65535");
    EXPECT_EQ(lines[39], "Background=");
    EXPECT_EQ(lines[45], "[numberRandomized]");
    for (const size_t empty : {19u, 20u, 32u, 36u, 40u, 44u})
        EXPECT_EQ(lines[empty], "") << "line " << empty + 1;
}

TEST_F(DefaultConfigurationTest, ReplacesWhateverTheFileHeldBefore) {
    Files.AddFile(Path, std::string(5000, 'x'));
    EXPECT_EQ(Written().size(), 666u);
    EXPECT_EQ(Files.FileNames().size(), 1u);
}

} // namespace
} // namespace setup
