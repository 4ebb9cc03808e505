#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/pictures/bitmap_files.h"
#include "tools/pictures/pictures.h"
#include "tools/pictures/stroke_font.h"

namespace {

uint32_t read16(const Bytes& b, size_t at) {
    return b[at] | b[at + 1] << 8;
}

uint32_t read32(const Bytes& b, size_t at) {
    return read16(b, at) | read16(b, at + 2) << 16;
}

// The header fields of a bitmap file, checked for what every one of ours must be.
struct BmpInfo {
    int width, height, bits, stride;
};

BmpInfo readBmp(const Bytes& b) {
    BmpInfo info{};
    EXPECT_GE(b.size(), 54u);
    if (b.size() < 54) return info;
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(read32(b, 2), b.size());
    EXPECT_EQ(read32(b, 10), 54u);
    EXPECT_EQ(read32(b, 14), 40u);
    info.width = (int)read32(b, 18);
    info.height = (int)read32(b, 22);  // positive: rows stored bottom-up
    EXPECT_GT(info.height, 0);
    EXPECT_EQ(read16(b, 26), 1u);
    info.bits = (int)read16(b, 28);
    EXPECT_EQ(read32(b, 30), 0u);  // uncompressed
    info.stride = (info.width * info.bits + 31) / 32 * 4;
    EXPECT_EQ(read32(b, 34), (uint32_t)(info.stride * info.height));
    EXPECT_EQ(b.size(), 54u + (size_t)info.stride * info.height);
    return info;
}

// Byte offset of pixel (x, y), y counted from the top of the picture.
size_t pixelAt(const BmpInfo& info, int x, int y) {
    return 54 + (size_t)(info.height - 1 - y) * info.stride + (size_t)x * info.bits / 8;
}

bool paddingIsZero(const Bytes& b, const BmpInfo& info) {
    int used = info.width * info.bits / 8;
    for (int row = 0; row < info.height; ++row) {
        for (int k = used; k < info.stride; ++k) {
            if (b[54 + (size_t)row * info.stride + k] != 0) return false;
        }
    }
    return true;
}

Image solidImage(int width, int height, std::vector<uint8_t> rgba) {
    Image image;
    image.width = width;
    image.height = height;
    for (int i = 0; i < width * height; ++i) image.rgba.insert(image.rgba.end(), rgba.begin(), rgba.end());
    return image;
}

void setPixel(Image& image, int x, int y, std::vector<uint8_t> rgba) {
    std::copy(rgba.begin(), rgba.end(), image.rgba.begin() + ((size_t)y * image.width + x) * 4);
}

}  // namespace

TEST(BitmapEncoders, Bmp24IsBottomUpBgrWithPaddedRows) {
    Image image = solidImage(3, 2, {0, 0, 0, 255});
    setPixel(image, 0, 0, {10, 20, 30, 255});   // top-left
    setPixel(image, 2, 1, {40, 50, 60, 0});     // bottom-right, alpha ignored
    Bytes b = encodeBmp24(image);
    BmpInfo info = readBmp(b);
    EXPECT_EQ(info.bits, 24);
    EXPECT_EQ(info.stride, 12);
    EXPECT_EQ(b.size(), 54u + 24u);
    // The bottom row comes first in the file.
    EXPECT_EQ(b[54 + 6], 60);
    EXPECT_EQ(b[54 + 7], 50);
    EXPECT_EQ(b[54 + 8], 40);
    EXPECT_EQ(b[54 + 12], 30);
    EXPECT_EQ(b[54 + 13], 20);
    EXPECT_EQ(b[54 + 14], 10);
    EXPECT_TRUE(paddingIsZero(b, info));
}

TEST(BitmapEncoders, Bmp16PacksFiveBitsPerChannel) {
    Image image = solidImage(3, 1, {0, 0, 0, 255});
    setPixel(image, 0, 0, {255, 0, 0, 255});
    setPixel(image, 1, 0, {0, 255, 0, 255});
    setPixel(image, 2, 0, {0, 7, 255, 255});
    Bytes b = encodeBmp16(image);
    BmpInfo info = readBmp(b);
    EXPECT_EQ(info.bits, 16);
    EXPECT_EQ(info.stride, 8);
    EXPECT_EQ(read16(b, 54), 0x7C00u);
    EXPECT_EQ(read16(b, 56), 0x03E0u);
    EXPECT_EQ(read16(b, 58), 0x001Fu);  // 7 is below one green step
    EXPECT_TRUE(paddingIsZero(b, info));
}

TEST(BitmapEncoders, IcoDirectoryImagesAndMask) {
    Image small = solidImage(16, 16, {200, 100, 50, 255});
    setPixel(small, 0, 0, {0, 0, 0, 0});
    Image large = solidImage(32, 32, {0, 0, 0, 0});
    Bytes ico = encodeIco({small, large});
    EXPECT_EQ(read16(ico, 0), 0u);
    EXPECT_EQ(read16(ico, 2), 1u);
    ASSERT_EQ(read16(ico, 4), 2u);
    uint32_t expectedOffset = 6 + 2 * 16;
    const int sizes[2] = {16, 32};
    for (int i = 0; i < 2; ++i) {
        size_t entry = 6 + 16 * i;
        int size = sizes[i];
        EXPECT_EQ(ico[entry], size);
        EXPECT_EQ(ico[entry + 1], size);
        EXPECT_EQ(read16(ico, entry + 6), 32u);
        uint32_t bytes = read32(ico, entry + 8), offset = read32(ico, entry + 12);
        EXPECT_EQ(offset, expectedOffset);
        // Header, colour pixels, then a mask row of 32 bits (padded) per line.
        EXPECT_EQ(bytes, 40u + size * size * 4 + 4u * size);
        EXPECT_EQ(read32(ico, offset + 4), (uint32_t)size);
        EXPECT_EQ(read32(ico, offset + 8), (uint32_t)size * 2);
        EXPECT_EQ(read16(ico, offset + 14), 32u);
        expectedOffset += bytes;
    }
    EXPECT_EQ(ico.size(), expectedOffset);

    // Small icon: the top-left pixel is the last colour row's first pixel and a mask hole.
    uint32_t offset = read32(ico, 6 + 12);
    size_t topRow = offset + 40 + 15 * 16 * 4;
    EXPECT_EQ(ico[topRow + 3], 0);
    EXPECT_EQ(ico[topRow + 4], 50);   // blue of the next pixel
    EXPECT_EQ(ico[topRow + 7], 255);
    size_t mask = offset + 40 + 16 * 16 * 4;
    EXPECT_EQ(ico[mask + 15 * 4], 0x80);  // top row: only the first pixel is a hole
    EXPECT_EQ(ico[mask], 0x00);
}

TEST(GeneratedPictures, IconHasEverySizeWithTransparentCorners) {
    AssetFile icon = gameIcon();
    EXPECT_EQ(icon.name, "gladewarden.ico");
    const Bytes& b = icon.bytes;
    ASSERT_EQ(read16(b, 4), 5u);
    const int sizes[5] = {16, 24, 32, 48, 64};
    for (int i = 0; i < 5; ++i) {
        int size = sizes[i];
        ASSERT_EQ(b[6 + 16 * i], size);
        uint32_t offset = read32(b, 6 + 16 * i + 12);
        ASSERT_LE(offset + 40 + (size_t)size * size * 4, b.size());
        auto alpha = [&](int x, int y) { return b[offset + 40 + ((size_t)(size - 1 - y) * size + x) * 4 + 3]; };
        EXPECT_EQ(alpha(0, 0), 0) << size;
        EXPECT_EQ(alpha(size - 1, size - 1), 0) << size;
        EXPECT_EQ(alpha(size / 2, size / 2), 255) << size;
        EXPECT_EQ(alpha(size / 2, 1), 255) << size;  // the ring reaches close to the edge
    }
}

TEST(GeneratedPictures, MoonIsAGreyDiscOnBlack) {
    AssetFile moon = moonBitmap();
    EXPECT_EQ(moon.name, "moon.bmp");
    const Bytes& b = moon.bytes;
    EXPECT_EQ(b.size(), 12342u);
    BmpInfo info = readBmp(b);
    EXPECT_EQ(info.width, 64);
    EXPECT_EQ(info.height, 64);
    EXPECT_EQ(info.bits, 24);
    int brightest = 0, darkestInside = 255;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            size_t p = pixelAt(info, x, y);
            ASSERT_EQ(b[p], b[p + 1]) << x << "," << y;
            ASSERT_EQ(b[p], b[p + 2]) << x << "," << y;
            brightest = std::max<int>(brightest, b[p]);
            double dx = x + 0.5 - 32, dy = y + 0.5 - 32;
            if (dx * dx + dy * dy < 28 * 28) darkestInside = std::min<int>(darkestInside, b[p]);
        }
    }
    for (int c : {0, 63}) {
        EXPECT_EQ(b[pixelAt(info, c, 0)], 0);
        EXPECT_EQ(b[pixelAt(info, c, 63)], 0);
    }
    // The disc reaches the middle of every edge, and the face is lit but not flat.
    EXPECT_GT(b[pixelAt(info, 32, 0)], 40);
    EXPECT_GT(b[pixelAt(info, 0, 32)], 40);
    EXPECT_GT(brightest, 200);
    EXPECT_GT(darkestInside, 60);
    EXPECT_LT(darkestInside, 150);
}

TEST(GeneratedPictures, DonateCodesAreBlackOnWhiteWithQuietZone) {
    std::vector<AssetFile> codes = donateCodes();
    ASSERT_EQ(codes.size(), 2u);
    EXPECT_EQ(codes[0].name, "donate_code_left.bmp");
    EXPECT_EQ(codes[1].name, "donate_code_right.bmp");
    for (const AssetFile& code : codes) {
        const Bytes& b = code.bytes;
        EXPECT_EQ(b.size(), 54u + 472u * 235u);
        BmpInfo info = readBmp(b);
        EXPECT_EQ(info.width, 235);
        EXPECT_EQ(info.height, 235);
        EXPECT_EQ(info.bits, 16);
        EXPECT_EQ(info.stride, 472);
        EXPECT_TRUE(paddingIsZero(b, info));
        int left = 235, right = -1, top = 235, bottom = -1;
        for (int y = 0; y < 235; ++y) {
            for (int x = 0; x < 235; ++x) {
                uint32_t v = read16(b, pixelAt(info, x, y));
                ASSERT_TRUE(v == 0x0000 || v == 0x7FFF) << x << "," << y;
                if (v == 0) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
            }
        }
        // The top-left finder's first row is seven modules of dark.
        int module = 0;
        while (read16(b, pixelAt(info, left + module, top)) == 0) ++module;
        ASSERT_EQ(module % 7, 0);
        module /= 7;
        EXPECT_GE(left, 4 * module);
        EXPECT_GE(top, 4 * module);
        EXPECT_LE(std::abs(left - (234 - right)), 1);
        EXPECT_LE(std::abs(top - (234 - bottom)), 1);
        EXPECT_EQ((right - left + 1) % module, 0);
    }
}

TEST(StrokeFont, HasEveryLetterOfTheCaptions) {
    EXPECT_TRUE(strokeFontCovers("WeChat"));
    EXPECT_TRUE(strokeFontCovers("Alipay"));
    // Letters without a glyph would silently drop out of a caption.
    EXPECT_FALSE(strokeFontCovers("Wechat!"));
}

TEST(GeneratedPictures, LabelsAreGreenAndBlueOnWhite) {
    std::vector<AssetFile> labels = donateLabels();
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0].name, "donate_label_left.bmp");
    EXPECT_EQ(labels[1].name, "donate_label_right.bmp");
    const int widths[2] = {144, 145};
    for (int i = 0; i < 2; ++i) {
        const Bytes& b = labels[i].bytes;
        BmpInfo info = readBmp(b);
        EXPECT_EQ(info.width, widths[i]);
        EXPECT_EQ(info.height, 53);
        EXPECT_EQ(info.bits, 24);
        EXPECT_TRUE(paddingIsZero(b, info));
        int ink = 0, wrongHue = 0;
        for (int y = 0; y < 53; ++y) {
            for (int x = 0; x < info.width; ++x) {
                size_t p = pixelAt(info, x, y);
                int blue = b[p], green = b[p + 1], red = b[p + 2];
                bool strong = std::min({red, green, blue}) < 128;
                // Left caption in greens, right in blues.
                int own = i == 0 ? green : blue, other = i == 0 ? blue : green;
                if (strong && own > red + 60 && own > other + 20) ++ink;
                if (strong && !(own > red && own > other)) ++wrongHue;
            }
        }
        EXPECT_GT(ink, 400) << labels[i].name;
        EXPECT_EQ(wrongHue, 0) << labels[i].name;
        for (int corner : {0, 1}) {
            size_t p = pixelAt(info, corner ? info.width - 1 : 0, corner ? 52 : 0);
            EXPECT_EQ(b[p] + b[p + 1] + b[p + 2], 3 * 255);
        }
    }
}
