// The game's emblem: a conifer and a stag's head against an evening sky, seen
// through a rifle scope's ring and reticle. At 16 pixels only the ring, the
// posts and a centred tree remain; the stag and the fine lines would be mush.
#include <algorithm>
#include <cmath>

#include "tools/pictures/pictures.h"

namespace {

const int ICON_SIZES[] = {16, 24, 32, 48, 64};

// Coordinates run from -1 to 1 across the icon, y up.
struct Scene {
    double pixel;   // one pixel in these units
    bool detailed;  // the stag, the fine crosshair lines and the dot
};

bool inDisc(double x, double y, double cx, double cy, double r) {
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
}

bool inEllipse(double x, double y, double cx, double cy, double rx, double ry, double degrees) {
    double a = degrees * 3.14159265358979 / 180.0;
    double dx = x - cx, dy = y - cy;
    double u = dx * std::cos(a) + dy * std::sin(a), v = -dx * std::sin(a) + dy * std::cos(a);
    return (u / rx) * (u / rx) + (v / ry) * (v / ry) <= 1.0;
}

bool inStroke(double x, double y, double ax, double ay, double bx, double by, double r) {
    return segmentDistance(x, y, ax, ay, bx, by) <= r;
}

// A capsule whose radius runs from r0 at a to r1 at b.
bool inTaper(double x, double y, double ax, double ay, double bx, double by, double r0, double r1) {
    double dx = bx - ax, dy = by - ay;
    double t = clamp01(((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy));
    double ex = x - (ax + t * dx), ey = y - (ay + t * dy);
    double r = r0 + (r1 - r0) * t;
    return ex * ex + ey * ey <= r * r;
}

// Tiers of base, top and half width standing on a short trunk, each a triangle
// whose corners droop. The small icon gets two broad tiers that still read as a
// fir at a few pixels across.
const double TALL_TIERS[3][3] = {{-0.62, 0.00, 0.34}, {-0.30, 0.36, 0.27}, {0.04, 0.74, 0.19}};
const double BROAD_TIERS[3][3] = {{-0.60, 0.10, 0.50}, {-0.18, 0.74, 0.36}, {0, 0, 0}};

bool inTree(double x, double y, double cx, const double (*tiers)[3]) {
    double u = x - cx;
    for (int i = 0; i < 3; ++i) {
        double base = tiers[i][0], top = tiers[i][1], half = tiers[i][2];
        if (half <= 0) continue;
        double across = std::fabs(u) / half;
        if (across > 1.0) continue;
        double droop = 0.07 * across * across;
        if (y >= base - droop && y <= top - (top - base) * across) return true;
    }
    return std::fabs(u) <= 0.06 && y >= -0.80 && y <= -0.5;
}

// The stag faces left, towards the tree: neck rising from the lower right, antlers above.
bool inStag(double x, double y, double pixel) {
    double r = std::max(0.032, 0.55 * pixel);
    if (inTaper(x, y, 0.74, -0.92, 0.56, 0.12, 0.21, 0.13)) return true;  // neck
    if (inEllipse(x, y, 0.49, 0.21, 0.16, 0.125, -18)) return true;       // skull
    if (inTaper(x, y, 0.44, 0.17, 0.20, 0.04, 0.11, 0.06)) return true;   // muzzle
    if (inEllipse(x, y, 0.67, 0.33, 0.13, 0.05, 32)) return true;         // ear
    // Two antlers, the far one set back: a beam sweeping up and back, tines reaching forward.
    for (double back : {0.0, 0.12}) {
        const double beam[4][2] = {{0.50, 0.30}, {0.53, 0.48}, {0.52, 0.66}, {0.44, 0.84}};
        for (int i = 0; i < 3; ++i) {
            if (inStroke(x, y, beam[i][0] + back, beam[i][1], beam[i + 1][0] + back, beam[i + 1][1],
                         r))
                return true;
        }
        const double tines[3][4] = {
            {0.525, 0.44, 0.37, 0.53}, {0.525, 0.62, 0.38, 0.72}, {0.48, 0.78, 0.58, 0.90}};
        for (const auto& t : tines) {
            if (inStroke(x, y, t[0] + back, t[1], t[2] + back, t[3], r)) return true;
        }
    }
    return false;
}

Colour shadeIcon(const Scene& s, double x, double y) {
    const double outer = 0.98, inner = 0.84;
    double rr = std::sqrt(x * x + y * y);
    if (rr > outer) return Colour{0, 0, 0, 0};

    // Evening sky, deep blue above and gold at the horizon.
    Colour c = mixColour(rgb(0x2C6A8C), rgb(0xF3C46A), smoothstep(0.75, -0.55, y));
    if (y < -0.58 + 0.06 * std::sin(3.0 * x + 1.0)) c = rgb(0x0E2A1A);  // ground
    bool tree = s.detailed ? inTree(x, y, -0.38, TALL_TIERS) : inTree(x, y, 0.0, BROAD_TIERS);
    if (tree) c = rgb(0x123B25);
    if (s.detailed && inStag(x, y, s.pixel)) c = rgb(0x5A3019);

    // Reticle: heavy posts from the ring, fine lines across the middle, a red
    // dot. On the small icon the tree's tip takes the top post's place.
    double ax = std::fabs(x), ay = std::fabs(y);
    double post = std::max(0.045, 0.9 * s.pixel), postStart = s.detailed ? 0.52 : 0.62;
    bool vertical = ax <= post && ay >= postStart && (s.detailed || y < 0);
    bool hit = vertical || (ay <= post && ax >= postStart);
    if (s.detailed) {
        double fine = std::max(0.016, 0.5 * s.pixel);
        hit = hit || (ax <= fine && ay >= 0.12) || (ay <= fine && ax >= 0.12);
    }
    if (hit) c = rgb(0x101214);
    if (s.detailed && inDisc(x, y, 0, 0, std::max(0.05, 0.8 * s.pixel))) c = rgb(0xE2372A);

    if (rr > inner) {
        // The scope's metal ring, lit from above, with dark edges.
        c = mixColour(rgb(0x5A6168), rgb(0x1C1F22), smoothstep(0.9, -0.9, y));
        if (rr > outer - std::max(0.03, 0.7 * s.pixel)) c = rgb(0x0B0C0D);
        if (rr < inner + std::max(0.025, 0.5 * s.pixel)) c = rgb(0x0B0C0D);
    }
    return c;
}

Image iconImage(int size) {
    Scene scene{2.0 / size, size >= 24};
    return renderSupersampled(size, size, 8, [&](double px, double py) {
        return shadeIcon(scene, px / size * 2.0 - 1.0, 1.0 - py / size * 2.0);
    });
}

}  // namespace

AssetFile gameIcon() {
    std::vector<Image> images;
    for (int size : ICON_SIZES) images.push_back(iconImage(size));
    return {"gladewarden.ico", encodeIco(images)};
}
