#include "app/Application.h"

#include <gtest/gtest.h>

using namespace setup;

namespace {

TEST(Application, TitleComesFromTheExecutableName) {
    EXPECT_EQ(TitleFromExeName("C:\\DOWNLOADS\\SETUP.EXE"), "Setup");
    EXPECT_EQ(TitleFromExeName("Z:\\build\\Setup.exe"), "Setup");
    EXPECT_EQ(TitleFromExeName("C:\\x\\MY.SETUP.EXE"), "My");
    EXPECT_EQ(TitleFromExeName("C:\\folder.with.dots\\INSTALL"), "Install");
}

TEST(Application, ErrorMessagesEndWithAFullStopUnlessTheyEndAtOrBeforeIt) {
    EXPECT_EQ(WithFullStop("File not found"), "File not found.");
    EXPECT_EQ(WithFullStop("Failed to set data for 'x'"), "Failed to set data for 'x'");
    EXPECT_EQ(WithFullStop("Disk full."), "Disk full.");
    EXPECT_EQ(WithFullStop("I/O error 21"), "I/O error 21.");
    EXPECT_EQ(WithFullStop("path/"), "path/.");
    EXPECT_EQ(WithFullStop(""), "");
}

} // namespace
