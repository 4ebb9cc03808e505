#pragma once

#include "player/player.h"

// Loose clusters of translucent spheres high above the park. They are laid
// out around the eye and drift along x, so they can never be reached.

const int CLOUD_SLOTS = 25;
const int CLOUD_PUFFS = 5;
// Clouds drift within this far of the eye along x, then step back by twice it.
const float CLOUD_BAND = 130.0f;

struct CloudField {
    float driftBase[CLOUD_SLOTS];  // x offset from the eye before drift
    float offsetZ[CLOUD_SLOTS];    // z offset from the eye, never changes
    float height[CLOUD_SLOTS];     // absolute y, 55 .. 80
    float speed[CLOUD_SLOTS];      // units per unit of cloudClock, 1.5 .. 4
    float size[CLOUD_SLOTS];       // 8 .. 20
};

extern CloudField cloudField;
// Grows by 0.016 on every drawClouds call, whatever the real frame time.
extern float cloudClock;

// dx, dy, dz and radius of each puff, in units of 0.3 x the cloud's size.
const float CLOUD_PUFF_OFFSETS[CLOUD_PUFFS][4] = {
    {0.0f, 0.0f, 0.0f, 1.0f},    {-0.7f, 0.15f, 0.3f, 0.7f}, {0.6f, 0.1f, -0.4f, 0.65f},
    {-0.3f, -0.1f, -0.5f, 0.6f}, {0.5f, 0.2f, 0.2f, 0.5f},
};

// How many slots a weather shows and in what colour, night darkening included.
struct CloudLook {
    int count;
    float red, green, blue;
    float alpha;  // the weather's alpha factor; each puff uses 0.55 of it
};

CloudLook cloudLook(int weatherMode, float nightBlend);
// This frame's x offset of a slot from the eye. A slot found outside the band
// is stepped back by 260 for the next frame; this frame still shows it where it was.
float cloudDrift(int slot);

void buildClouds();
void drawClouds(const PlayerState* player, int weatherMode, float nightBlend);
void drawCloud(float x, float y, float z, float size, float red, float green, float blue,
               float alpha);
