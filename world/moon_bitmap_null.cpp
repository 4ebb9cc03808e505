#include <cstdio>
#include <cstdlib>

#include "world/moon_bitmap.h"

// The native build reads the same generated picture the exe carries.
#ifndef GLADEWARDEN_ASSET_DIR
#define GLADEWARDEN_ASSET_DIR "."
#endif

namespace {
unsigned readLittleEndian(const unsigned char* p, int bytes) {
    unsigned v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}
}  // namespace

int loadMoonBitmap(unsigned char** pixels, int* width, int* height) {
    FILE* file = std::fopen(GLADEWARDEN_ASSET_DIR "/moon.bmp", "rb");
    if (!file) return 0;
    unsigned char header[54];
    int ok = std::fread(header, 1, sizeof(header), file) == sizeof(header) && header[0] == 'B' &&
             header[1] == 'M' && readLittleEndian(header + 28, 2) == 24 &&
             readLittleEndian(header + 30, 4) == 0;
    int w = (int)readLittleEndian(header + 18, 4);
    int h = (int)readLittleEndian(header + 22, 4);
    unsigned offset = readLittleEndian(header + 10, 4);
    unsigned char* buffer = nullptr;
    if (ok && w >= 1 && h > 0 && w <= 4096 && h <= 4096)
        buffer = (unsigned char*)std::malloc((size_t)w * h * 3);
    ok = ok && buffer && std::fseek(file, (long)offset, SEEK_SET) == 0;
    // Rows are stored bottom-up, padded to four bytes, as blue, green, red.
    size_t stride = ((size_t)w * 3 + 3) & ~(size_t)3;
    unsigned char row[4096 * 3 + 4];
    for (int y = h - 1; ok && y >= 0; --y) {
        ok = std::fread(row, 1, stride, file) == stride;
        for (int x = 0; ok && x < w; ++x) {
            unsigned char* p = &buffer[((size_t)y * w + x) * 3];
            p[0] = row[x * 3 + 2];
            p[1] = row[x * 3 + 1];
            p[2] = row[x * 3 + 0];
        }
    }
    std::fclose(file);
    if (!ok) {
        std::free(buffer);
        return 0;
    }
    *pixels = buffer;
    *width = w;
    *height = h;
    return 1;
}
