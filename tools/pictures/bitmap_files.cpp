#include "tools/pictures/bitmap_files.h"

#include <cstdio>

namespace {

const int FILE_HEADER_SIZE = 14;
const int INFO_HEADER_SIZE = 40;
const int PIXELS_PER_METRE = 2835;  // 72 dpi

void put16(Bytes& out, int v) {
    out.push_back((uint8_t)(v & 255));
    out.push_back((uint8_t)((v >> 8) & 255));
}

void put32(Bytes& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back((uint8_t)((v >> (8 * i)) & 255));
}

int paddedRowBytes(int width, int bitsPerPixel) { return (width * bitsPerPixel + 31) / 32 * 4; }

void putInfoHeader(Bytes& out, int width, int height, int bitsPerPixel, uint32_t imageBytes,
                   int ppm) {
    put32(out, INFO_HEADER_SIZE);
    put32(out, (uint32_t)width);
    put32(out, (uint32_t)height);
    put16(out, 1);  // planes
    put16(out, bitsPerPixel);
    put32(out, 0);  // BI_RGB
    put32(out, imageBytes);
    put32(out, (uint32_t)ppm);
    put32(out, (uint32_t)ppm);
    put32(out, 0);  // colours used
    put32(out, 0);  // colours important
}

// Bottom-up rows of packed pixels, each row padded with zeros to four bytes.
template <typename PutPixel>
Bytes encodeBmp(const Image& image, int bitsPerPixel, PutPixel putPixel) {
    int rowBytes = paddedRowBytes(image.width, bitsPerPixel);
    uint32_t pixelBytes = (uint32_t)rowBytes * image.height;
    Bytes out;
    out.reserve(FILE_HEADER_SIZE + INFO_HEADER_SIZE + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    put32(out, FILE_HEADER_SIZE + INFO_HEADER_SIZE + pixelBytes);
    put32(out, 0);
    put32(out, FILE_HEADER_SIZE + INFO_HEADER_SIZE);
    putInfoHeader(out, image.width, image.height, bitsPerPixel, pixelBytes, PIXELS_PER_METRE);
    for (int y = image.height - 1; y >= 0; --y) {
        size_t rowStart = out.size();
        for (int x = 0; x < image.width; ++x)
            putPixel(out, &image.rgba[((size_t)y * image.width + x) * 4]);
        while (out.size() - rowStart < (size_t)rowBytes) out.push_back(0);
    }
    return out;
}

}  // namespace

Bytes encodeBmp24(const Image& image) {
    return encodeBmp(image, 24, [](Bytes& out, const uint8_t* px) {
        out.push_back(px[2]);
        out.push_back(px[1]);
        out.push_back(px[0]);
    });
}

Bytes encodeBmp16(const Image& image) {
    return encodeBmp(image, 16, [](Bytes& out, const uint8_t* px) {
        put16(out, (px[0] >> 3) << 10 | (px[1] >> 3) << 5 | (px[2] >> 3));
    });
}

Bytes encodeIco(const std::vector<Image>& images) {
    const int DIR_SIZE = 6, ENTRY_SIZE = 16;
    Bytes out;
    put16(out, 0);
    put16(out, 1);  // icon, not cursor
    put16(out, (int)images.size());

    std::vector<Bytes> bodies;
    for (const Image& image : images) {
        int size = image.width;
        int maskRowBytes = paddedRowBytes(size, 1);
        uint32_t colourBytes = (uint32_t)size * size * 4;
        Bytes body;
        // The DIB's height counts the colour image and the mask stacked.
        putInfoHeader(body, size, size * 2, 32, colourBytes + (uint32_t)maskRowBytes * size, 0);
        for (int y = size - 1; y >= 0; --y) {
            for (int x = 0; x < size; ++x) {
                const uint8_t* px = &image.rgba[((size_t)y * size + x) * 4];
                body.push_back(px[2]);
                body.push_back(px[1]);
                body.push_back(px[0]);
                body.push_back(px[3]);
            }
        }
        // The mask is what old code paths without alpha see: set bits are holes.
        for (int y = size - 1; y >= 0; --y) {
            Bytes row((size_t)maskRowBytes, 0);
            for (int x = 0; x < size; ++x) {
                if (image.rgba[((size_t)y * size + x) * 4 + 3] < 128)
                    row[x / 8] |= (uint8_t)(0x80 >> (x % 8));
            }
            body.insert(body.end(), row.begin(), row.end());
        }
        bodies.push_back(body);
    }

    uint32_t offset = DIR_SIZE + ENTRY_SIZE * (uint32_t)images.size();
    for (size_t i = 0; i < images.size(); ++i) {
        int size = images[i].width;
        out.push_back((uint8_t)(size == 256 ? 0 : size));
        out.push_back((uint8_t)(size == 256 ? 0 : size));
        out.push_back(0);  // no palette
        out.push_back(0);
        put16(out, 1);  // planes
        put16(out, 32);
        put32(out, (uint32_t)bodies[i].size());
        put32(out, offset);
        offset += (uint32_t)bodies[i].size();
    }
    for (const Bytes& body : bodies) out.insert(out.end(), body.begin(), body.end());
    return out;
}

int writeAssetFiles(int argc, char** argv, const std::vector<AssetFile>& files) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output directory>\n", argc > 0 ? argv[0] : "generator");
        return 2;
    }
    for (const AssetFile& file : files) {
        std::string path = std::string(argv[1]) + "/" + file.name;
        std::FILE* f = std::fopen(path.c_str(), "wb");
        bool written =
            f && std::fwrite(file.bytes.data(), 1, file.bytes.size(), f) == file.bytes.size();
        if (f && std::fclose(f) != 0) written = false;
        if (!written) {
            std::fprintf(stderr, "%s: cannot write %s\n", argv[0], path.c_str());
            return 1;
        }
    }
    return 0;
}
