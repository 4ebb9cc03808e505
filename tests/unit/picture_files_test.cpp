#include <gtest/gtest.h>

#include <algorithm>

#include "tools/pictures/pictures.h"

namespace {

uint32_t read16(const Bytes& b, size_t at) { return b[at] | b[at + 1] << 8; }
uint32_t read32(const Bytes& b, size_t at) { return read16(b, at) | read16(b, at + 2) << 16; }

// The sum of red, green and blue of pixel (x, y) from the top of a 24-bit bitmap, rows bottom-up.
int rgb(const Bytes& b, int x, int y, int c[3]) {
    const size_t at = 54 + (read32(b, 22) - 1 - y) * ((read32(b, 18) * 3 + 3) / 4 * 4) + x * 3;
    for (int k = 0; k < 3; ++k) c[k] = b[at + 2 - k];
    return c[0] + c[1] + c[2];
}

}  // namespace

// Each caption on white with over 400 pixels of strong ink of its own hue (the codes are read from
// the Donate box on screen end to end); the moon a bright disc on black.
TEST(GeneratedPictures, TheCaptionsAndTheMoonShowTheirPictures) {
    int c[3];
    for (int h : {1, 2}) {  // the ink's hue: green on the left, blue on the right
        const Bytes b = donateLabels().at(h - 1).bytes;
        const uint32_t width = read32(b, 18);
        int ink = 0;
        EXPECT_EQ(rgb(b, 0, 0, c), 3 * 255) << h;
        for (uint32_t at = 0; at < width * read32(b, 22); ++at) {
            rgb(b, at % width, at / width, c);
            ink += std::min({c[0], c[1], c[2]}) < 128 && c[h] > std::max(c[0] + 60, c[3 - h] + 20);
        }
        EXPECT_GT(ink, 400) << h;
    }
    EXPECT_EQ(rgb(moonBitmap().bytes, 0, 0, c), 0);
    EXPECT_GT(rgb(moonBitmap().bytes, 32, 32, c), 180);
}

// Five sizes, each its colour and then its padded mask, the corners clear and the middle opaque.
TEST(GeneratedPictures, IconHasEverySizeWithTransparentCornersAndAnOpaqueMiddle) {
    const Bytes b = gameIcon().bytes;
    ASSERT_EQ(read16(b, 4), 5u);
    for (uint32_t entry = 6; entry < 6 + 5 * 16; entry += 16) {
        const uint32_t size = b[entry], offset = read32(b, entry + 12),
                       bytes = read32(b, entry + 8);
        ASSERT_EQ(bytes, 40 + size * size * 4 + (size + 31) / 32 * 4 * size) << size;
        ASSERT_LE(offset + bytes, b.size()) << size;
        const uint8_t* alpha = &b[offset + 40 + 3];  // BGRA rows, bottom-up
        EXPECT_EQ(alpha[0] + alpha[(size * size - 1) * 4], 0) << size;
        EXPECT_EQ(alpha[(size / 2 * size + size / 2) * 4], 255) << size;
    }
}
