// The image's checksum of itself: every byte counts but those that signing changes and the
// slot; headers that are not a 32-bit PE image's are refused.
#include "codec/ImageChecksum.h"

#include <gtest/gtest.h>

#include <functional>

namespace setup {
namespace {

constexpr size_t Header = 0x80;
constexpr size_t Optional = Header + 24;
constexpr size_t ChecksumField = Optional + 64;
constexpr size_t CertificateEntry = Optional + 128;

void Write32(std::vector<uint8_t>& image, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        image[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// A made-up image with the headers the checksum reads, stamped as the build stamps it.
std::vector<uint8_t> StampedImage() {
    std::vector<uint8_t> image(2048);
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<uint8_t>(i * 7 + 3);
    Write32(image, 0x3C, Header);
    Write32(image, Header, 0x00004550);
    Write32(image, Optional, 0x10B);
    Write32(image, Optional + 92, 16);
    Write32(image, CertificateEntry, 0);
    Write32(image, CertificateEntry + 4, 0);
    Write32(image, ImageChecksumSlot, *ImageChecksum(image));
    return image;
}

// What signing does: a certificate table appended, its entry and the PE checksum set.
void Sign(std::vector<uint8_t>& image) {
    Write32(image, CertificateEntry, static_cast<uint32_t>(image.size()));
    Write32(image, CertificateEntry + 4, 512);
    image.resize(image.size() + 512, 0xA5);
    Write32(image, ChecksumField, 0x12345678);
}

TEST(ImageChecksumTest, EveryByteCountsButWhatSigningChanges) {
    const struct {
        const char* What;
        std::function<void(std::vector<uint8_t>&)> Change;
        bool Intact;
    } cases[] = {
        {"as built", [](auto&) {}, true},
        {"signed", Sign, true},
        {"signed, then a byte of the signature changed",
         [](auto& image) {
             Sign(image);
             image.back() ^= 1;
         },
         true},
        {"first byte", [](auto& image) { image[0] ^= 1; }, false},
        {"a byte of the code", [](auto& image) { image[1024] ^= 0x40; }, false},
        {"last byte", [](auto& image) { image.back() ^= 0x80; }, false},
        {"the slot", [](auto& image) { image[ImageChecksumSlot + 3] ^= 1; }, false},
        {"a byte after the certificate entry",
         [](auto& image) { image[CertificateEntry + 8] ^= 1; }, false},
        {"a byte appended", [](auto& image) { image.push_back(0); }, false},
        {"signed, then a byte of the code changed",
         [](auto& image) {
             Sign(image);
             image[1024] ^= 1;
         },
         false},
        {"cut short", [](auto& image) { image.resize(0x3E); }, false},
        {"headers beyond the end", [](auto& image) { Write32(image, 0x3C, 0xFFFFFFF0u); }, false},
        {"not a PE signature", [](auto& image) { image[Header + 2] = 1; }, false},
        {"a 64-bit image", [](auto& image) { Write32(image, Optional, 0x20B); }, false},
        {"certificate table beyond the end",
         [](auto& image) {
             Sign(image);
             Write32(image, CertificateEntry + 4, 0xFFFFFF00u);
         },
         false},
        {"certificate table over the headers",
         [](auto& image) {
             Sign(image);
             Write32(image, CertificateEntry, 0);
         },
         false},
    };
    for (const auto& test : cases) {
        std::vector<uint8_t> image = StampedImage();
        test.Change(image);
        EXPECT_EQ(ImageIntact(image), test.Intact) << test.What;
    }
}

} // namespace
} // namespace setup
