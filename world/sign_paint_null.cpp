#include <cstddef>

#include "world/sign_paint.h"

// Without a platform font the board keeps its wood and frame, and no text.

namespace {

void setPixel(unsigned char* pixels, int width, int x, int y, const unsigned char* rgb) {
    unsigned char* p = &pixels[((size_t)y * width + (size_t)x) * 4];
    p[0] = rgb[2];
    p[1] = rgb[1];
    p[2] = rgb[0];
    p[3] = 0;
}

}  // namespace

int paintSignBoard(unsigned char* pixels, int scale) {
    const int width = SIGN_BOARD_WIDTH * scale;
    const int height = SIGN_BOARD_HEIGHT * scale;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) setPixel(pixels, width, x, y, SIGN_BOARD_COLOUR);
    // A frame just inside (8, 8) - (504, 248) of the design, one design pixel
    // thick, as a frame brush draws it.
    const int left = 8 * scale, top = 8 * scale, right = 504 * scale, bottom = 248 * scale;
    for (int t = 0; t < scale; ++t) {
        for (int x = left; x < right; ++x) {
            setPixel(pixels, width, x, top + t, SIGN_FRAME_COLOUR);
            setPixel(pixels, width, x, bottom - 1 - t, SIGN_FRAME_COLOUR);
        }
        for (int y = top; y < bottom; ++y) {
            setPixel(pixels, width, left + t, y, SIGN_FRAME_COLOUR);
            setPixel(pixels, width, right - 1 - t, y, SIGN_FRAME_COLOUR);
        }
    }
    return 1;
}
