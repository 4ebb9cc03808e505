#include "tools/common/offscreen.h"

#include <GL/osmesa.h>
#include <png.h>

#include <cstdio>
#include <vector>

#include "render/gl.h"

namespace {
OSMesaContext context = nullptr;
std::vector<unsigned char> buffer;
int width = 0;
int height = 0;
}  // namespace

int offscreenOpen(int w, int h) {
    offscreenClose();
    context = OSMesaCreateContextExt(OSMESA_RGBA, 24, 8, 0, nullptr);
    if (!context) return 0;
    width = w;
    height = h;
    buffer.assign((size_t)w * (size_t)h * 4, 0);
    if (!OSMesaMakeCurrent(context, buffer.data(), GL_UNSIGNED_BYTE, w, h)) {
        offscreenClose();
        return 0;
    }
    return 1;
}

void offscreenClose() {
    if (context) OSMesaDestroyContext(context);
    context = nullptr;
}

int offscreenWidth() { return width; }
int offscreenHeight() { return height; }

PixelColour offscreenPixel(int x, int y) {
    glFinish();
    // OSMesa's rows run bottom-up.
    const unsigned char* p = &buffer[((size_t)(height - 1 - y) * (size_t)width + (size_t)x) * 4];
    return PixelColour{p[0], p[1], p[2]};
}

int offscreenWritePng(const char* path) {
    glFinish();
    FILE* file = std::fopen(path, "wb");
    if (!file) return 0;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return 0;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, (png_uint_32)width, (png_uint_32)height, 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_set_filler(png, 0, PNG_FILLER_AFTER);  // the buffer's fourth byte is dropped
    for (int y = 0; y < height; ++y) {
        png_bytep row = (png_bytep)&buffer[(size_t)(height - 1 - y) * (size_t)width * 4];
        png_write_row(png, row);
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return 1;
}
