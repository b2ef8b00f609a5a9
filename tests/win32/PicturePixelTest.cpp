// The pictures Setup.exe decodes look exactly like the bitmaps they were made from.
#include "tests/win32/DibSurface.h"
#include "tests/win32/SourceFiles.h"
#include "ui/win32/GdiCanvas.h"

#include <gtest/gtest.h>

namespace setup {
namespace {

TEST(PicturePixelTest, EveryPictureDrawsAsItsSourceBitmap) {
    for (const char* name : {"BACKDROP", "LOGO", "SIDEPICTURE", "OPENFOLDER", "CURRENTFOLDER",
                             "CLOSEDFOLDER", "FLOPPY", "HARD", "NETWORK", "CDROM", "RAM"}) {
        const std::vector<uint8_t> source = ReadWholeFile(BitmapFolder + name + ".bmp");
        ASSERT_FALSE(source.empty()) << name;
        const auto picture = GdiBitmap::FromResource(name);
        TDibSurface surface(picture->Width(), picture->Height(), clBlack);
        {
            GdiCanvas canvas(surface.Handle());
            canvas.Draw(0, 0, *picture, false);
        }
        int different = 0;
        for (int y = 0; y < surface.Height(); ++y)
            for (int x = 0; x < surface.Width(); ++x)
                different +=
                    static_cast<COLORREF>(surface.At(x, y)) != BitmapFilePixel(source, x, y);
        EXPECT_EQ(different, 0) << name;
        // The transparent colour is the source's bottom-left pixel.
        EXPECT_EQ(static_cast<COLORREF>(picture->TransparentColor()),
                  BitmapFilePixel(source, 0, picture->Height() - 1))
            << name;
    }
}

} // namespace
} // namespace setup
