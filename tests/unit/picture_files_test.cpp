#include <gtest/gtest.h>

#include "tools/pictures/pictures.h"

namespace {

uint32_t read16(const Bytes& b, size_t at) { return b[at] | b[at + 1] << 8; }
uint32_t read32(const Bytes& b, size_t at) { return read16(b, at) | read16(b, at + 2) << 16; }

}  // namespace

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
