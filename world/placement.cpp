#include "world/placement.h"

#include <cmath>

#include "combat/animals.h"
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

// Creatures and trees keep out of the player's start square.
int insideSquare(float x, float z, float half) {
    return std::fabs(x) < half && std::fabs(z) < half;
}

const float MAX_SPAWN_SLOPE = 0.45f;

}  // namespace

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
        } while (insideSquare(t->x, t->z, 6.0f));
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
        } while (insideSquare(r->x, r->z, 5.0f));
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

void placeAnimals() {
    for (int i = 0; i < ANIMAL_COUNT; ++i) {
        AnimalRecord* a = &animals[i];
        float x, z;
        for (;;) {
            x = randomFloat(-123.5f, 123.5f);
            z = randomFloat(-123.5f, 123.5f);
            if (insideSquare(x, z, 6.0f)) continue;
            if (terrainSlopeBetween(x, z, x + 1.0f, z) > MAX_SPAWN_SLOPE) continue;
            if (terrainSlopeBetween(x, z, x, z + 1.0f) > MAX_SPAWN_SLOPE) continue;
            break;
        }
        a->x = x;
        a->z = z;
        a->kind = i < RABBIT_COUNT ? ANIMAL_RABBIT : ANIMAL_DEER;
        a->facing = randomFloat(0.0f, 360.0f);
        a->wanderTimer = randomFloat(3.0f, 10.0f);
        a->heading = randomFloat(0.0f, 360.0f);
        a->gaitPhase = randomFloat(0.0f, 6.28f);
        a->moving = 0;
        a->alive = 1;
        a->fallAngle = 0.0f;
        a->corpseTimer = 0.0f;
    }
}

void respawnAnimals() { placeAnimals(); }
