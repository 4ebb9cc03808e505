#pragma once

#include <cmath>

// Small drawing pieces shared by the scenery, the creatures, the effects and
// the HUD.

// The rounder pi that the scenery discs and the HUD circles were tuned with.
const float PI_SHORT = 3.14159f;

struct CirclePoint {
    float angle;  // radians
    float c;      // cos angle
    float s;      // sin angle
};

// Point k of a circle cut into `segments` equal steps; k == segments closes it.
inline CirclePoint circlePoint(int k, int segments, float pi) {
    float a = 2.0f * pi * (float)k / (float)segments;
    return CirclePoint{a, std::cos(a), std::sin(a)};
}
