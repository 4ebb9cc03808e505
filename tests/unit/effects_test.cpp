#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "render/clouds.h"
#include "support/replay.h"
#include "support/world_fixture.h"
#include "world/fish.h"

namespace {

float inPark(float v) { return std::clamp(v, -126.5f, 126.5f); }

void dropByRule(RainDrop& d, Vec3 p, Rand& r) {
    d.x = p.x + r.f(-30, 30), d.y = r.f(15, 30), d.z = p.z + r.f(-30, 30), d.fallSpeed = r.f(-20, -15), d.life = r.f(0.3f, 0.8f);
}

void flakeByRule(SnowFlake& f, Vec3 p, Rand& r) {
    f.x = p.x + r.f(-40, 40), f.y = r.f(15, 30), f.z = p.z + r.f(-40, 40);
    f.vx = r.f(-0.8f, 0.8f), f.vy = r.f(-3, -1.2f), f.vz = r.f(-0.8f, 0.8f);
}

struct Weather {
    RainDrop drops[MAX_RAIN_DROPS];
    RainSplash splashes[MAX_RAIN_SPLASHES];
    SnowFlake flakes[MAX_SNOW_FLAKES];
    int splashCount;
};

// Drops ending near the ground leave a ring while there is room; ended drops
// and fallen flakes start again around the player, inside the park.
void weatherByRule(Weather& w, int mode, float dt, Vec3 p, Rand& r) {
    if (mode == WEATHER_RAIN) {
        for (RainDrop& d : w.drops) {
            d.y += d.fallSpeed * dt, d.life -= dt;
            if (d.y >= 0 && d.life > 0) continue;
            if (d.y > -2 && d.y < 0.5f && w.splashCount < MAX_RAIN_SPLASHES) {
                RainSplash& s = w.splashes[w.splashCount++];
                s.x = d.x, s.y = 0, s.z = d.z, s.radius = r.f(0.15f, 0.35f), s.initialLife = s.life = r.f(0.2f, 0.4f);
            }
            dropByRule(d, p, r), d.x = inPark(d.x), d.z = inPark(d.z);
        }
        for (int i = w.splashCount - 1; i >= 0; --i)
            if ((w.splashes[i].life -= dt) <= 0) w.splashes[i] = w.splashes[--w.splashCount];
    } else if (mode == WEATHER_SNOW) {
        for (SnowFlake& f : w.flakes) {
            f.x += f.vx * dt, f.y += f.vy * dt, f.z += f.vz * dt, f.spin += 90 * dt;
            f.vx = std::clamp(f.vx + r.f(-0.5f, 0.5f) * dt, -1.0f, 1.0f);
            if (f.y < 0) flakeByRule(f, p, r), f.x = inPark(f.x), f.z = inPark(f.z);
        }
    } else {
        w.splashCount = 0;
    }
}

void fishByRule(FishSchool& f, Rand& r) {
    for (int i = 0; i < FISH_COUNT; ++i) {
        float d = f.targetAlong[i] - f.along[i];
        if (f.moving[i] && -0.005f < d && d < 0.005f) f.moving[i] = 0, f.idleTimer[i] = r.f(2, 6);
        else if (f.moving[i]) f.along[i] += d * 0.001f;
        else if ((f.along[i] += (float)std::sin(f.phase[i]) * 0.00015f, f.idleTimer[i] -= 0.016f) <= 0)
            f.moving[i] = 1, f.targetAlong[i] = std::clamp(f.along[i] + r.f(-0.15f, 0.15f), 0.02f, 0.98f);
        f.phase[i] += 0.04f;
        if (f.along[i] < 0) f.along[i] += 1;
        if (f.along[i] > 1) f.along[i] -= 1;
    }
}

}  // namespace

// Rain near the east edge (drops ending high, low and below the overshoot, a
// nearly full splash array, a still frame), then snow, then clear weather.
TEST(Effects, RainSplashesAndSnowFollowThePlayer) {
    startGame(1780351200u);
    static Weather w;
    Vec3& p = thePlayer.position;
    p = Vec3{120, 5, -100};
    theArena.weatherMode = WEATHER_RAIN;
    seedRandom(3);
    Rand r{3};
    spawnRain();
    for (RainDrop& d : w.drops) dropByRule(d, p, r);
    ASSERT_TRUE(rainDropCount == MAX_RAIN_DROPS && sameRecords(rainDrops, w.drops, MAX_RAIN_DROPS, "fffff"));
    for (int i = 0; i < MAX_RAIN_DROPS; i += 7) rainDrops[i].y = 0.2f + i % 3 * 0.2f, rainDrops[i].life = 0.01f;
    for (int i = 3; i < MAX_RAIN_DROPS; i += 11) rainDrops[i].y = i % 2 ? -2.5f : 5.0f, rainDrops[i].life = 0.001f;
    for (int i = 0; i < 95; ++i) rainSplashes[i] = RainSplash{i * 1.0f, 0, 2, 0.2f, 0.1f + i % 5 * 0.05f, 0.3f};
    rainSplashCount = 95;
    const float DT[4] = {0.016f, 0.1f, 0, 0.05f};
    for (int f = 0; f < 130; ++f) {
        if (f == 60) {
            theArena.weatherMode = WEATHER_SNOW;
            seedRandom(9), r = Rand{9};
            spawnSnow();
            for (SnowFlake& k : w.flakes) flakeByRule(k, p, r), k.size = r.f(0.04f, 0.1f), k.spin = r.f(0, 360);
            ASSERT_TRUE(snowFlakeCount == MAX_SNOW_FLAKES && sameRecords(snowFlakes, w.flakes, MAX_SNOW_FLAKES, "ffffffff"));
            for (int i = 0; i < MAX_SNOW_FLAKES; i += 9) snowFlakes[i].vx = 0.99f, snowFlakes[i].y = 0.01f;
        }
        if (f == 120) theArena.weatherMode = WEATHER_CLEAR;
        p.x += 0.5f;
        std::copy(rainDrops, rainDrops + MAX_RAIN_DROPS, w.drops);
        std::copy(rainSplashes, rainSplashes + MAX_RAIN_SPLASHES, w.splashes);
        std::copy(snowFlakes, snowFlakes + MAX_SNOW_FLAKES, w.flakes);
        w.splashCount = rainSplashCount;
        seedRandom(f + 10), r = Rand{f + 10u};
        updateWeather(DT[f % 4]);
        weatherByRule(w, theArena.weatherMode, DT[f % 4], p, r);
        ASSERT_EQ(rainSplashCount, w.splashCount) << f;
        ASSERT_TRUE(sameRecords(rainDrops, w.drops, MAX_RAIN_DROPS, "fffff")) << f;
        ASSERT_TRUE(sameRecords(rainSplashes, w.splashes, MAX_RAIN_SPLASHES, "ffffff")) << f;
        ASSERT_TRUE(sameRecords(snowFlakes, w.flakes, MAX_SNOW_FLAKES, "ffffffff")) << f;
        ASSERT_EQ(nextRandom(), r.next()) << f;
    }
}

// Fish idle and drift (wrapping past the stream's ends), swim toward clamped
// targets and stop strictly inside 0.005 of them.
TEST(Effects, FishIdleSwimAndWrap) {
    startGame(1780351200u);
    FishSchool& s = fishSchool;
    // along, target, moving, idle timer, phase: drifting back past 0 and on past 1, swims starting near
    // either end, exactly 0.005 short either way (still swimming), inside it (stopping).
    const float FISH[7][5] = {{0.00005f, 0, 0, 100, -1.5707963f}, {0.99999f, 0, 0, 100, 1.5707963f}, {0.97f, 0, 0, 0.01f, 0},
                              {0.03f, 0, 0, 0.01f, 0}, {0, 0.005f, 1, 0, 0}, {0.005f, 0, 1, 0, 0}, {0.5f, 0.5049f, 1, 0, 0}};
    for (int i = 0; i < 7; ++i)
        s.along[i] = FISH[i][0], s.targetAlong[i] = FISH[i][1], s.moving[i] = (int)FISH[i][2], s.idleTimer[i] = FISH[i][3], s.phase[i] = FISH[i][4];
    static FishSchool want;
    for (int f = 0; f < 400; ++f) {
        want = s;
        seedRandom(f + 1);
        Rand r{f + 1u};
        updateFishSchool(), fishByRule(want, r);
        ASSERT_TRUE(sameRecords(&s, &want, 1, std::string(7 * FISH_COUNT, 'f') + std::string(FISH_COUNT, 'i'))) << f;
        ASSERT_EQ(nextRandom(), r.next()) << f;
    }
}

// Cloud counts and colours by weather and night; a slot out of the band steps
// back by 260 for the next frame, only among those the weather shows.
TEST(Effects, CloudsByWeatherAndTheirDrift) {
    struct Case { int weather; float night; CloudLook look; } CASES[] = {
        {0, 0, {6, 0.95f, 0.95f, 0.97f, 0.55f}}, {0, 1, {6, 0.75f, 0.75f, 0.82f, 0.55f}},
        {1, 1, {20, 0.1f, 0.1f, 0.2f, 0.8f}}, {2, 0.5f, {22, 0.4f, 0.4f, 0.475f, 0.7f}}, {5, 0, {6, 0.95f, 0.95f, 0.97f, 0.55f}}};
    for (const Case& c : CASES) {
        CloudLook got = cloudLook(c.weather, c.night);
        EXPECT_TRUE(got.count == c.look.count && sameRecords(&got.red, &c.look.red, 4, "f")) << c.weather;
    }
    startGame(1780351200u);
    buildClouds();
    CloudField& f = cloudField;
    for (int i = 0; i < CLOUD_SLOTS; ++i) f.driftBase[i] = 500, f.speed[i] = 0;
    f.driftBase[0] = 115, f.speed[0] = 2, f.driftBase[1] = -160, f.speed[1] = 1.5f, f.driftBase[2] = 110, f.speed[2] = 2;
    cloudClock = 9.984f;
    drawClouds(&thePlayer, WEATHER_RAIN, 0);  // the clock reaches 10: d = 135, -175, 130, 500, ...
    EXPECT_FLOAT_EQ(cloudClock, 10);
    const float FIRST[3] = {115 - 260, -160 + 260, 110};
    for (int i = 0; i < CLOUD_SLOTS; ++i) EXPECT_FLOAT_EQ(f.driftBase[i], i < 3 ? FIRST[i] : i < 20 ? 240 : 500) << i;
    EXPECT_FLOAT_EQ(cloudDrift(0), -125);
}
