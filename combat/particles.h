#pragma once

#include "combat/arena.h"

// Short-lived traces of shots: blood, splashes and ripples, sparks, the tracer.

const float TRACER_LIFE = 0.2f;

void spawnBloodBurst(ArenaState* state, Vec3 p);
void startTracer(ArenaState* state, Vec3 start, Vec3 end);
void spawnSplash(ArenaState* state, Vec3 p);
void spawnSparks(ArenaState* state, Vec3 p);

// Per-frame ageing of each kind, called by updateArena in its order.
void updateBloodDrops(ArenaState* state, float dt);
void updateBloodPools(ArenaState* state, float dt);
void updateSplashDrops(ArenaState* state, float dt);
void updateRipples(ArenaState* state, float dt);
void updateSparks(ArenaState* state, float dt);
