#pragma once

#include "combat/animals.h"
#include "combat/arena.h"

// The hitscan rifle: a ray from the eye along the view.

const float SHOT_MAX_DISTANCE = 1000.0f;
const float SHOT_MISS_LENGTH = 80.0f;
const float FIRE_COOLDOWN = 0.15f;
const float STREAM_HALF_WIDTH = 1.8f;
const int ENEMY_POINTS = 100;
const int RABBIT_POINTS = 30;
const int DEER_POINTS = 50;

struct SceneryHit {
    int hit;
    int index;
    float distance;
};

// The fire entry: called on a click with the mouse captured.
void fireWeapon();
void resolveShot(ArenaState* state, Vec3 origin, Vec3 direction, Vec3 muzzle, int animalHit,
                 int animalIndex, int animalKind, float animalDistance);
SceneryHit testTreeHit(Vec3 origin, Vec3 direction);
SceneryHit testRockHit(Vec3 origin, Vec3 direction);
int isInStream(float x, float z);
