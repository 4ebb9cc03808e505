// The full moon's face: bright highlands, darker seas roughly where the real
// ones lie, craters with bright rims and three ray craters. Every feature is
// placed on the sphere, so those near the limb foreshorten as they should.
#include <cmath>
#include <vector>

#include "tools/pictures/pictures.h"

namespace {

const int MOON_SIDE = 64;
const double RADIUS = 31.6;  // pixels; the disc nearly fills the square
const double PI = 3.14159265358979;

struct Dir {
    double x, y, z;
};

double dot(Dir a, Dir b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// The point of the sphere seen at disc position (u, v), u right and v up.
Dir onSphere(double u, double v) {
    double zz = 1.0 - u * u - v * v;
    return Dir{u, v, zz > 0 ? std::sqrt(zz) : 0.0};
}

double angleBetween(Dir a, Dir b) {
    double c = dot(a, b);
    return std::acos(c > 1 ? 1 : (c < -1 ? -1 : c));
}

double hash01(int a, int b, int seed) {
    uint32_t h = (uint32_t)a * 374761393u + (uint32_t)b * 668265263u + (uint32_t)seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / 16777216.0;
}

double valueNoise(double x, double y, int seed) {
    int ix = (int)std::floor(x), iy = (int)std::floor(y);
    double fx = smoothstep(0, 1, x - ix), fy = smoothstep(0, 1, y - iy);
    double top = hash01(ix, iy, seed) + (hash01(ix + 1, iy, seed) - hash01(ix, iy, seed)) * fx;
    double low =
        hash01(ix, iy + 1, seed) + (hash01(ix + 1, iy + 1, seed) - hash01(ix, iy + 1, seed)) * fx;
    return top + (low - top) * fy;
}

double fractalNoise(double x, double y, int seed) {
    double sum = 0, amplitude = 0.5;
    for (int octave = 0; octave < 4; ++octave) {
        sum += amplitude * valueNoise(x, y, seed + octave);
        x *= 2.03;
        y *= 2.03;
        amplitude *= 0.5;
    }
    return sum / 0.9375;
}

// A sea: centre as seen on the disc, its radii across and along the surface,
// and how dark it is.
struct Sea {
    double u, v, rx, ry, depth;
};

const Sea SEAS[] = {
    {-0.24, 0.53, 0.30, 0.26, 1.0},  // the great round sea, north-west
    {0.27, 0.46, 0.19, 0.18, 1.1},   // north-east of centre
    {0.50, 0.14, 0.22, 0.17, 1.0},   // east of centre
    {0.32, 0.05, 0.12, 0.09, 0.9},   // its western arm
    {0.82, 0.29, 0.15, 0.11, 1.1},   // the lone sea near the east limb
    {0.75, -0.16, 0.13, 0.20, 0.9},  // south-east
    {0.55, -0.28, 0.10, 0.10, 0.9},  // small, south of the east seas
    {-0.74, 0.36, 0.22, 0.30, 0.8},  // the broad, paler ocean on the west
    {-0.68, 0.00, 0.24, 0.24, 0.8},  {-0.50, -0.20, 0.18, 0.15, 0.75},
    {-0.48, 0.30, 0.14, 0.12, 0.8},  {-0.27, -0.36, 0.19, 0.15, 0.85},  // south of centre
    {-0.58, -0.42, 0.11, 0.10, 1.0},  // small round one, south-west
    {0.02, 0.80, 0.40, 0.06, 0.8},    // the thin northern band
    {0.04, 0.24, 0.13, 0.10, 0.6},    // grey patches linking the others near the centre
    {-0.26, 0.05, 0.16, 0.11, 0.55},
};

// East and north along the sphere's surface at c.
struct Frame {
    Dir east, north;
};

Frame tangentFrame(Dir c) {
    double len = std::sqrt(c.x * c.x + c.z * c.z);
    return Frame{Dir{c.z / len, 0, -c.x / len}, Dir{-c.y * c.x / len, len, -c.y * c.z / len}};
}

// How much of the sea's darkness (0 to about 1) lies at (u, v).
double seaShade(double u, double v) {
    // Wobbling the lookup makes the shores irregular.
    double wu = u + 0.13 * (fractalNoise(u * 4 + 7, v * 4 + 3, 11) - 0.5);
    double wv = v + 0.13 * (fractalNoise(u * 4 + 1, v * 4 + 9, 23) - 0.5);
    Dir w = onSphere(wu, wv);
    double field = 0, depth = 0;
    for (const Sea& s : SEAS) {
        Dir c = onSphere(s.u, s.v);
        Frame f = tangentFrame(c);
        // Offsets measured on the sphere, so shapes near the limb squeeze.
        Dir d{w.x - c.x, w.y - c.y, w.z - c.z};
        double along = dot(d, f.east) / s.rx, across = dot(d, f.north) / s.ry;
        double q = along * along + across * across;
        double g = std::exp(-q * q * 0.7);
        field += g;
        depth += g * s.depth;
    }
    double cover = smoothstep(0.30, 0.75, field + 0.30 * (fractalNoise(u * 6, v * 6, 37) - 0.5));
    return cover * (field > 1e-6 ? depth / field : 0.0);
}

struct Crater {
    double u, v, radius, rim, floor;  // radius in radians; rim brightening, floor change
};

const Crater CRATERS[] = {
    {-0.14, -0.68, 0.050, 0.30, 0.12},  // the bright young crater of the south
    {-0.34, 0.17, 0.055, 0.26, 0.06},   // the bright crater west of the centre
    {-0.61, 0.14, 0.030, 0.22, 0.08},
    {-0.67, 0.40, 0.025, 0.35, 0.30},    // the brightest spot of the west
    {-0.10, 0.78, 0.050, 0.10, -0.18},   // dark-floored, in the north
    {-0.92, -0.09, 0.070, 0.05, -0.16},  // dark-floored, on the west limb
    {-0.13, -0.85, 0.085, 0.12, -0.04},  // large, far south
    {0.70, 0.28, 0.022, 0.30, 0.20},
    {0.86, -0.15, 0.040, 0.20, 0.06},
    {0.10, -0.55, 0.045, 0.14, -0.03},
    {0.32, -0.62, 0.040, 0.12, -0.03},
    {0.02, -0.02, 0.030, 0.16, 0.02},
    {0.52, -0.56, 0.035, 0.14, -0.02},
    {0.40, 0.62, 0.030, 0.16, 0.03},
};

// Bright streaks thrown out by a crater: count, reach and width in radians.
struct RaySystem {
    int crater, count, seed;
    double reach, width;
};

const RaySystem RAYS[] = {
    {0, 12, 5, 0.80, 0.018},
    {1, 9, 9, 0.30, 0.016},
    {2, 6, 13, 0.18, 0.012},
};

double craterShading(Dir p, const Crater& k) {
    double a = angleBetween(p, onSphere(k.u, k.v)) / k.radius;
    double rim = std::exp(-(a - 1.0) * (a - 1.0) / 0.06);
    double floor = a < 1.0 ? 1.0 - smoothstep(0.7, 1.0, a) : 0.0;
    return k.rim * rim + k.floor * floor;
}

double rayShading(Dir p, const RaySystem& r) {
    const Crater& k = CRATERS[r.crater];
    Dir c = onSphere(k.u, k.v);
    Frame f = tangentFrame(c);
    double theta = angleBetween(p, c);
    if (theta < k.radius) return 0.0;
    double bearing = std::atan2(dot(p, f.north), dot(p, f.east));
    double light = 0;
    for (int i = 0; i < r.count; ++i) {
        double direction = 2 * PI * (i + 0.8 * hash01(i, r.seed, 3)) / r.count;
        double reach = r.reach * (0.45 + 0.55 * hash01(i, r.seed, 4));
        double off = std::remainder(bearing - direction, 2 * PI);
        if (std::fabs(off) > PI / 2) continue;
        double across = theta * std::sin(off);
        light += std::exp(-across * across / (r.width * r.width)) * std::exp(-theta / reach) * 0.14;
    }
    return light;
}

// Small craters pepper the highlands, more of them in the south; in the seas they fade.
const std::vector<Crater>& smallCraters() {
    static const std::vector<Crater> craters = [] {
        std::vector<Crater> list;
        for (int i = 0; i < 70; ++i) {
            double u = hash01(i, 1, 71) * 2 - 1, v = -1 + 2 * std::pow(hash01(i, 2, 71), 1.4);
            if (u * u + v * v > 0.9) continue;
            double keep = 1.0 - 0.6 * seaShade(u, v);
            list.push_back(
                Crater{u, v, 0.018 + 0.02 * hash01(i, 3, 71), 0.15 * keep, -0.07 * keep});
        }
        return list;
    }();
    return craters;
}

double moonBrightness(double u, double v) {
    double rr = u * u + v * v;
    if (rr >= 1.0) return 0.0;
    Dir p = onSphere(u, v);
    double highland = 0.84 + 0.10 * (fractalNoise(u * 9, v * 9, 51) - 0.5);
    double sea = 0.47 + 0.14 * (fractalNoise(u * 7, v * 7, 61) - 0.5);
    double b = highland + (sea - highland) * seaShade(u, v);
    for (const Crater& k : CRATERS) b += craterShading(p, k);
    for (const RaySystem& r : RAYS) b += rayShading(p, r);
    for (const Crater& k : smallCraters()) b += craterShading(p, k);
    double limb = 0.68 + 0.32 * std::sqrt(p.z);
    return clamp01(b * limb);
}

}  // namespace

AssetFile moonBitmap() {
    Image image = renderSupersampled(MOON_SIDE, MOON_SIDE, 6, [](double x, double y) {
        double u = (x - MOON_SIDE / 2.0) / RADIUS, v = (MOON_SIDE / 2.0 - y) / RADIUS;
        float grey = (float)moonBrightness(u, v);
        return Colour{grey, grey, grey, 1.0f};
    });
    return {"moon.bmp", encodeBmp24(image)};
}
