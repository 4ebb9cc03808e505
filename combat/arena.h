#pragma once

#include "core/vec3.h"

// The one game record: enemies, effect particles, the tracer, firing timers,
// counters, the outcome, and the world fields weather and day/night.

const int MAX_ENEMIES = 50;
const int MAX_BLOOD_DROPS = 512;
const int MAX_BLOOD_POOLS = 128;
const int MAX_SPLASH_DROPS = 32;
const int MAX_RIPPLES = 8;
const int MAX_SPARKS = 24;

enum WeatherMode { WEATHER_CLEAR = 0, WEATHER_RAIN = 1, WEATHER_SNOW = 2 };
enum HitKind { HIT_NOTHING = 0, HIT_ENEMY = 1, HIT_RABBIT = 2, HIT_DEER = 3 };

struct EnemyRecord {
    Vec3 position;      // feet; y is the ground height, refreshed on every step
    float heading;      // degrees; a step moves along (cos, sin) in (x, z)
    float wanderTimer;  // seconds before a new random heading
    int alive;
    float fallAngle;    // degrees, grows to 90 after death
    float corpseTimer;  // seconds the body still lies once flat
    Vec3 colour;        // shirt colour
};

struct BloodDrop {
    Vec3 position;
    Vec3 velocity;
    float life;
    float maxLife;
    float size;
    Vec3 colour;
    int landed;
};

struct BloodPool {
    Vec3 position;  // ground height + 0.015
    float radius;
    float life;
    float maxLife;
};

struct ShotTracer {
    Vec3 start;  // the muzzle
    Vec3 end;    // impact point or end of the miss line
    float timeLeft;
    int active;
};

struct SplashDrop {
    Vec3 position;
    Vec3 velocity;
    float life;
    float maxLife;
    float size;
};

struct Ripple {
    Vec3 position;
    float radius;
    float life;
    float maxLife;
};

struct Spark {
    Vec3 position;
    Vec3 velocity;
    float life;
    float maxLife;
    Vec3 colour;
};

struct ArenaState {
    EnemyRecord enemies[MAX_ENEMIES];
    int enemyCount;
    int enemiesLeft;
    int score;
    int gameOver;
    int victory;
    BloodDrop bloodDrops[MAX_BLOOD_DROPS];
    int bloodDropCount;
    BloodPool bloodPools[MAX_BLOOD_POOLS];
    int bloodPoolCount;
    ShotTracer tracer;
    float muzzleFlash;   // 1 right after a shot, falls by 8 per second
    float fireCooldown;  // a shot is refused while above 0
    int lastHitKind;     // HitKind of the last accepted shot
    int lastKillRed;     // the last kill wore a red shirt
    int weatherMode;     // WeatherMode
    int nightTarget;     // 0 day, 1 night
    float nightBlend;    // 0 full day .. 1 full night
    int shotsFired;
    int hits;
    float snowCover;  // 0 bare .. 1 white
    SplashDrop splashDrops[MAX_SPLASH_DROPS];
    int splashDropCount;
    Ripple ripples[MAX_RIPPLES];
    int rippleCount;
    Spark sparks[MAX_SPARKS];
    int sparkCount;
};

extern ArenaState theArena;

// Night means nightBlend >= 0.5 wherever a yes/no answer is needed.
inline int isNight(float nightBlend) { return nightBlend >= 0.5f; }

void resetArena(ArenaState* state);
void placeEnemies(ArenaState* state);
void updateArena(ArenaState* state, float dt, Vec3 playerPosition);
