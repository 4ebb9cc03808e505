#pragma once

// Rain and snow curtains that follow the player, and the splash rings of rain.

const int MAX_RAIN_DROPS = 500;
const int MAX_SNOW_FLAKES = 800;
const int MAX_RAIN_SPLASHES = 100;
const float WEATHER_SPAWN_MIN_HEIGHT = 15.0f;
const float WEATHER_SPAWN_MAX_HEIGHT = 30.0f;

struct RainDrop {
    float x;
    float y;  // absolute height
    float z;
    float fallSpeed;  // units per second, negative
    float life;       // seconds left
};

struct SnowFlake {
    float x;
    float y;
    float z;
    float vx;
    float vy;  // fall speed, negative
    float vz;
    float size;
    float spin;  // degrees
};

struct RainSplash {
    float x;
    float y;  // always 0
    float z;
    float radius;
    float life;
    float initialLife;
};

extern RainDrop rainDrops[MAX_RAIN_DROPS];
extern int rainDropCount;
extern SnowFlake snowFlakes[MAX_SNOW_FLAKES];
extern int snowFlakeCount;
extern RainSplash rainSplashes[MAX_RAIN_SPLASHES];
extern int rainSplashCount;

// Fill every drop or flake around the player and set its count.
void spawnRain();
void spawnSnow();
void updateWeather(float dt);

void drawRain(const RainDrop* drops, int count);
void drawRainSplashes(const RainSplash* splashes, int count);
void drawSnow(const SnowFlake* flakes, int count);
