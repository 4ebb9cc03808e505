#include "world/textures.h"

#include <cmath>
#include <cstdlib>

#include "core/random.h"
#include "render/gl.h"
#include "world/moon_bitmap.h"

unsigned int grassTexture = 0;
unsigned int grassMeanTexture = 0;
unsigned int moonTexture = 0;

namespace {

unsigned char grassImage[GRASS_SIZE * GRASS_SIZE * 3];

unsigned char channelByte(float value, float lo, float hi) {
    if (value < lo) value = lo;
    if (value > hi) value = hi;
    return (unsigned char)(int)(value * 255.0f);
}

}  // namespace

unsigned int newLinearTexture(int wrapMode) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrapMode);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrapMode);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return texture;
}

const unsigned char* grassPicture() { return grassImage; }

void createGrassTexture() {
    unsigned char* image = grassImage;
    for (int j = 0; j < GRASS_SIZE; ++j) {
        for (int i = 0; i < GRASS_SIZE; ++i) {
            float base = 0.45f + 0.15f * (float)(std::sin(0.5 * i) * std::cos(0.7 * j));
            float n = (float)(nextRandom() / 32767.0 * 0.12 - 0.06);
            float w = 0.03f * (float)std::sin(1.5 * j + 0.3 * i);
            unsigned char* p = &image[(j * GRASS_SIZE + i) * 3];
            p[0] = channelByte(0.12f + 0.5f * n, 0.05f, 0.35f);
            p[1] = channelByte(base + n + w, 0.25f, 0.75f);
            p[2] = channelByte(0.08f + 0.3f * n, 0.03f, 0.25f);
        }
    }
    unsigned char mean[4] = {0, 0, 0, 0};
    for (int c = 0; c < 3; ++c) {
        int sum = 0;
        for (int p = c; p < GRASS_SIZE * GRASS_SIZE * 3; p += 3) sum += image[p];
        mean[c] = (unsigned char)((sum + GRASS_SIZE * GRASS_SIZE / 2) / (GRASS_SIZE * GRASS_SIZE));
    }
    grassMeanTexture = newLinearTexture(GL_REPEAT);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, mean);
    grassTexture = newLinearTexture(GL_REPEAT);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, GRASS_SIZE, GRASS_SIZE, 0, GL_RGB, GL_UNSIGNED_BYTE,
                 image);
}

void loadMoonTexture() {
    unsigned char* pixels = nullptr;
    int width = 0, height = 0;
    // Without the picture the moon is drawn untextured.
    if (!loadMoonBitmap(&pixels, &width, &height)) return;
    moonTexture = newLinearTexture(GL_CLAMP);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    std::free(pixels);
}
