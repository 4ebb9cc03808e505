#pragma once

#include "combat/arena.h"
#include "player/player.h"

// The per-frame 3-D pass, the two projections and the sky and light colours.

const float FIELD_OF_VIEW = 60.0f;
const float NEAR_PLANE = 0.1f;
const float FAR_PLANE = 200.0f;
const float BINOCULAR_ZOOM = 6.0f;

struct SkyColour {
    float red, green, blue;
};

// Grows by 0.016 on every pass whatever the real frame time; drives the water.
extern float sceneClock;

SkyColour skyColour(int weatherMode, float nightBlend);
// Light 0, placed in the world after the camera, coloured for the time of day.
void setSceneLight(float nightBlend);
void applyNormalProjection(int width, int height);
void applyBinocularProjection(int width, int height, float zoom);
void renderScene(const PlayerState* player, ArenaState* arena, float rainbowAlpha,
                 float rainbowYaw);
