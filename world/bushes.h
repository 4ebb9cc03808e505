#pragma once

#include "render/placed_mesh.h"

// Low berry bushes along the stream banks: clumps of five dark-green puffs,
// about a quarter of them with six red berries. Scenery only.

const int BUSH_COUNT = 80;
const int BUSH_PUFFS = 5;
const int BUSH_BERRIES = 6;

struct StreamBush {
    float x;
    float z;
    float size;  // 0.4 .. 0.9
    int hasBerries;
    float puffX[BUSH_PUFFS];
    float puffZ[BUSH_PUFFS];
    float puffHeight[BUSH_PUFFS];  // raw; drawn at 0.3 of it
    float puffRadius[BUSH_PUFFS];
    float puffRed[BUSH_PUFFS];
    float puffGreen[BUSH_PUFFS];
    float puffBlue[BUSH_PUFFS];
    float berryX[BUSH_BERRIES];
    float berryZ[BUSH_BERRIES];
    float berryHeight[BUSH_BERRIES];  // above the ground
};

extern StreamBush streamBushes[BUSH_COUNT];

void buildStreamBushes();
// Places the bushes on the first frame, in their turn in the random
// sequence; the bushes never move, so they are then compiled into sector
// lists (parkBuilt.bushLists) and each frame draws the sectors in view.
void drawStreamBushes();
// One bush, stood on the ground in world coordinates, as separate triangles
// inside a glBegin (GL_TRIANGLES) the caller opened, each vertex growing the
// bounds when given.
void submitStreamBush(const StreamBush* bush, Bounds* bounds);
