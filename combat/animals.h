#pragma once

#include "core/vec3.h"

// The rabbits and deer that roam the park and can be shot for points.

const int ANIMAL_COUNT = 50;
const int RABBIT_COUNT = 25;  // indices 0 .. 24; the rest are deer

enum AnimalKind { ANIMAL_RABBIT = 0, ANIMAL_DEER = 1 };

struct AnimalRecord {
    int kind;  // AnimalKind
    float x;
    float z;
    float facing;       // degrees, the drawn orientation
    float wanderTimer;  // seconds left in the current walk or rest
    float heading;      // degrees, walking direction (cos, sin) in (x, z)
    float gaitPhase;    // radians, 0 .. 6.28
    int moving;
    int alive;
    float fallAngle;    // degrees, grows to 90 after death
    float corpseTimer;  // seconds the body still lies
};

extern AnimalRecord animals[ANIMAL_COUNT];

const float ANIMAL_ROAM_LIMIT = 123.5f;
const float RABBIT_SPEED = 1.2f;
const float DEER_SPEED = 0.8f;
const float RABBIT_HIT_RADIUS = 0.3f;
const float DEER_HIT_RADIUS = 0.6f;

struct AnimalHit {
    int hit;
    int index;
    int kind;
    float distance;
};

// At set-up, after the rocks: every animal alive at a fresh spot off the
// start square and off the steep slopes.
void placeAnimals();
// A new game: the animals go to fresh places, everything else stays.
void respawnAnimals();
void updateAnimals(float dt);
// Nearest living animal on the ray; no side effects. On a miss only hit is
// written (0), the rest stays as the caller set it.
void testAnimalHit(Vec3 origin, Vec3 direction, AnimalHit* result);
void killAnimal(int index);
