// What Setup.exe tells Windows about itself: manifest, version information, icon.
#include "driver/Driver.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

TEST(Identity, ManifestAsksForAdministratorAndDeclaresNoDpiAwareness) {
    const std::string manifest =
        Resource(SetupExePath(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    EXPECT_NE(manifest.find("level=\"requireAdministrator\""), std::string::npos);
    EXPECT_NE(manifest.find("supportedOS"), std::string::npos);
    EXPECT_EQ(manifest.find("dpiAware"), std::string::npos);
    EXPECT_FALSE(Resource(SetupExePath(), "MAINICON", MAKEINTRESOURCEA(14)).empty());
}

TEST(Identity, VersionInformationNamesMakerAndProduct) {
    const std::string path = SetupExePath();
    DWORD ignored = 0;
    std::string block(GetFileVersionInfoSizeA(path.c_str(), &ignored), '\0');
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(
        GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
    auto value = [&](const char* name) {
        char* text = nullptr;
        UINT length = 0;
        const std::string query = std::string("\\StringFileInfo\\040904E4\\") + name;
        if (!VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&text), &length))
            return std::string();
        return std::string(text);
    };
    EXPECT_EQ(value("CompanyName"), "Palvorne");
    EXPECT_EQ(value("ProductName"), "Palvorne Lumivary");
    EXPECT_EQ(value("FileDescription"), "Palvorne Lumivary Setup");
}

} // namespace
