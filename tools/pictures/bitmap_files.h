#pragma once
// The file formats the resource compiler takes: Windows bitmaps (24-bit and
// 16-bit X1R5G5B5, bottom-up, rows padded to four bytes) and icons (32-bit
// images with alpha plus the AND mask), and the one way generators write them.
#include <cstdint>
#include <string>
#include <vector>

#include "tools/pictures/raster.h"

using Bytes = std::vector<uint8_t>;

// Alpha is ignored: the caller flattens the picture onto its background first.
Bytes encodeBmp24(const Image& image);
Bytes encodeBmp16(const Image& image);

// One entry per image, in the order given; every image is square, 1..256 px.
Bytes encodeIco(const std::vector<Image>& images);

struct AssetFile {
    std::string name;
    Bytes bytes;
};

// A generator's main: argv[1] is the output directory. Returns the exit code.
int writeAssetFiles(int argc, char** argv, const std::vector<AssetFile>& files);
