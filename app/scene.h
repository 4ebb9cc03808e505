#pragma once

#include "combat/arena.h"
#include "player/player.h"

// The per-frame 3-D pass and the two projections.

const float FIELD_OF_VIEW = 60.0f;
const float NEAR_PLANE = 0.1f;
const float FAR_PLANE = 200.0f;
const float BINOCULAR_ZOOM = 6.0f;

// Grows by 0.016 on every pass whatever the real frame time; drives the water.
extern float sceneClock;

// Viewport and perspective for a view of this many pixels, the height above 0.
void applyNormalProjection(int width, int height);
void applyBinocularProjection(int width, int height, float zoom);
void renderScene(const PlayerState* player, ArenaState* arena, float rainbowAlpha,
                 float rainbowYaw);
