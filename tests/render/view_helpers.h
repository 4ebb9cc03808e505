#pragma once

// Helpers for render tests that look at one thing at a time: an empty park,
// and ways to read back a small region of the frame.

#include <cmath>
#include <cstdlib>
#include <functional>
#include <vector>

#include "support/world_fixture.h"
#include "tools/common/offscreen.h"

namespace testview {

// No trees, rocks, animals, flowers or enemies in sight, nothing in flight.
inline void emptyPark() {
    testworld::clearPark();
    for (FlowerRecord& f : flowers) f = FlowerRecord{5000.0f, 5000.0f, 1.0f, 1.0f, 1.0f};
    testworld::emptyArena(&theArena);
}

inline float streamDistance(float x, float z) {
    float best = 1e30f;
    for (int k = 0; k < STREAM_SAMPLES; ++k)
        best = std::fmin(best, std::hypot(x - streamSampleX[k], z - streamSampleZ[k]));
    return best;
}

// A z at which a scene looking along -z from (x, z) over the next dozen units
// stays well clear of the stream and what grows on its banks.
inline float openGroundZ(float x) {
    for (float z = -100.0f; z <= 100.0f; z += 1.0f) {
        bool clear = true;
        for (float dz = -14.0f; dz <= 2.0f && clear; dz += 1.0f) clear = streamDistance(x, z + dz) >= 20.0f;
        if (clear) return z;
    }
    return 100.0f;
}

inline int brightness(PixelColour p) { return p.red + p.green + p.blue; }

// Whether any pixel within `reach` of (x, y) passes the test (pixels, y from the top).
inline bool anyPixelNear(int x, int y, int reach, const std::function<bool(PixelColour)>& test) {
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx)
            if (test(offscreenPixel(x + dx, y + dy))) return true;
    return false;
}

inline bool isWhite(PixelColour p) { return p.red > 235 && p.green > 235 && p.blue > 235; }

inline bool isClose(PixelColour a, PixelColour b, int tolerance) {
    return std::abs(a.red - b.red) <= tolerance && std::abs(a.green - b.green) <= tolerance &&
           std::abs(a.blue - b.blue) <= tolerance;
}

// The box around every pixel that differs from a reference (by more than a
// small tolerance); empty (count 0) when nothing differs.
struct ChangedBox {
    int count = 0;
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    int width() const { return count ? right - left + 1 : 0; }
    int height() const { return count ? bottom - top + 1 : 0; }
};

// A copy of part of the frame to compare later frames with.
struct Region {
    int left = 0, top = 0, width = 0, height = 0;
    std::vector<PixelColour> pixels;
    PixelColour at(int x, int y) const {
        return pixels[(size_t)(y - top) * (size_t)width + (size_t)(x - left)];
    }
};

inline Region grabRegion(int left, int top, int width, int height) {
    Region r;
    r.left = left;
    r.top = top;
    r.width = width;
    r.height = height;
    r.pixels.reserve((size_t)width * (size_t)height);
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x) r.pixels.push_back(offscreenPixel(x, y));
    return r;
}

// What changed inside the region since it was grabbed.
inline ChangedBox changedSince(const Region& reference, int tolerance = 12) {
    ChangedBox box;
    for (int y = reference.top; y < reference.top + reference.height; ++y) {
        for (int x = reference.left; x < reference.left + reference.width; ++x) {
            if (isClose(offscreenPixel(x, y), reference.at(x, y), tolerance)) continue;
            ++box.count;
            if (x < box.left) box.left = x;
            if (x > box.right) box.right = x;
            if (y < box.top) box.top = y;
            if (y > box.bottom) box.bottom = y;
        }
    }
    return box;
}

}  // namespace testview
