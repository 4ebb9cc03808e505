#pragma once

#include "player/player.h"

// The sky's colour and the light of the hour, the night sky (stars and the
// moon in today's phase) and the rainbow that follows the rain by day. All of
// it is drawn around the player's eye.

struct SkyColour {
    float red, green, blue;
};
SkyColour skyColour(int weatherMode, float nightBlend);
// Light 0, placed in the world after the camera, coloured for the time of day.
void setSceneLight(float nightBlend);

const int STAR_COUNT = 200;
const float STAR_DISTANCE = 150.0f;

// Stars hang on a sphere around the eye, every one above the horizon.
struct StarField {
    float azimuth[STAR_COUNT];     // radians, 0 .. 6.28318
    float elevation[STAR_COUNT];   // radians, 0.1 .. 1.5
    float brightness[STAR_COUNT];  // 0.4 .. 1
    float twinkle[STAR_COUNT];     // phase in radians, 0 .. 6.28
};

extern StarField starField;

const Vec3 MOON_POSITION = {80.0f, 90.0f, -60.0f};
const float MOON_RADIUS = 5.0f;

const float RAINBOW_DISTANCE = 120.0f;
const float RAINBOW_INNER_RADIUS = 40.0f;
const float RAINBOW_WIDTH = 17.5f;
const int RAINBOW_BANDS = 28;
const int RAINBOW_SEGMENTS = 48;
const int RAINBOW_STOPS = 7;

// Inner edge outward.
const float RAINBOW_COLOURS[RAINBOW_STOPS][3] = {
    {1.0f, 0.0f, 0.0f}, {1.0f, 0.5f, 0.0f}, {1.0f, 1.0f, 0.0f}, {0.0f, 0.8f, 0.0f},
    {0.0f, 0.4f, 1.0f}, {0.2f, 0.0f, 0.8f}, {0.5f, 0.0f, 0.8f},
};

void buildStars();
void drawStars(const PlayerState* player, int weatherMode, float nightBlend);

// Today's phase from the local date: 0 and 8 full, 4 dark.
int moonPhase();
// For phases 1 to 7: 1, and how far the shadow disc's centre lies along the
// viewer's right axis (always to the left). 0 for a full moon, which has none.
int moonShadowOffset(int phase, float* offset);
void drawMoon(const PlayerState* player, int weatherMode, float nightBlend);

void drawRainbow(const PlayerState* player, float alpha, float yawDegrees);
