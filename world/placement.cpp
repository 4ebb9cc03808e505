#include "world/placement.h"

#include <cmath>

#include "core/random.h"
#include "world/terrain.h"

TreeRecord trees[TREE_COUNT];
RockRecord rocks[ROCK_COUNT];
FlowerRecord flowers[FLOWER_COUNT];

namespace {

struct FlowerColour {
    float red, green, blue;
};

const FlowerColour FLOWER_COLOURS[5] = {
    {1.0f, 0.9f, 0.2f},  // yellow
    {1.0f, 0.3f, 0.4f},  // red
    {0.8f, 0.3f, 1.0f},  // violet
    {1.0f, 0.6f, 0.8f},  // pink
    {1.0f, 1.0f, 1.0f},  // white
};

}  // namespace

int insideStartSquare(float x, float z, float half) {
    return std::fabs(x) < half && std::fabs(z) < half;
}

void placeFlowers() {
    for (int i = 0; i < FLOWER_COUNT; ++i) {
        FlowerRecord* f = &flowers[i];
        f->x = randomFloat(-125.5f, 125.5f);
        f->z = randomFloat(-125.5f, 125.5f);
        const FlowerColour& c = FLOWER_COLOURS[randomInt(0, 4)];
        f->red = c.red;
        f->green = c.green;
        f->blue = c.blue;
    }
}

void placeTrees() {
    for (int i = 0; i < TREE_COUNT; ++i) {
        TreeRecord* t = &trees[i];
        do {
            t->x = randomFloat(-125.5f, 125.5f);
            t->z = randomFloat(-125.5f, 125.5f);
        } while (insideStartSquare(t->x, t->z, 6.0f));
        t->height = randomFloat(3.0f, 6.0f);
        t->crownRadius = randomFloat(1.5f, 3.0f);
    }
}

void placeRocks() {
    for (int i = 0; i < ROCK_COUNT; ++i) {
        RockRecord* r = &rocks[i];
        do {
            r->x = randomFloat(-124.5f, 124.5f);
            r->z = randomFloat(-124.5f, 124.5f);
        } while (insideStartSquare(r->x, r->z, 5.0f));
        r->sizeX = randomFloat(0.4f, 1.2f);
        r->sizeY = randomFloat(0.3f, 0.8f);
        r->sizeZ = randomFloat(0.4f, 1.0f);
        r->yaw = randomFloat(0.0f, 360.0f);
        float grey = randomFloat(0.35f, 0.55f);
        r->red = grey + randomFloat(-0.05f, 0.05f);
        r->green = grey + randomFloat(-0.05f, 0.05f);
        r->blue = grey + randomFloat(-0.08f, 0.02f);
    }
}
