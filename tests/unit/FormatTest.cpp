// The program's own message formatting against the C library's, for every conversion the
// messages use.
#include "base/Exceptions.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>

using setup::Format;

namespace {

template <typename... Args> std::string Reference(const char* format, Args... args) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, format, args...);
    return buffer;
}

} // namespace

TEST(FormatTest, IntegersMatchTheCLibraryAtTheirEnds) {
    for (int value : {0, 1, -1, 9, 10, -10, 57, 100, INT_MAX, INT_MIN})
        EXPECT_EQ(Format("%d%%", value), Reference("%d%%", value)) << value;
    for (long long value : {0LL, -2147483647LL, 2147483647LL, LLONG_MAX, LLONG_MIN})
        EXPECT_EQ(Format("Value must be between %lld and %lld", value, -value / 2),
                  Reference("Value must be between %lld and %lld", value, -value / 2));
    for (unsigned value : {0u, 1u, 0x80004002u, 0xFFFFFFFFu}) {
        EXPECT_EQ(Format("OLE error %.8x", value), Reference("OLE error %.8x", value));
        EXPECT_EQ(Format("%u|%x", value, value), Reference("%u|%x", value, value));
    }
}

TEST(FormatTest, TextAndCharactersAreCopiedAsTheyAre) {
    EXPECT_EQ(Format("Cannot create file %s", "C:\\Program Files\\x 100%.exe"),
              "Cannot create file C:\\Program Files\\x 100%.exe");
    EXPECT_EQ(Format("%c: %s", 'C', "[Disk]"), "C: [Disk]");
    EXPECT_EQ(Format("%s", ""), "");
    EXPECT_EQ(Format("plain"), "plain");
    EXPECT_EQ(Format("%s value %d is out of range %d..%d", "Angle", 400, 0, 359),
              "Angle value 400 is out of range 0..359");
}

TEST(FormatTest, SizesAreReadAsSizeT) {
    EXPECT_EQ(Format("%s: __pos (which is %zu) > this->size() (which is %zu)", "basic_string::at",
                     size_t{7}, size_t{3}),
              "basic_string::at: __pos (which is 7) > this->size() (which is 3)");
}
