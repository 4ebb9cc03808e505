#include "sky/weather.h"

#include "combat/arena.h"
#include "core/random.h"
#include "player/player.h"
#include "world/terrain.h"

RainDrop rainDrops[MAX_RAIN_DROPS];
int rainDropCount = 0;
SnowFlake snowFlakes[MAX_SNOW_FLAKES];
int snowFlakeCount = 0;
RainSplash rainSplashes[MAX_RAIN_SPLASHES];
int rainSplashCount = 0;

namespace {

float clampToPark(float v) {
    if (v < -TERRAIN_HALF_SIZE) return -TERRAIN_HALF_SIZE;
    if (v > TERRAIN_HALF_SIZE) return TERRAIN_HALF_SIZE;
    return v;
}

float spawnHeight() { return randomFloat(WEATHER_SPAWN_MIN_HEIGHT, WEATHER_SPAWN_MAX_HEIGHT); }

// Field order: x, y, z, fall speed, life.
void spawnRainDrop(RainDrop* d, Vec3 around) {
    d->x = around.x + randomFloat(-30.0f, 30.0f);
    d->y = spawnHeight();
    d->z = around.z + randomFloat(-30.0f, 30.0f);
    d->fallSpeed = randomFloat(-20.0f, -15.0f);
    d->life = randomFloat(0.3f, 0.8f);
}

// Position and drift only; size and spin keep what the flake had.
void spawnSnowFlakeMotion(SnowFlake* f, Vec3 around) {
    f->x = around.x + randomFloat(-40.0f, 40.0f);
    f->y = spawnHeight();
    f->z = around.z + randomFloat(-40.0f, 40.0f);
    f->vx = randomFloat(-0.8f, 0.8f);
    f->vy = randomFloat(-3.0f, -1.2f);
    f->vz = randomFloat(-0.8f, 0.8f);
}

void updateRain(float dt) {
    Vec3 around = thePlayer.position;
    for (int i = 0; i < rainDropCount; ++i) {
        RainDrop* d = &rainDrops[i];
        d->y += d->fallSpeed * dt;
        d->life -= dt;
        if (d->y >= 0.0f && d->life > 0.0f) continue;
        // Only drops that end near the ground leave a ring.
        if (d->y > -2.0f && d->y < 0.5f && rainSplashCount < MAX_RAIN_SPLASHES) {
            RainSplash* s = &rainSplashes[rainSplashCount];
            s->x = d->x;
            s->y = 0.0f;
            s->z = d->z;
            s->radius = randomFloat(0.15f, 0.35f);
            s->life = randomFloat(0.2f, 0.4f);
            s->initialLife = s->life;
            rainSplashCount += 1;
        }
        spawnRainDrop(d, around);
        d->x = clampToPark(d->x);
        d->z = clampToPark(d->z);
    }
    for (int i = rainSplashCount - 1; i >= 0; --i) {
        rainSplashes[i].life -= dt;
        if (rainSplashes[i].life <= 0.0f) {
            rainSplashes[i] = rainSplashes[rainSplashCount - 1];
            rainSplashCount -= 1;
        }
    }
}

void updateSnow(float dt) {
    Vec3 around = thePlayer.position;
    for (int i = 0; i < snowFlakeCount; ++i) {
        SnowFlake* f = &snowFlakes[i];
        f->x += f->vx * dt;
        f->y += f->vy * dt;
        f->z += f->vz * dt;
        f->spin += 90.0f * dt;
        // Only the sideways drift wanders.
        f->vx += randomFloat(-0.5f, 0.5f) * dt;
        if (f->vx < -1.0f) f->vx = -1.0f;
        if (f->vx > 1.0f) f->vx = 1.0f;
        if (f->y < 0.0f) {
            spawnSnowFlakeMotion(f, around);
            f->x = clampToPark(f->x);
            f->z = clampToPark(f->z);
        }
    }
}

}  // namespace

void spawnRain() {
    for (int i = 0; i < MAX_RAIN_DROPS; ++i) spawnRainDrop(&rainDrops[i], thePlayer.position);
    rainDropCount = MAX_RAIN_DROPS;
}

void spawnSnow() {
    for (int i = 0; i < MAX_SNOW_FLAKES; ++i) {
        SnowFlake* f = &snowFlakes[i];
        spawnSnowFlakeMotion(f, thePlayer.position);
        f->size = randomFloat(0.04f, 0.1f);
        f->spin = randomFloat(0.0f, 360.0f);
    }
    snowFlakeCount = MAX_SNOW_FLAKES;
}

void updateWeather(float dt) {
    switch (theArena.weatherMode) {
        case WEATHER_RAIN:
            updateRain(dt);
            break;
        case WEATHER_SNOW:
            updateSnow(dt);
            break;
        default:
            rainSplashCount = 0;
            break;
    }
}
