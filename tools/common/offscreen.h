#pragma once

// An OSMesa rendering context drawing into memory, for snapshots, benchmarks
// and render tests. Its buffers match the game window's: RGBA, 24-bit depth,
// 8-bit stencil.

struct PixelColour {
    int red, green, blue;
};

// Creates the context and makes it current; 1 on success.
int offscreenOpen(int width, int height);
void offscreenClose();
int offscreenWidth();
int offscreenHeight();
// x from the left, y from the top, like a screenshot.
PixelColour offscreenPixel(int x, int y);
// Writes what has been drawn (after glFinish) as an RGB PNG; 1 on success.
int offscreenWritePng(const char* path);
