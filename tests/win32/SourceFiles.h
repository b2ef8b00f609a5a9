// The files Setup.exe's resources are made from, read by the tests that compare with them.
#pragma once

#include <windows.h>

#include "tests/FileBytes.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace setup {

// Folders with a closing slash, as the program under Wine sees them.
inline const std::string PayloadFolder = SETUP_PAYLOAD_FOLDER "/";
inline const std::string BitmapFolder = SETUP_BITMAP_FOLDER "/";

// The colour of pixel (x, y), row 0 at the top, of the bytes of an uncompressed .bmp file of 4,
// 8 or 24 bits per pixel.
inline COLORREF BitmapFilePixel(const std::vector<uint8_t>& file, int x, int y) {
    BITMAPFILEHEADER fileHeader;
    BITMAPINFOHEADER header;
    std::memcpy(&fileHeader, file.data(), sizeof fileHeader);
    std::memcpy(&header, file.data() + sizeof fileHeader, sizeof header);
    const size_t rowBytes = (header.biWidth * header.biBitCount + 31) / 32 * 4;
    const uint8_t* row = file.data() + fileHeader.bfOffBits + (header.biHeight - 1 - y) * rowBytes;
    if (header.biBitCount == 24)
        return RGB(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
    const unsigned index = header.biBitCount == 8 ? row[x] : (row[x / 2] >> (x % 2 ? 0 : 4)) & 15;
    const uint8_t* entry = file.data() + sizeof fileHeader + header.biSize + index * 4;
    return RGB(entry[2], entry[1], entry[0]);
}

} // namespace setup
