#include "install/DefaultConfiguration.h"
#include "platform/fake/FakeFileSystem.h"

#include <gtest/gtest.h>

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

// The whole file, byte for byte: the product reads its keys with their odd spellings.
TEST_F(DefaultConfigurationTest, FileIsExactlyTheProductsDefaults) {
    const std::string expected = "[Randomizeon]\r\n"
                                 "start=Boot\r\n"
                                 "startDate=Boot\r\n"
                                 "startup=Boot\r\n"
                                 "sturtupDate=Boot\r\n"
                                 "wait=Boot\r\n"
                                 "waitDate=Boot\r\n"
                                 "shutdown=Boot\r\n"
                                 "ShutdownDate=Boot\r\n"
                                 "Wallpaper=Boot\r\n"
                                 "WallpaperDate=Boot\r\n"
                                 "screensaver=Boot\r\n"
                                 "screensaverdate=Boot\r\n"
                                 "ie5=Boot\r\n"
                                 "ie5Date=Boot\r\n"
                                 "Exit=Boot\r\n"
                                 "Exitdate=Boot\r\n"
                                 "Theme=Boot\r\n"
                                 "Themedate=Boot\r\n"
                                 "\r\n"
                                 "\r\n"
                                 "[Randomize]\r\n"
                                 "start=true\r\n"
                                 "startup=true\r\n"
                                 "exit=true\r\n"
                                 "shutdown=true\r\n"
                                 "wallpaper=true\r\n"
                                 "ie5=true\r\n"
                                 "wait=true\r\n"
                                 "screensaver=true\r\n"
                                 "theme=true\r\n"
                                 "IE5Skins=true\r\n"
                                 "\r\n"
                                 "[Colors]\r\n"
                                 "Background=65535\r\n"
                                 "buttons=0\r\n"
                                 "\r\n"
                                 "[Images]\r\n"
                                 "button=\r\n"
                                 "Background=\r\n"
                                 "\r\n"
                                 "[Trayicon]\r\n"
                                 "Name=1\r\n"
                                 "Enabled=true\r\n"
                                 "\r\n"
                                 "[numberRandomized]\r\n"
                                 "startsound=0\r\n"
                                 "startup=0\r\n"
                                 "exitsound=0\r\n"
                                 "shutdown=0\r\n"
                                 "wallpaper=0\r\n"
                                 "ie5=0\r\n"
                                 "wait=0\r\n"
                                 "screensaver=0\r\n";
    ASSERT_EQ(expected.size(), 666u);
    EXPECT_EQ(Written(), expected);
}

TEST_F(DefaultConfigurationTest, ReplacesWhateverTheFileHeldBefore) {
    Files.AddFile(Path, std::string(5000, 'x'));
    EXPECT_EQ(Written().size(), 666u);
    EXPECT_EQ(Files.FileNames().size(), 1u);
}

} // namespace
} // namespace setup
