#include "tools/pictures/raster.h"

#include <cmath>

Image renderSupersampled(int width, int height, int grid, const Shader& shade) {
    Image image;
    image.width = width;
    image.height = height;
    image.rgba.resize((size_t)width * height * 4);
    const double samples = (double)grid * grid;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // Averaging premultiplied colour keeps transparent samples from
            // tinting the edge.
            double r = 0, g = 0, b = 0, a = 0;
            for (int sy = 0; sy < grid; ++sy) {
                for (int sx = 0; sx < grid; ++sx) {
                    Colour c = shade(x + (sx + 0.5) / grid, y + (sy + 0.5) / grid);
                    r += c.r * c.a;
                    g += c.g * c.a;
                    b += c.b * c.a;
                    a += c.a;
                }
            }
            uint8_t* px = &image.rgba[((size_t)y * width + x) * 4];
            double alpha = a / samples;
            double unpremultiply = a > 0 ? 1.0 / a : 0.0;
            px[0] = (uint8_t)(clamp01(r * unpremultiply) * 255.0 + 0.5);
            px[1] = (uint8_t)(clamp01(g * unpremultiply) * 255.0 + 0.5);
            px[2] = (uint8_t)(clamp01(b * unpremultiply) * 255.0 + 0.5);
            px[3] = (uint8_t)(clamp01(alpha) * 255.0 + 0.5);
        }
    }
    return image;
}

int imageChannel(const Image& image, int x, int y, int channel) {
    return image.rgba[((size_t)y * image.width + x) * 4 + channel];
}

Colour rgb(int hex) {
    return Colour{((hex >> 16) & 255) / 255.0f, ((hex >> 8) & 255) / 255.0f, (hex & 255) / 255.0f,
                  1.0f};
}

Colour withAlpha(Colour c, double alpha) {
    c.a = (float)(c.a * clamp01(alpha));
    return c;
}

Colour mixColour(Colour a, Colour b, double t) {
    float s = (float)clamp01(t);
    return Colour{a.r + (b.r - a.r) * s, a.g + (b.g - a.g) * s, a.b + (b.b - a.b) * s,
                  a.a + (b.a - a.a) * s};
}

Colour over(Colour top, Colour below) {
    float a = top.a + below.a * (1.0f - top.a);
    if (a <= 0.0f) return Colour{0, 0, 0, 0};
    float k = below.a * (1.0f - top.a);
    return Colour{(top.r * top.a + below.r * k) / a, (top.g * top.a + below.g * k) / a,
                  (top.b * top.a + below.b * k) / a, a};
}

double clamp01(double v) { return v < 0.0 ? 0.0 : (v > 1.0 ? 1.0 : v); }

double smoothstep(double edge0, double edge1, double x) {
    double t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0 - 2.0 * t);
}

double segmentDistance(double px, double py, double ax, double ay, double bx, double by) {
    double dx = bx - ax, dy = by - ay;
    double lengthSquared = dx * dx + dy * dy;
    double t =
        lengthSquared > 0.0 ? clamp01(((px - ax) * dx + (py - ay) * dy) / lengthSquared) : 0.0;
    double ex = px - (ax + t * dx), ey = py - (ay + t * dy);
    return std::sqrt(ex * ex + ey * ey);
}
