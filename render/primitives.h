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

// Quadric shapes as GLU cuts them with default settings, each compiled once
// into a display list (parkBuilt.shapeLists) and drawn from it under the
// current matrix. For things that move: creatures, fish, clouds, the sign.
// A cylinder runs along local +z from 0 to height, with one stack. The sizes
// are doubles, as GLU takes them.
void drawCylinder(double baseRadius, double topRadius, double height, int slices);
void drawSphere(double radius, int slices, int stacks);
