#include "platform/win32/Win32Resources.h"
#include "base/Exceptions.h"
#include "base/PathText.h"
#include "tests/win32/SourceFiles.h"
#include "win32/StoredResources.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <utility>

// This program carries Setup.exe's own resources, so these are the ones Setup.exe installs.
namespace setup {
namespace {

TEST(Win32ResourcesTest, PayloadBlocksDecodeToTheEmbeddedFilesInAnyCase) {
    Win32Resources resources;
    const struct {
        const char* Name;
        const char* File;
    } blocks[] = {{"PLV", "PalvorneLV.exe"},
                  {"Uninstall", "Uninstall.exe"},
                  {"mpegdll", "Mpegdll.dll"},
                  {"RUN", "Run.exe"},
                  {"PLVCPL", "PLVCPL.cpl"}};
    for (const auto& [name, file] : blocks) {
        const auto asked = resources.FindBlock(name);
        const auto stored = resources.FindBlock(AsciiUpperCase(name, TLeadBytes()));
        ASSERT_TRUE(asked && stored) << name;
        EXPECT_TRUE(*asked == *stored) << name;
        EXPECT_TRUE(*asked == ReadWholeFile(PayloadFolder + file)) << name;
    }
}

TEST(Win32ResourcesTest, PicturesDecodeToTheirBitmapFiles) {
    for (const char* name : {"BACKDROP", "LOGO", "SIDEPICTURE", "OPENFOLDER", "CURRENTFOLDER",
                             "CLOSEDFOLDER", "FLOPPY", "HARD", "NETWORK", "CDROM", "RAM"}) {
        const auto picture = LoadStoredBlock(name, PictureType);
        ASSERT_TRUE(picture) << name;
        EXPECT_TRUE(*picture == ReadWholeFile(BitmapFolder + name + ".bmp")) << name;
    }
}

TEST(Win32ResourcesTest, UnknownNameAndOtherResourceTypesAreNotBlocks) {
    Win32Resources resources;
    EXPECT_FALSE(resources.FindBlock("SETUPX"));
    EXPECT_FALSE(resources.FindBlock("LOGO")) << "a picture is not a raw-data block";
    EXPECT_FALSE(LoadStoredBlock("PLV", PictureType));
}

// The stored bytes of a resource of this program, writable for the length of the scope: lets a
// test damage one byte of the mapped image and puts everything back after.
class TWritableResource {
public:
    TWritableResource(const char* name, LPCSTR type) {
        const HRSRC info = FindResourceA(nullptr, name, type);
        Bytes = static_cast<uint8_t*>(LockResource(LoadResource(nullptr, info)));
        Size = SizeofResource(nullptr, info);
        VirtualProtect(Bytes, Size, PAGE_READWRITE, &Protection);
    }
    ~TWritableResource() { VirtualProtect(Bytes, Size, Protection, &Protection); }
    TWritableResource(const TWritableResource&) = delete;
    TWritableResource& operator=(const TWritableResource&) = delete;

    uint8_t& operator[](size_t index) { return Bytes[index]; }
    size_t size() const { return Size; }

private:
    uint8_t* Bytes;
    DWORD Size;
    DWORD Protection = 0;
};

std::string DamageMessage(const std::function<void()>& load) {
    try {
        load();
    } catch (const Exception& error) {
        return error.Message();
    }
    return "no error";
}

TEST(Win32ResourcesTest, OneChangedByteAnywhereInABlockIsFoundAndRefused) {
    Win32Resources resources;
    for (const auto& [name, type] :
         {std::pair(PayloadBundleName, PayloadType), std::pair("LOGO", PictureType),
          std::pair("RAM", PictureType)}) {
        TWritableResource block(name, type);
        for (const size_t at :
             {size_t{0}, size_t{5}, size_t{8}, block.size() / 2, block.size() - 1}) {
            block[at] ^= 0x10;
            // The install asks through Win32Resources, the pages through LoadStoredBlock.
            const auto load = [&] {
                if (type == PayloadType)
                    resources.FindBlock("RUN");
                else
                    LoadStoredBlock(name, type);
            };
            EXPECT_EQ(DamageMessage(load), DamagedInstallerMessage) << name << " byte " << at;
            block[at] ^= 0x10;
        }
    }
}

struct TBitmapFacts {
    const char* Name;
    LONG Width;
    LONG Height;
    WORD Bits;
    COLORREF BottomLeft; // 0xFFFFFFFF: any
};

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
        const auto file = LoadStoredBlock(facts.Name, PictureType);
        ASSERT_TRUE(file && file->size() > sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER))
            << facts.Name;
        const auto* header =
            reinterpret_cast<const BITMAPINFOHEADER*>(file->data() + sizeof(BITMAPFILEHEADER));
        EXPECT_EQ(header->biWidth, facts.Width) << facts.Name;
        EXPECT_EQ(header->biHeight, facts.Height) << facts.Name;
        EXPECT_EQ(header->biBitCount, facts.Bits) << facts.Name;
        if (facts.BottomLeft != 0xFFFFFFFF) {
            EXPECT_EQ(BitmapFilePixel(*file, 0, facts.Height - 1), facts.BottomLeft) << facts.Name;
        }
    }
}

} // namespace
} // namespace setup
