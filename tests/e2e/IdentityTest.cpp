// What Setup.exe tells Windows about itself: manifest, version information, icon.
#include "driver/Driver.h"

#include <gtest/gtest.h>

#include <cstring>

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

// Windows before XP draws no alpha channel: the mask alone must clear the corners, and a
// picture of more than 8 bits per pixel would be bytes no such screen shows.
TEST(Identity, EachIconPictureHasAPaletteAndAMaskThatClearsItsCorners) {
    for (const int id : {1, 2}) {
        SCOPED_TRACE(id);
        const std::string picture =
            Resource(SetupExePath(), MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(3));
        ASSERT_GE(picture.size(), sizeof(BITMAPINFOHEADER));
        BITMAPINFOHEADER header;
        std::memcpy(&header, picture.data(), sizeof header);
        EXPECT_LE(header.biBitCount, 8);
        const int size = header.biWidth;
        const size_t colours = header.biClrUsed ? header.biClrUsed : 1u << header.biBitCount;
        const size_t maskAt =
            header.biSize + 4 * colours + (size * header.biBitCount + 31) / 32 * 4 * size;
        const size_t maskStride = (size + 31) / 32 * 4;
        ASSERT_EQ(picture.size(), maskAt + maskStride * size);
        auto clear = [&](int x, int y) { // y from the bottom, as stored
            return (picture[maskAt + maskStride * y + x / 8] >> (7 - x % 8) & 1) != 0;
        };
        EXPECT_TRUE(clear(0, 0));
        EXPECT_TRUE(clear(size - 1, size - 1));
        EXPECT_FALSE(clear(size / 2, size / 2));
    }
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
