#include "combat/animals.h"

#include "combat/corpse.h"
#include "combat/walk.h"
#include "core/random.h"
#include "world/placement.h"
#include "world/terrain.h"

AnimalRecord animals[ANIMAL_COUNT];

namespace {

const float GAIT_RATE = 6.0f;  // radians per second
const float GAIT_WRAP = 6.28f;
const float ANIMAL_MAX_SLOPE = 0.45f;

void stepLivingAnimal(AnimalRecord* a, float dt) {
    a->wanderTimer -= dt;
    if (a->wanderTimer <= 0.0f) {
        if (a->moving) {
            a->moving = 0;
            a->wanderTimer = randomFloat(5.0f, 15.0f);
        } else {
            a->moving = 1;
            a->heading = randomFloat(0.0f, 360.0f);
            a->wanderTimer = randomFloat(1.0f, 3.0f);
        }
    }
    if (!a->moving) return;

    a->gaitPhase += dt * GAIT_RATE;
    if (a->gaitPhase > GAIT_WRAP) a->gaitPhase -= GAIT_WRAP;

    float speed = a->kind == ANIMAL_RABBIT ? RABBIT_SPEED : DEER_SPEED;
    // Turned back at the edge, the walk ends on the next frame (the timer is zeroed).
    float nx, nz;
    proposeStep(a->x, a->z, speed, dt, ANIMAL_ROAM_LIMIT, &a->heading, &a->wanderTimer, &nx, &nz);
    if (terrainSlopeBetween(a->x, a->z, nx, nz) <= ANIMAL_MAX_SLOPE) {
        a->x = nx;
        a->z = nz;
        a->facing = a->heading;
    } else {
        a->heading = randomFloat(0.0f, 360.0f);
        a->wanderTimer = randomFloat(0.5f, 1.5f);
    }
}

}  // namespace

void updateAnimals(float dt) {
    for (int i = 0; i < ANIMAL_COUNT; ++i) {
        AnimalRecord* a = &animals[i];
        if (a->alive)
            stepLivingAnimal(a, dt);
        else
            advanceCorpse(&a->fallAngle, &a->corpseTimer, dt);
    }
}

void testAnimalHit(Vec3 origin, Vec3 direction, AnimalHit* result) {
    float best = 1000.0f;
    int index = -1;
    int kind = ANIMAL_RABBIT;
    for (int i = 0; i < ANIMAL_COUNT; ++i) {
        const AnimalRecord* a = &animals[i];
        if (!a->alive) continue;
        float r = a->kind == ANIMAL_RABBIT ? RABBIT_HIT_RADIUS : DEER_HIT_RADIUS;
        Vec3 centre = makeVec3(a->x, terrainHeightAt(a->x, a->z) + r + 0.1f, a->z);
        float t;
        if (rayHitsSphere(origin, direction, centre, r, &t) && t < best) {
            best = t;
            index = i;
            kind = a->kind;
        }
    }
    if (index >= 0) {
        result->hit = 1;
        result->index = index;
        result->kind = kind;
        result->distance = best;
    } else {
        result->hit = 0;
    }
}

void killAnimal(int index) {
    AnimalRecord* a = &animals[index];
    a->alive = 0;
    a->moving = 0;
    a->fallAngle = 0.0f;
    a->corpseTimer = CORPSE_TIME;
}

void placeAnimals() {
    for (int i = 0; i < ANIMAL_COUNT; ++i) {
        AnimalRecord* a = &animals[i];
        float x, z;
        for (;;) {
            x = randomFloat(-123.5f, 123.5f);
            z = randomFloat(-123.5f, 123.5f);
            if (insideStartSquare(x, z, 6.0f)) continue;
            if (terrainSlopeBetween(x, z, x + 1.0f, z) > ANIMAL_MAX_SLOPE) continue;
            if (terrainSlopeBetween(x, z, x, z + 1.0f) > ANIMAL_MAX_SLOPE) continue;
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
