// Times the whole per-frame simulation at the heaviest load the game allows:
// 30 enemies, every particle array full, rain with 100 splashes or snow, and
// all 50 animals walking. Prints the median microseconds per frame.
//
//   bench_sim [frames]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "combat/animals.h"
#include "combat/arena.h"
#include "combat/particles.h"
#include "core/random.h"
#include "player/input.h"
#include "player/player.h"
#include "sky/weather.h"
#include "world/placement.h"
#include "world/terrain.h"

namespace {

void fillEveryParticleArray(ArenaState* arena) {
    while (arena->bloodDropCount < MAX_BLOOD_DROPS) spawnBloodBurst(arena, makeVec3(10, 5, 10));
    while (arena->splashDropCount < MAX_SPLASH_DROPS)
        spawnSplash(arena, makeVec3(10, WATER_LEVEL, 10));
    while (arena->sparkCount < MAX_SPARKS) spawnSparks(arena, makeVec3(10, 1, 10));
    while (arena->bloodPoolCount < MAX_BLOOD_POOLS) spawnBloodBurst(arena, makeVec3(10, 5, 10));
    // Long lives keep the arrays full for the whole run.
    for (int i = 0; i < arena->bloodDropCount; ++i) arena->bloodDrops[i].life = 1e6f;
    for (int i = 0; i < arena->bloodPoolCount; ++i) arena->bloodPools[i].life = 1e6f;
    for (int i = 0; i < arena->splashDropCount; ++i) arena->splashDrops[i].life = 1e6f;
    for (int i = 0; i < arena->sparkCount; ++i) arena->sparks[i].life = 1e6f;
    for (int i = 0; i < MAX_RIPPLES; ++i) spawnSplash(arena, makeVec3(10, WATER_LEVEL, 10));
    for (int i = 0; i < arena->rippleCount; ++i) arena->ripples[i].life = 1e6f;
}

void keepAnimalsWalking() {
    for (AnimalRecord& a : animals) {
        a.moving = 1;
        a.wanderTimer = 1e6f;
    }
}

double medianMicroseconds(int frames, int weather) {
    static ArenaState& arena = theArena;
    startRandomAtClock(1);
    do {
        resetArena(&arena);
    } while (arena.enemyCount != 30);
    arena.weatherMode = weather;
    fillEveryParticleArray(&arena);
    for (int i = 0; i < arena.enemyCount; ++i) arena.enemies[i].wanderTimer = 1e6f;
    rainDropCount = snowFlakeCount = rainSplashCount = 0;
    if (weather == WEATHER_RAIN) spawnRain();
    if (weather == WEATHER_SNOW) spawnSnow();
    keepAnimalsWalking();
    theInput.moveForwardHeld = 1;
    theInput.moveRightHeld = 1;

    std::vector<double> times((size_t)frames);
    const float dt = 0.016f;
    for (int f = 0; f < frames; ++f) {
        if (weather == WEATHER_RAIN && rainSplashCount < MAX_RAIN_SPLASHES) {
            // Keep the splash array at its cap.
            for (int i = rainSplashCount; i < MAX_RAIN_SPLASHES; ++i)
                rainSplashes[i] = RainSplash{0, 0, 0, 0.2f, 1e6f, 1e6f};
            rainSplashCount = MAX_RAIN_SPLASHES;
        }
        auto start = std::chrono::steady_clock::now();
        updatePlayer();
        updateArena(&arena, dt, thePlayer.position);
        updateWeather(dt);
        updateAnimals(dt);
        auto end = std::chrono::steady_clock::now();
        times[(size_t)f] = std::chrono::duration<double, std::micro>(end - start).count();
        if (f % 200 == 0) resetPlayer(&thePlayer);  // stay away from the park's edge
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    int frames = argc > 1 ? std::atoi(argv[1]) : 5000;
    if (frames < 1) frames = 1;
    startRandomAtClock(1);
    placeFlowers();
    placeTrees();
    placeRocks();
    placeAnimals();
    resetPlayer(&thePlayer);
    std::printf("simulation per frame, median of %d frames\n", frames);
    std::printf("  rain (500 drops, 100 splashes): %8.1f us\n",
                medianMicroseconds(frames, WEATHER_RAIN));
    std::printf("  snow (800 flakes):              %8.1f us\n",
                medianMicroseconds(frames, WEATHER_SNOW));
    return 0;
}
