#pragma once
// The little drawing kit behind the generated pictures: colours with straight
// alpha, a picture shaded once per sample and averaged down to pixels (so every
// edge is anti-aliased the same way), and the distance helpers that round
// strokes and shapes are built from.
#include <cstdint>
#include <functional>
#include <vector>

struct Colour {
    float r, g, b, a;
};

// Rows top first, four bytes per pixel in the order red, green, blue, alpha.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;
};

// shade(x, y) is asked at grid x grid points inside every pixel; (0, 0) is the
// top-left corner of the picture and one unit is one pixel.
using Shader = std::function<Colour(double x, double y)>;
Image renderSupersampled(int width, int height, int grid, const Shader& shade);

// One 8-bit channel of the pixel at (x, y): 0 red, 1 green, 2 blue, 3 alpha.
int imageChannel(const Image& image, int x, int y, int channel);

Colour rgb(int hex);  // 0xRRGGBB, opaque
Colour withAlpha(Colour c, double alpha);
Colour mixColour(Colour a, Colour b, double t);
Colour over(Colour top, Colour below);

double clamp01(double v);
double smoothstep(double edge0, double edge1, double x);
double segmentDistance(double px, double py, double ax, double ay, double bx, double by);
