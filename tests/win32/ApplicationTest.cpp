#include "setup/Application.h"
#include "setup/Title.h"

#include <gtest/gtest.h>

using namespace setup;

namespace {

std::string Title(const char* path) {
    char title[MAX_PATH];
    TitleFromExeName(path, title);
    return title;
}

TEST(Application, TitleComesFromTheExecutableName) {
    EXPECT_EQ(Title("C:\\DOWNLOADS\\SETUP.EXE"), "Setup");
    EXPECT_EQ(Title("Z:\\build\\Setup.exe"), "Setup");
    EXPECT_EQ(Title("C:\\x\\MY.SETUP.EXE"), "My");
    EXPECT_EQ(Title("C:\\folder.with.dots\\INSTALL"), "Install");
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
