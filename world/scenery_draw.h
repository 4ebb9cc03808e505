#pragma once

#include "world/placement.h"

// The park's static scenery, stood on the ground at draw time.

// All flowers as unlit 4-pixel points (the point size stays 4).
void drawFlowers();
// A conifer: cylinder trunk and two stacked cones.
void drawTree(const TreeRecord* tree);
// A half-buried, turned ellipsoid.
void drawRock(const RockRecord* rock);
