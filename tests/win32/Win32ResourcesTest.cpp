#include "platform/win32/Win32Resources.h"
#include "install/PathText.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

// This program carries Setup.exe's own resources, so these are the ones Setup.exe installs.
namespace setup {
namespace {

TEST(Win32ResourcesTest, PayloadBlocksAreFoundByNameInAnyCase) {
    Win32Resources resources;
    for (const char* name : {"PLV", "Uninstall", "mpegdll", "RUN", "PLVCPL"}) {
        const auto asked = resources.FindBlock(name);
        const auto stored = resources.FindBlock(AsciiUpperCase(name));
        ASSERT_TRUE(asked && stored) << name;
        EXPECT_EQ(asked->data(), stored->data()) << name;
        EXPECT_EQ(asked->size(), stored->size()) << name;
        // Every payload file is a Windows program or library.
        ASSERT_GT(asked->size(), 64u) << name;
        EXPECT_EQ(std::memcmp(asked->data(), "MZ", 2), 0) << name;
    }
}

TEST(Win32ResourcesTest, UnknownNameAndOtherResourceTypesAreNotBlocks) {
    Win32Resources resources;
    EXPECT_FALSE(resources.FindBlock("SETUPX"));
    EXPECT_FALSE(resources.FindBlock("LOGO")) << "a bitmap is not a raw-data block";
}

struct TBitmapFacts {
    const char* Name;
    LONG Width;
    LONG Height;
    WORD Bits;
    COLORREF BottomLeft; // 0xFFFFFFFF: any
};

// The colour of pixel (0, last row): bitmaps are stored bottom row first.
COLORREF BottomLeftPixel(const BITMAPINFOHEADER& header) {
    const auto* palette =
        reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(&header) + header.biSize);
    const DWORD colours = header.biClrUsed ? header.biClrUsed : 1u << header.biBitCount;
    const BYTE* pixels =
        reinterpret_cast<const BYTE*>(palette + (header.biBitCount <= 8 ? colours : 0));
    if (header.biBitCount == 24)
        return RGB(pixels[2], pixels[1], pixels[0]);
    const BYTE index = header.biBitCount == 4 ? pixels[0] >> 4 : pixels[0];
    return RGB(palette[index].rgbRed, palette[index].rgbGreen, palette[index].rgbBlue);
}

TEST(Win32ResourcesTest, BitmapsHaveTheirSizesDepthsAndTransparentColours) {
    const COLORREF purple = RGB(128, 0, 128);
    const COLORREF blue = RGB(0, 0, 255);
    const TBitmapFacts bitmaps[] = {
        {"BACKDROP", 481, 289, 8, 0xFFFFFFFF},
        {"LOGO", 508, 421, 24, 0xFFFFFFFF},
        {"SIDEPICTURE", 112, 216, 24, 0xFFFFFFFF},
        {"OPENFOLDER", 16, 15, 4, purple},
        {"CURRENTFOLDER", 16, 15, 4, purple},
        {"CLOSEDFOLDER", 16, 15, 4, purple},
        {"FLOPPY", 16, 11, 4, purple},
        {"HARD", 16, 11, 4, purple},
        {"NETWORK", 16, 11, 4, blue},
        {"CDROM", 16, 11, 4, blue},
        {"RAM", 16, 11, 4, purple},
    };
    for (const TBitmapFacts& facts : bitmaps) {
        const HRSRC info = FindResourceA(nullptr, facts.Name, RT_BITMAP);
        ASSERT_NE(info, nullptr) << facts.Name;
        const auto* header =
            static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(nullptr, info)));
        ASSERT_NE(header, nullptr) << facts.Name;
        EXPECT_EQ(header->biWidth, facts.Width) << facts.Name;
        EXPECT_EQ(header->biHeight, facts.Height) << facts.Name;
        EXPECT_EQ(header->biBitCount, facts.Bits) << facts.Name;
        if (facts.BottomLeft != 0xFFFFFFFF) {
            EXPECT_EQ(BottomLeftPixel(*header), facts.BottomLeft) << facts.Name;
        }
    }
}

} // namespace
} // namespace setup
