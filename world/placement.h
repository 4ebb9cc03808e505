#pragma once

// The park's static scenery and where everything is placed at set-up.

const int TREE_COUNT = 500;
const int ROCK_COUNT = 50;
const int FLOWER_COUNT = 2000;

struct TreeRecord {
    float x;
    float z;
    float height;       // 3 .. 6; the trunk is 0.4 x height tall
    float crownRadius;  // base radius of the lower crown cone, 1.5 .. 3
};

struct RockRecord {
    float x;
    float z;
    float sizeX;  // semi-axes of the half-buried ellipsoid
    float sizeY;
    float sizeZ;
    float red;
    float green;
    float blue;
    float yaw;  // degrees about the vertical axis
};

struct FlowerRecord {
    float x;
    float z;
    float red;
    float green;
    float blue;
};

extern TreeRecord trees[TREE_COUNT];
extern RockRecord rocks[ROCK_COUNT];
extern FlowerRecord flowers[FLOWER_COUNT];

// Creatures and trees keep out of the square of this half size around the
// player's start.
int insideStartSquare(float x, float z, float half);

void placeFlowers();
void placeTrees();
void placeRocks();
