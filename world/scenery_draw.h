#pragma once

#include "render/placed_mesh.h"
#include "world/placement.h"

// The park's static scenery. It never moves, so on its first frame it is
// stood on the ground, moved into world coordinates and compiled into sector
// lists (parkBuilt.sceneryLists); every frame then draws the sectors in view.

// All flowers as unlit 4-pixel points (the point size stays 4).
void drawFlowers();
// Every tree and rock.
void drawForest();

// One object submitted in world coordinates as separate triangles, inside a
// glBegin (GL_TRIANGLES) the caller opened, each vertex growing the bounds.
// A conifer: cylinder trunk and two stacked cones.
void submitTree(const TreeRecord* tree, Bounds* bounds);
// A half-buried, turned ellipsoid.
void submitRock(const RockRecord* rock, Bounds* bounds);
