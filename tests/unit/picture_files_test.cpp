#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "tools/pictures/pictures.h"

namespace {

uint32_t read16(const Bytes& b, size_t at) { return b[at] | b[at + 1] << 8; }
uint32_t read32(const Bytes& b, size_t at) { return read16(b, at) | read16(b, at + 2) << 16; }

// A bitmap file as the resource compiler takes it: rows bottom-up, padded to four bytes.
struct Bmp {
    const Bytes& b;
    int width = (int)read32(b, 18), height = (int)read32(b, 22), bits = (int)read16(b, 28);
    size_t stride = (size_t)(width * bits + 31) / 32 * 4;
    bool consistent() const {
        return b[0] == 'B' && b[1] == 'M' && read32(b, 2) == b.size() && read32(b, 10) == 54 &&
               read16(b, 26) == 1 && read32(b, 30) == 0 && b.size() == 54 + stride * height;
    }
    // Red, green and blue of pixel (x, y), y from the top, each 0..255; returns their sum.
    int rgb(int x, int y, int c[3]) const {
        size_t at = 54 + (size_t)(height - 1 - y) * stride + (size_t)x * bits / 8;
        uint32_t v = read16(b, at);  // x1r5g5b5
        for (int k = 0; k < 3; ++k)
            c[k] = bits == 24 ? b[at + 2 - k] : (int)((v >> (10 - 5 * k)) & 31) * 255 / 31;
        return c[0] + c[1] + c[2];
    }
};

// The moon a grey disc on black reaching the edges; a caption on white in strong ink of its own
// hue. The codes are read from the Donate box on screen end to end.
void showsWhatItShould(const Bmp& bmp, const std::string& name, int hue) {
    int c[3], ink = 0;
    if (name == "moon.bmp") {
        EXPECT_EQ(bmp.rgb(0, 0, c), 0);
        EXPECT_GT(bmp.rgb(32, 1, c), 120);
        EXPECT_GT(bmp.rgb(32, 32, c), 180);
        EXPECT_EQ(c[0], c[1]);
        EXPECT_EQ(c[1], c[2]);
        return;
    }
    for (int y = 0; y < bmp.height; ++y)
        for (int x = 0; x < bmp.width; ++x) {
            bmp.rgb(x, y, c);
            ink += std::min({c[0], c[1], c[2]}) < 128 && c[hue] > c[0] + 60 &&
                   c[hue] > c[3 - hue] + 20;
        }
    EXPECT_EQ(bmp.rgb(0, 0, c), 3 * 255);
    EXPECT_GT(hue ? ink : 401, 400);
}

}  // namespace

TEST(GeneratedPictures, EachBitmapHasItsSizeDepthAndPicture) {
    std::vector<AssetFile> files = donateCodes(), labels = donateLabels();
    files.insert(files.end(), labels.begin(), labels.end());
    files.push_back(moonBitmap());
    struct Expected {
        const char* name;
        int width, height, bits, hue;
    };  // hue: a caption's ink channel
    const Expected PICTURES[5] = {{"donate_code_left.bmp", 235, 235, 16, 0},
                                  {"donate_code_right.bmp", 235, 235, 16, 0},
                                  {"donate_label_left.bmp", 144, 53, 24, 1},
                                  {"donate_label_right.bmp", 145, 53, 24, 2},
                                  {"moon.bmp", 64, 64, 24, 0}};
    ASSERT_EQ(files.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        const Expected& e = PICTURES[i];
        SCOPED_TRACE(e.name);
        EXPECT_EQ(files[i].name, e.name);
        Bmp bmp{files[i].bytes};
        ASSERT_TRUE(bmp.consistent());
        EXPECT_EQ(std::make_tuple(bmp.width, bmp.height, bmp.bits),
                  std::make_tuple(e.width, e.height, e.bits));
        showsWhatItShould(bmp, e.name, e.hue);
    }
}

TEST(GeneratedPictures, IconHasEverySizeWithTransparentCornersAndAnOpaqueMiddle) {
    AssetFile icon = gameIcon();
    const Bytes& b = icon.bytes;
    ASSERT_EQ(read16(b, 4), 5u);
    const int SIZES[5] = {16, 24, 32, 48, 64};
    for (int i = 0; i < 5; ++i) {
        int size = SIZES[i], entry = 6 + 16 * i;
        uint32_t offset = read32(b, entry + 12), bytes = read32(b, entry + 8);
        ASSERT_EQ(b[entry], size);
        ASSERT_EQ(bytes, 40u + size * size * 4 +
                             (size + 31) / 32 * 4u * size);  // colour, then the padded mask
        ASSERT_LE(offset + bytes, b.size());
        auto alpha = [&](int x, int y) {
            return b[offset + 40 + ((size_t)(size - 1 - y) * size + x) * 4 + 3];
        };
        EXPECT_EQ(alpha(0, 0) + alpha(size - 1, size - 1), 0) << size;
        EXPECT_EQ(alpha(size / 2, size / 2), 255) << size;
    }
}
