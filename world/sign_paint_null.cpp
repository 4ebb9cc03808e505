#include <cstddef>

#include "world/sign_paint.h"

// Without a platform font the board keeps its wood and frame, and no text.

namespace {

void setPixel(unsigned char* pixels, int x, int y, const unsigned char* rgb) {
    unsigned char* p = &pixels[((size_t)y * SIGN_BOARD_WIDTH + (size_t)x) * 4];
    p[0] = rgb[2];
    p[1] = rgb[1];
    p[2] = rgb[0];
    p[3] = 0;
}

}  // namespace

int paintSignBoard(unsigned char* pixels) {
    for (int y = 0; y < SIGN_BOARD_HEIGHT; ++y)
        for (int x = 0; x < SIGN_BOARD_WIDTH; ++x) setPixel(pixels, x, y, SIGN_BOARD_COLOUR);
    // A one-pixel frame just inside (8, 8) - (504, 248), as a frame brush draws it.
    const int left = 8, top = 8, right = 504, bottom = 248;
    for (int x = left; x < right; ++x) {
        setPixel(pixels, x, top, SIGN_FRAME_COLOUR);
        setPixel(pixels, x, bottom - 1, SIGN_FRAME_COLOUR);
    }
    for (int y = top; y < bottom; ++y) {
        setPixel(pixels, left, y, SIGN_FRAME_COLOUR);
        setPixel(pixels, right - 1, y, SIGN_FRAME_COLOUR);
    }
    return 1;
}
