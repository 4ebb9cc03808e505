#pragma once
// The game's generated pictures, each as the file the resource script takes.
#include <vector>

#include "tools/pictures/bitmap_files.h"

// gladewarden.ico: the emblem at 16, 24, 32, 48 and 64 pixels.
AssetFile gameIcon();

// moon.bmp: the full moon's face, grey on black, 64 x 64, 24-bit.
AssetFile moonBitmap();

// donate_code_left.bmp and donate_code_right.bmp: QR codes, 235 x 235, 16-bit,
// the symbol and its quiet zone within the middle 150 pixels; none when the
// web address does not fit such a symbol.
std::vector<AssetFile> donateCodes();

// donate_label_left.bmp (144 x 53) and donate_label_right.bmp (145 x 53), 24-bit.
std::vector<AssetFile> donateLabels();
